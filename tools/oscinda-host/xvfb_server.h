// An X server of our own, for taking pictures of windows where no display is
// set: Xvfb on a display number it picks itself (the first free one), ready
// when the constructor returns, stopped when the object goes.
#pragma once

#include <sys/types.h>

#include <string>

class XvfbServer {
public:
    // screen: "WIDTHxHEIGHTxDEPTH". By default the server also ends when the
    // process that started it dies, even by a crash. Throws ToolError when
    // Xvfb is missing or does not come up.
    explicit XvfbServer(const std::string& screen = "1024x768x24", bool endWithThisProcess = true);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N", as DISPLAY names it.
    const std::string& displayName() const { return displayName_; }
    pid_t pid() const { return pid_; }
    // Leaves the server running when this object goes; whoever keeps pid()
    // stops it. Meant for servers started with endWithThisProcess false.
    void detach() { pid_ = -1; }

private:
    pid_t pid_ = -1;
    std::string displayName_;
};

// Ends the server with this pid and waits for it, a few seconds at most.
void stopXvfb(pid_t pid);
