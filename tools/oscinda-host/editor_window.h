// The host's side of a plug-in editor on X11: a top-level window, on a
// display connection of the tool's own, that the plug-in opens its editor
// in. It can be shown to a person and its pixels (the plug-in's child window
// included) can be read back.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "tools/oscinda-host/rgb_image.h"

class EditorWindow {
public:
    // Opens the display DISPLAY names and shows a window of this size,
    // waiting until it is on screen. Throws ToolError.
    EditorWindow(int width, int height, const std::string& title);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    Display* display() const { return display_; }
    Window window() const { return window_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void resize(int width, int height);
    // Returns when the server has handled every request of ours so far.
    void sync();
    // Handles the events waiting; true once a person asked to close the
    // window (or it went away).
    bool closeRequested();
    // What the window shows now, children included. Throws ToolError when
    // the server cannot give it (the window is not entirely on screen).
    RgbImage capture();

private:
    void waitUntilMapped();
    void release();

    Display* display_ = nullptr;
    Window window_ = 0;
    Atom deleteWindow_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool closed_ = false;
    XErrorHandler previousHandler_ = nullptr;
};

// Sizes an editor window may have; the rectangle a plug-in reports is checked
// against them.
constexpr int kMaxEditorSide = 8192;
