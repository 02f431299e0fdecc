// The top view of an editor: it owns the views added to it, draws them into
// its pixel buffer over its background bitmap, hands the window system's
// mouse, wheel and key events to them, and shows the result through its
// platform window (an X11 or Win32 child of the host's window, or none at
// all offscreen).
//
// All of it runs on the editor's thread: the host's effEditIdle drives the
// frame's idle, which takes the window's pending events and redraws what
// changed. Values that other threads set on controls are drawn there.
#pragma once

#include <memory>
#include <vector>

#include "gui/cview.h"
#include "gui/pixel_buffer.h"
#include "gui/platform/platform_window.h"

class AEffGUIEditor;

class CFrame : public CView, public PlatformWindowListener {
public:
    // systemWindow: the parent window the host handed to effEditOpen, or null
    // for a frame drawn offscreen only.
    CFrame(const CRect& size, void* systemWindow, AEffGUIEditor* editor);
    ~CFrame() override;

    // Takes over the caller's reference to view; the frame forgets it when it
    // goes. Views are drawn and hit in the order added, later ones on top.
    bool addView(CView* view);
    const std::vector<CView*>& getViews() const { return views; }

    // Takes the window's pending events and redraws every dirty view.
    void idle();
    // Redraws every dirty view into the pixel buffer and shows what changed.
    void redrawDirtyViews();
    void draw(CDrawContext* context) override;

    AEffGUIEditor* getEditor() const { return editor; }
    // Brackets of a control's gesture, passed to the editor with the tag.
    void beginEdit(long tag);
    void endEdit(long tag);

    const PixelBuffer& getPixels() const { return pixels; }
    PlatformWindow& getPlatformWindow() { return *window; }
    CView* getFocusView() const { return focusView; }

    // Events from the window system (and from tests, which drive the frame
    // exactly as a window would).
    void onPlatformMouseDown(CPoint where, CButtonState buttons) override;
    void onPlatformMouseMoved(CPoint where, CButtonState buttons) override;
    void onPlatformMouseUp(CPoint where, CButtonState buttons) override;
    void onPlatformWheel(CPoint where, float distance, CButtonState buttons) override;
    bool onPlatformKeyDown(const VstKeyCode& key) override;
    bool onPlatformKeyUp(const VstKeyCode& key) override;
    void onPlatformExpose(const CRect& area) override;
    const PixelBuffer& platformPixels() const override { return pixels; }

private:
    // The topmost view under where that takes the mouse, or null.
    CView* viewAt(const CPoint& where) const;
    // Draws area afresh: the background, then every view that meets it.
    void redrawArea(const CRect& area);

    AEffGUIEditor* editor;
    PixelBuffer pixels;
    std::vector<CView*> views;
    CView* mouseView = nullptr;  // the view following the mouse while a button is down
    CView* focusView = nullptr;  // the view last clicked: it gets the keys
    bool wholeFrameDirty = true;
    std::unique_ptr<PlatformWindow> window;
};
