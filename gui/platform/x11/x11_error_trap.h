// Keeps X errors of our own connection away from the process's error
// handlers while our Xlib calls run.
//
// Xlib has one error handler per process and its default one ends the
// process, and the host may have installed one of its own. So for as long as
// at least one trap is set, the process handler is ours: an error on a
// display trapped by the current thread is recorded in that trap; every other
// error (the host's, on its own connection) goes on to the handler that was
// there before, so the host sees exactly what it would have seen. The last
// trap to go puts the previous handler back, unless somebody replaced ours in
// the meantime, in which case theirs stays.
//
// An error always arrives on the thread that reads its connection, and only
// our calls ever read our connection, all of them inside a trap: so no error
// of ours can reach the host's handler, even those Xlib reads long after the
// request that caused them. No XSync is needed for that; sync() is there for
// callers that need to know whether a request failed.
//
// The same holds for I/O errors (the server went away): on a trapped display
// the trap's handler returns quietly instead of the host's. Xlib then calls
// the display's own exit handler, which the owner of the display sets with
// XSetIOErrorExitHandler so that the loss ends the connection, not the
// process.
#pragma once

#include <X11/Xlib.h>

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has handled every request sent so far, so that
    // their errors are in; returns false if any error was recorded.
    bool sync();
    bool caughtError() const { return errorCount_ > 0; }
    unsigned char lastErrorCode() const { return lastErrorCode_; }

    // Called from inside Xlib.
    static int onError(Display* display, XErrorEvent* error);
    static int onConnectionLost(Display* display);

private:
    Display* display_;
    X11ErrorTrap* outer_;  // the trap set before this one on the same thread
    int errorCount_ = 0;
    unsigned char lastErrorCode_ = 0;
};
