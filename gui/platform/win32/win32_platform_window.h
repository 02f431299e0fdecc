// The editor's window on Windows: a child of the HWND the host passes to
// effEditOpen, the frame's size, showing the frame's pixels as a 32-bit
// top-down DIB.
//
// The host's own message loop delivers the window's messages, on the host's
// GUI thread, straight to the frame: mouse (captured while a button is held),
// wheel, keys, paint. processEvents() only lets Windows deliver the paint the
// last present() asked for; it never waits.
#pragma once

#include <windows.h>

#include <memory>

#include "gui/platform/platform_window.h"

class Win32PlatformWindow : public PlatformWindow {
public:
    // Null when parent is no window or the window cannot be made.
    static std::unique_ptr<PlatformWindow> create(void* parent, const CRect& size, PlatformWindowListener& listener);
    ~Win32PlatformWindow() override;
    Win32PlatformWindow(const Win32PlatformWindow&) = delete;
    Win32PlatformWindow& operator=(const Win32PlatformWindow&) = delete;

    void processEvents() override;
    void present(const CRect& area) override;
    bool isAlive() const override { return window != nullptr; }
    void* nativeHandle() const override { return window; }

private:
    explicit Win32PlatformWindow(PlatformWindowListener& frameListener) : listener(frameListener) {}

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Handles message for the live window; false sends it on to
    // DefWindowProc.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void paint();
    // Copies the listener's pixels to dc, clipped as dc is.
    void showPixels(HDC dc) const;
    void mouseDown(CPoint where, CButtonState buttons);
    void mouseUp(CPoint where, CButtonState buttons);
    // The window went without us (the host destroyed its parent): nothing of
    // it is touched again, and a gesture under way ends.
    void windowDestroyed();
    // A gesture the window can no longer follow (capture taken away) ends
    // where the mouse was last seen.
    void endGesture();

    PlatformWindowListener& listener;
    HWND window = nullptr;
    bool classHeld = false;
    bool buttonHeld = false;
    CPoint lastMouse;
    // While WM_PAINT draws: what it is about to show anyway.
    bool painting = false;
    RECT paintArea{};
};
