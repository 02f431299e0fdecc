// The seam between the widget layer and a window system. A frame owns one
// PlatformWindow; the backend turns the system's events into calls on the
// frame (a PlatformWindowListener) and puts the frame's pixels on screen.
//
// Backends: x11 (a child of the X11 window a Linux host passes), win32 (a
// child of the host's HWND) and offscreen (no window at all: the frame only
// draws into its pixel buffer, for tests and pictures).
//
// Rules every backend keeps: nothing blocks or sleeps, no thread is started,
// and every call comes from the thread that runs the editor's idle.
#pragma once

#include <memory>

#include "gui/crect.h"
#include "gui/mouse_buttons.h"
#include "gui/pixel_buffer.h"
#include "host/aeffect.h"

class PlatformWindowListener {
public:
    virtual ~PlatformWindowListener() = default;

    virtual void onPlatformMouseDown(CPoint where, CButtonState buttons) = 0;
    virtual void onPlatformMouseMoved(CPoint where, CButtonState buttons) = 0;
    virtual void onPlatformMouseUp(CPoint where, CButtonState buttons) = 0;
    // distance: wheel notches, positive away from the user (up).
    virtual void onPlatformWheel(CPoint where, float distance, CButtonState buttons) = 0;
    virtual bool onPlatformKeyDown(const VstKeyCode& key) = 0;
    virtual bool onPlatformKeyUp(const VstKeyCode& key) = 0;
    // The window needs these pixels shown again (expose, paint).
    virtual void onPlatformExpose(const CRect& area) = 0;

    // The frame's image, drawn up to date; what present() shows.
    virtual const PixelBuffer& platformPixels() const = 0;
};

class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;

    // Hands every event already waiting to the listener; returns at once when
    // there is none.
    virtual void processEvents() = 0;
    // Shows this part of the listener's pixels now.
    virtual void present(const CRect& area) = 0;
    // The host may destroy the parent window before it closes the editor;
    // after that nothing is drawn and nothing of the window is touched again.
    virtual bool isAlive() const = 0;
    // The system's handle of the window, for tests and captures; null offscreen.
    virtual void* nativeHandle() const = 0;
};

// The backend for this parent: offscreen when parent is null, otherwise the
// platform's own (an X11 window id on Linux, an HWND on Windows). Never null:
// a window that cannot be made falls back to offscreen.
std::unique_ptr<PlatformWindow> createPlatformWindow(void* parent, const CRect& size, PlatformWindowListener& listener);
