#include "tools/oscinda-host/editor_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>

#include "tools/oscinda-host/tool_error.h"

namespace {

constexpr int kMapTimeoutMilliseconds = 10000;

// The tool is the host here, so the process-wide X error handler is its
// own: errors on the tool's connection are recorded for the call that made
// them; errors on a plug-in's connection that the plug-in did not catch are
// dropped instead of ending the process the way Xlib's default handler would.
Display* toolDisplay = nullptr;
int toolErrors = 0;

int onXError(Display* display, XErrorEvent* /*error*/) {
    if (display == toolDisplay) ++toolErrors;
    return 0;
}

std::string displayNameForMessages() {
    const char* name = std::getenv("DISPLAY");
    return name != nullptr ? name : "";
}

struct ChannelScale {
    int shift = 0;
    unsigned long max = 0;
};

ChannelScale scaleOf(unsigned long mask) {
    ChannelScale scale;
    if (mask == 0) return scale;
    while ((mask & 1ul) == 0) {
        mask >>= 1;
        ++scale.shift;
    }
    scale.max = mask;
    return scale;
}

std::uint8_t channelOf(unsigned long pixel, const ChannelScale& scale) {
    if (scale.max == 0) return 0;
    const unsigned long value = (pixel >> scale.shift) & scale.max;
    return static_cast<std::uint8_t>((value * 255ul + scale.max / 2) / scale.max);
}

}  // namespace

EditorWindow::EditorWindow(int width, int height, const std::string& title) : width_(width), height_(height) {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) throw ToolError("cannot open display '" + displayNameForMessages() + "'");
    toolDisplay = display_;
    toolErrors = 0;
    previousHandler_ = XSetErrorHandler(onXError);

    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display_, screen);
    attributes.event_mask = StructureNotifyMask;
    window_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                            CWBackPixel | CWEventMask, &attributes);
    XStoreName(display_, window_, title.c_str());
    // A fixed size: the editor does not follow a resized frame.
    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->flags = PMinSize | PMaxSize;
        hints->min_width = hints->max_width = width;
        hints->min_height = hints->max_height = height;
        XSetWMNormalHints(display_, window_, hints);
        XFree(hints);
    }
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteWindow_, 1);
    XMapRaised(display_, window_);
    try {
        waitUntilMapped();
    } catch (...) {
        release();
        throw;
    }
}

void EditorWindow::waitUntilMapped() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kMapTimeoutMilliseconds);
    XEvent event;
    while (!XCheckTypedWindowEvent(display_, window_, MapNotify, &event)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) throw ToolError("the editor window did not appear on '" + displayNameForMessages() + "'");
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
    }
}

EditorWindow::~EditorWindow() { release(); }

void EditorWindow::release() {
    if (display_ == nullptr) return;
    if (!closed_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
    display_ = nullptr;
    toolDisplay = nullptr;
    XSetErrorHandler(previousHandler_);
}

void EditorWindow::resize(int width, int height) {
    width_ = width;
    height_ = height;
    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
        hints->flags = PMinSize | PMaxSize;
        hints->min_width = hints->max_width = width;
        hints->min_height = hints->max_height = height;
        XSetWMNormalHints(display_, window_, hints);
        XFree(hints);
    }
    XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
    sync();
}

void EditorWindow::sync() { XSync(display_, False); }

bool EditorWindow::closeRequested() {
    while (!closed_ && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) return true;
        if (event.type == DestroyNotify && event.xdestroywindow.window == window_) closed_ = true;
    }
    return closed_;
}

RgbImage EditorWindow::capture() {
    toolErrors = 0;
    XImage* image = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(width_), static_cast<unsigned>(height_),
                              AllPlanes, ZPixmap);
    sync();
    if (image == nullptr || toolErrors > 0) {
        if (image != nullptr) XDestroyImage(image);
        throw ToolError("cannot read the editor window's pixels: it is not entirely on screen");
    }
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window_, &attributes);
    if (attributes.visual->c_class != TrueColor && attributes.visual->c_class != DirectColor) {
        XDestroyImage(image);
        throw ToolError("cannot read the editor window's pixels: the display has no TrueColor visual");
    }
    const ChannelScale red = scaleOf(attributes.visual->red_mask);
    const ChannelScale green = scaleOf(attributes.visual->green_mask);
    const ChannelScale blue = scaleOf(attributes.visual->blue_mask);

    RgbImage picture;
    picture.width = width_;
    picture.height = height_;
    picture.rgb.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
    std::uint8_t* out = picture.rgb.data();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            *out++ = channelOf(pixel, red);
            *out++ = channelOf(pixel, green);
            *out++ = channelOf(pixel, blue);
        }
    }
    XDestroyImage(image);
    return picture;
}
