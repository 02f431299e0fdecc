// The editor's window on X11: a child of the window the host passes in
// effEditOpen, on a display connection of our own (the host's Display may
// be used by the host's threads at any moment; ours is used only by whoever
// runs the editor's idle). Events are read without blocking when the idle
// asks; the frame's pixels go to the window with XPutImage.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "gui/platform/platform_window.h"
#include "gui/platform/x11/x11_pixel_format.h"

class X11PlatformWindow : public PlatformWindow {
public:
    // The window inside `parent` (an X11 window id), `size` big and shown; null
    // when no display can be opened, the parent is no window of that display,
    // or the screen has no TrueColor visual.
    static std::unique_ptr<X11PlatformWindow> create(void* parent, const CRect& size, PlatformWindowListener& listener);
    ~X11PlatformWindow() override;
    X11PlatformWindow(const X11PlatformWindow&) = delete;
    X11PlatformWindow& operator=(const X11PlatformWindow&) = delete;

    void processEvents() override;
    void present(const CRect& area) override;
    bool isAlive() const override { return created_ && !destroyedByHost_ && !connectionLost_; }
    void* nativeHandle() const override;

private:
    X11PlatformWindow(Display* display, PlatformWindowListener& listener);
    bool open(Window parent, const CRect& size);
    void dispatch(XEvent& event);
    void dispatchKey(XKeyEvent& event);
    void putPixels(const CRect& area);
    static void onConnectionLost(Display* display, void* self);

    Display* display_;
    PlatformWindowListener& listener_;
    Window window_ = 0;
    GC gc_ = nullptr;
    Visual* visual_ = nullptr;
    int depth_ = 0;
    Colormap ownColormap_ = 0;  // made for a visual other than the default one
    X11PixelFormat format_{0, 0, 0};
    int width_ = 0;
    int height_ = 0;
    bool created_ = false;
    bool destroyedByHost_ = false;  // with its parent: never touched again
    bool connectionLost_ = false;   // the server went away: only XCloseDisplay is left
    bool processing_ = false;       // inside processEvents: a nested call returns at once
    CRect exposed_;                 // collected from a series of Expose events
};
