// The editor opened and closed a thousand times offscreen, as hosts do when
// a user flips the plug-in window: no file descriptor stays open and no
// memory stays allocated (here counted through the C library; in the
// AddressSanitizer tree LeakSanitizer also checks the whole process at exit).
#include <dirent.h>
#include <malloc.h>

#include <string>

#include "tests/support/plugin_host.h"

namespace {

using ValidatorEditor = PluginTest;

constexpr int kOpenings = 1000;

int openFileDescriptors() {
    int count = 0;
    if (DIR* directory = opendir("/proc/self/fd")) {
        while (readdir(directory) != nullptr) ++count;
        closedir(directory);
    }
    return count;
}

// Bytes the C library's allocator has handed out and not had back. Zero
// under the sanitizers, whose allocators it does not see.
std::size_t bytesInUse() {
    const struct mallinfo2 usage = mallinfo2();
    return usage.uordblks + usage.hblkhd;  // small blocks and mapped ones
}

TEST_F(ValidatorEditor, ThousandOpeningsLeaveNothingBehind) {
    ASSERT_NE(effect->flags & effFlagsHasEditor, 0);
    auto openAndClose = [this] {
        ERect* rect = nullptr;
        ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
        ASSERT_NE(rect, nullptr);
        EXPECT_GT(rect->right - rect->left, 0);
        ASSERT_EQ(dispatch(effEditOpen), 1);
        dispatch(effEditIdle);
        setParameter(0, 0.5f);
        dispatch(effEditIdle);
        dispatch(effEditClose);
    };
    // The first opening may set up what every later one shares.
    openAndClose();
    const int descriptorsBefore = openFileDescriptors();
    const std::size_t bytesBefore = bytesInUse();

    for (int opening = 0; opening < kOpenings; ++opening) ASSERT_NO_FATAL_FAILURE(openAndClose());

    EXPECT_EQ(openFileDescriptors(), descriptorsBefore);
    // A leak of even one small object per opening would show as kOpenings
    // times its size.
    EXPECT_LT(bytesInUse(), bytesBefore + 16 * 1024) << "in use before: " << bytesBefore;
}

}  // namespace
