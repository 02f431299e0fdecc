#include "gui/platform/x11/x11_error_trap.h"

#include <atomic>
#include <mutex>

namespace {

// Guards installing and restoring. The handlers read the previous ones
// without it: they run inside Xlib, where taking a lock of ours could meet a
// thread that holds ours and waits for Xlib's.
std::mutex handlerGate;
int trapsSet = 0;  // traps alive on every thread together
std::atomic<XErrorHandler> previousErrorHandler{nullptr};
std::atomic<XIOErrorHandler> previousConnectionHandler{nullptr};

thread_local X11ErrorTrap* innermostTrap = nullptr;

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display), outer_(innermostTrap) {
    {
        std::lock_guard<std::mutex> lock(handlerGate);
        if (trapsSet++ == 0) {
            previousErrorHandler = XSetErrorHandler(&X11ErrorTrap::onError);
            previousConnectionHandler = XSetIOErrorHandler(&X11ErrorTrap::onConnectionLost);
        }
    }
    innermostTrap = this;
}

X11ErrorTrap::~X11ErrorTrap() {
    innermostTrap = outer_;
    std::lock_guard<std::mutex> lock(handlerGate);
    if (--trapsSet == 0) {
        // Put the previous handlers back, unless ours were replaced meanwhile.
        const XErrorHandler current = XSetErrorHandler(previousErrorHandler.load());
        if (current != &X11ErrorTrap::onError) XSetErrorHandler(current);
        const XIOErrorHandler currentConnection = XSetIOErrorHandler(previousConnectionHandler.load());
        if (currentConnection != &X11ErrorTrap::onConnectionLost) XSetIOErrorHandler(currentConnection);
    }
}

bool X11ErrorTrap::sync() {
    XSync(display_, False);
    return errorCount_ == 0;
}

int X11ErrorTrap::onError(Display* display, XErrorEvent* error) {
    for (X11ErrorTrap* trap = innermostTrap; trap != nullptr; trap = trap->outer_) {
        if (trap->display_ == display) {
            ++trap->errorCount_;
            trap->lastErrorCode_ = error->error_code;
            return 0;
        }
    }
    const XErrorHandler forward = previousErrorHandler.load();
    return forward != nullptr ? forward(display, error) : 0;
}

int X11ErrorTrap::onConnectionLost(Display* display) {
    for (X11ErrorTrap* trap = innermostTrap; trap != nullptr; trap = trap->outer_)
        if (trap->display_ == display) return 0;
    const XIOErrorHandler forward = previousConnectionHandler.load();
    return forward != nullptr ? forward(display) : 0;
}
