// A host's parent window on the test display, a recording listener, and the
// backend opened inside that parent.
#pragma once

#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "gui/platform/platform_window.h"
#include "tests/platform/recording_listener.h"
#include "tests/platform/x11_test_display.h"

inline void* handleOf(Window window) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
inline Window windowOf(const PlatformWindow& platform) {
    return static_cast<Window>(reinterpret_cast<std::uintptr_t>(platform.nativeHandle()));
}

class X11WindowFixture : public testing::Test {
protected:
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 90;
    // Away from the origin, where the tool maps its editor windows.
    static constexpr int kParentX = 400;
    static constexpr int kParentY = 300;

    void SetUp() override {
        ASSERT_TRUE(useTestDisplay()) << "no X server: run through ctest (it starts one) or set DISPLAY";
        host = std::make_unique<HostConnection>();
        parent = host->makeParent(kWidth + 20, kHeight + 20, kParentX, kParentY);
    }

    // The backend inside the parent, after the expose of its first mapping
    // has come and gone.
    std::unique_ptr<PlatformWindow> openWindow() {
        std::unique_ptr<PlatformWindow> window =
            createPlatformWindow(handleOf(parent), CRect(0, 0, kWidth, kHeight), listener);
        if (window->nativeHandle() == nullptr) {
            ADD_FAILURE() << "the backend fell back to offscreen";
            return window;
        }
        waitFor(*window, [&] { return !listener.callsOf("expose").empty(); });
        listener.calls.clear();
        return window;
    }

    bool waitFor(PlatformWindow& window, const std::function<bool()>& done) {
        return pollUntil([&] { window.processEvents(); }, done);
    }

    std::unique_ptr<HostConnection> host;
    Window parent = 0;
    RecordingListener listener{kWidth, kHeight};
};
