// The X server the X11 suites run against, and a test's own connection to
// it, which plays the host: it owns the parent windows and sends the events.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The display the fixture started (its name is in the file
// OSCINDA_TEST_X11_STATE names), else DISPLAY; empty when there is neither.
std::string testDisplayName();
// Points DISPLAY at the test display, so XOpenDisplay(nullptr) in the code
// under test finds it; false when there is none.
bool useTestDisplay();

// Calls `step` until `done` holds or `limit` passes; the last answer of `done`.
bool pollUntil(const std::function<void()>& step, const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::milliseconds(3000));

// The 8-bit value of the channel `mask` selects in a pixel value.
std::uint32_t widened(unsigned long value, unsigned long mask);

// Open descriptors of this process, from /proc/self/fd.
int openDescriptorCount();

// The test's connection. Errors on it are recorded, not fatal: hostErrors()
// counts what reached the handler the test installed as a host would.
class HostConnection {
public:
    // On the test display, or on the display with this name.
    explicit HostConnection(const std::string& displayName = testDisplayName());
    ~HostConnection();
    HostConnection(const HostConnection&) = delete;
    HostConnection& operator=(const HostConnection&) = delete;

    Display* display() const { return display_; }
    // A top-level window, mapped, as a host's plug-in window.
    Window makeParent(int width, int height, int x = 0, int y = 0);
    void destroy(Window window);
    void sync() { XSync(display_, False); }

    // The window's pixels as 0xFFRRGGBB, each channel widened to 8 bits from
    // what the visual holds, rows top to bottom; empty if the server refuses.
    std::vector<std::uint32_t> pixelsOf(Window window, int width, int height);

    // Sends an event to `target` as the server would deliver it to whoever
    // selected `mask` there.
    void send(Window target, XEvent event, long mask);

    static int hostErrors();
    static void resetHostErrors();
    static int hostErrorHandler(Display* display, XErrorEvent* error);

private:
    Display* display_ = nullptr;
    std::vector<Window> windows_;
    XErrorHandler previous_ = nullptr;
};
