#include "tools/oscinda-host/pending_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tools/oscinda-host/file_paths.h"
#include "tools/oscinda-host/tool_error.h"

namespace {

// Paths the signal handler may unlink. Fixed storage: a handler may not
// allocate or lock.
constexpr int kSlots = 4;
constexpr std::size_t kPathCapacity = 4096;
char pendingPaths[kSlots][kPathCapacity];
volatile sig_atomic_t slotUsed[kSlots];

int claimSlot(const std::string& path) {
    if (path.size() >= kPathCapacity) return -1;
    for (int i = 0; i < kSlots; ++i) {
        if (slotUsed[i] == 0) {
            std::memcpy(pendingPaths[i], path.c_str(), path.size() + 1);
            slotUsed[i] = 1;
            return i;
        }
    }
    return -1;
}

void releaseSlot(int slot) {
    if (slot >= 0) slotUsed[slot] = 0;
}

void removePending() {
    for (int i = 0; i < kSlots; ++i)
        if (slotUsed[i] != 0) unlink(pendingPaths[i]);
}

void writeAll(const char* text) {
    ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

extern "C" void onInterrupt(int signal) {
    removePending();
    // Die of the same signal so the caller sees what happened.
    ::signal(signal, SIG_DFL);
    raise(signal);
}

extern "C" void onCrash(int signal) {
    removePending();
    writeAll(signal == SIGSEGV  ? "oscinda-host: crashed while running the plug-in (segmentation fault)\n"
             : signal == SIGBUS ? "oscinda-host: crashed while running the plug-in (bus error)\n"
             : signal == SIGFPE ? "oscinda-host: crashed while running the plug-in (arithmetic exception)\n"
             : signal == SIGILL ? "oscinda-host: crashed while running the plug-in (illegal instruction)\n"
                                : "oscinda-host: crashed while running the plug-in (aborted)\n");
    _exit(kExitFailure);
}

}  // namespace

PendingFile::PendingFile(const std::string& finalPath) : finalPath_(finalPath) {
    const std::string folder = folderOf(finalPath);
    std::string pattern = folder + "/." + baseName(finalPath) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    // Block the handlers between creating the file and recording its name,
    // so an interruption cannot leave it behind.
    sigset_t all, previous;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &previous);
    descriptor_ = mkstemp(buffer.data());
    const int error = errno;
    if (descriptor_ >= 0) {
        temporaryPath_ = buffer.data();
        slot_ = claimSlot(temporaryPath_);
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (descriptor_ < 0) throw ToolError("cannot create output in '" + folder + "': " + std::strerror(error));
    // mkstemp makes the file private; give it the permissions a new file gets.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor_, 0666 & ~mask);
}

PendingFile::~PendingFile() {
    if (descriptor_ >= 0) close(descriptor_);
    if (!committed_) unlink(temporaryPath_.c_str());
    releaseSlot(slot_);
}

int PendingFile::takeDescriptor() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

void PendingFile::commit() {
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    if (rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0)
        throw ToolError("cannot write '" + finalPath_ + "': " + std::strerror(errno));
    committed_ = true;
}

void installCleanupHandlers() {
    struct sigaction action {};
    sigfillset(&action.sa_mask);
    action.sa_handler = onInterrupt;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) sigaction(signal, &action, nullptr);
    action.sa_handler = onCrash;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) sigaction(signal, &action, nullptr);
}
