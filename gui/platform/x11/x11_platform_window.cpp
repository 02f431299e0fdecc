#include "gui/platform/x11/x11_platform_window.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gui/platform/x11/x11_error_trap.h"
#include "gui/platform/x11/x11_key_map.h"
#include "gui/platform/x11/x11_pointer.h"

namespace {

// Far beyond any editor; keeps every size inside the protocol's 16 bits.
constexpr int kMaxWindowSide = 16384;

constexpr CButtonState kModifierButtons = kShift | kControl | kAlt;

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            KeyReleaseMask | StructureNotifyMask;

int nativeByteOrder() {
    const std::uint32_t probe = 1;
    return *reinterpret_cast<const unsigned char*>(&probe) == 1 ? LSBFirst : MSBFirst;
}

// Clears a flag when a scope ends, however it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

std::unique_ptr<X11PlatformWindow> X11PlatformWindow::create(void* parent, const CRect& size,
                                                             PlatformWindowListener& listener) {
    if (parent == nullptr) return nullptr;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    std::unique_ptr<X11PlatformWindow> window(new X11PlatformWindow(display, listener));
    if (!window->open(static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent)), size)) return nullptr;
    return window;
}

X11PlatformWindow::X11PlatformWindow(Display* display, PlatformWindowListener& listener)
    : display_(display), listener_(listener) {
    // Without this a lost server connection would end the host's process.
    XSetIOErrorExitHandler(display_, &X11PlatformWindow::onConnectionLost, this);
}

X11PlatformWindow::~X11PlatformWindow() {
    X11ErrorTrap trap(display_);
    // Freed even with the connection lost: the GC's memory is on our side,
    // and Xlib sends nothing on a connection it knows is gone.
    if (gc_ != nullptr) XFreeGC(display_, gc_);
    if (!connectionLost_) {
        if (window_ != 0 && !destroyedByHost_) XDestroyWindow(display_, window_);
        if (ownColormap_ != 0) XFreeColormap(display_, ownColormap_);
    }
    // Closing syncs: errors of the requests above still arrive inside the trap.
    XCloseDisplay(display_);
}

bool X11PlatformWindow::open(Window parent, const CRect& size) {
    X11ErrorTrap trap(display_);
    XWindowAttributes parentAttributes{};
    if (parent == 0 || XGetWindowAttributes(display_, parent, &parentAttributes) == 0 || trap.caughtError())
        return false;

    Screen* screen = parentAttributes.screen;
    Visual* visual = DefaultVisualOfScreen(screen);
    int depth = DefaultDepthOfScreen(screen);
    Colormap colormap = DefaultColormapOfScreen(screen);
    if (visual->c_class != TrueColor) {
        XVisualInfo info{};
        if (XMatchVisualInfo(display_, XScreenNumberOfScreen(screen), 24, TrueColor, &info) == 0) return false;
        visual = info.visual;
        depth = info.depth;
        ownColormap_ = XCreateColormap(display_, RootWindowOfScreen(screen), visual, AllocNone);
        colormap = ownColormap_;
    }

    width_ = std::clamp(size.width(), 1, kMaxWindowSide);
    height_ = std::clamp(size.height(), 1, kMaxWindowSide);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;  // we paint every exposed pixel
    attributes.border_pixel = 0;          // both needed when the depth differs from the parent's
    attributes.colormap = colormap;
    attributes.event_mask = kEventMask;
    window_ =
        XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width_), static_cast<unsigned>(height_), 0, depth,
                      InputOutput, visual, CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    XMapWindow(display_, window_);
    if (!trap.sync() || connectionLost_) return false;

    visual_ = visual;
    depth_ = depth;
    format_ = X11PixelFormat(visual->red_mask, visual->green_mask, visual->blue_mask);
    created_ = true;
    return true;
}

void* X11PlatformWindow::nativeHandle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_)); }

void X11PlatformWindow::processEvents() {
    // A listener may make the host call the idle again from inside an event.
    if (processing_ || !isAlive()) return;
    FlagScope processing(processing_);
    X11ErrorTrap trap(display_);
    while (isAlive() && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        dispatch(event);
    }
}

void X11PlatformWindow::dispatch(XEvent& event) {
    switch (event.type) {
    case Expose: {
        const XExposeEvent& expose = event.xexpose;
        exposed_.unite(CRect(expose.x, expose.y, expose.x + expose.width, expose.y + expose.height));
        if (expose.count == 0) {  // the last of a series
            const CRect area = exposed_;
            exposed_ = CRect();
            listener_.onPlatformExpose(area);
            present(area);
        }
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        const XButtonEvent& button = event.xbutton;
        const CPoint where(button.x, button.y);
        const CButtonState state = pointerStateOf(button.state);
        const CButtonState pressed = pointerButtonOf(button.button);
        const int notches = wheelNotchesOf(button.button);
        if (event.type == ButtonPress && notches != 0) {
            listener_.onPlatformWheel(where, static_cast<float>(notches), state);
        } else if (pressed != 0) {
            // The button that changed, with the modifiers held.
            const CButtonState buttons = pressed | (state & kModifierButtons);
            if (event.type == ButtonPress)
                listener_.onPlatformMouseDown(where, buttons);
            else
                listener_.onPlatformMouseUp(where, buttons);
        }
        break;
    }
    case MotionNotify: {
        // Only the latest of a run of motions matters.
        XEvent latest = event;
        while (XEventsQueued(display_, QueuedAlready) > 0) {
            XEvent next;
            XPeekEvent(display_, &next);
            if (next.type != MotionNotify) break;
            XNextEvent(display_, &latest);
        }
        const XMotionEvent& motion = latest.xmotion;
        listener_.onPlatformMouseMoved(CPoint(motion.x, motion.y), pointerStateOf(motion.state));
        break;
    }
    case KeyPress:
    case KeyRelease: dispatchKey(event.xkey); break;
    case DestroyNotify:
        if (event.xdestroywindow.window == window_) destroyedByHost_ = true;
        break;
    default: break;
    }
}

void X11PlatformWindow::dispatchKey(XKeyEvent& event) {
    char text[16];
    KeySym keysym = NoSymbol;
    XLookupString(&event, text, sizeof text, &keysym, nullptr);
    const VstKeyCode key = vstKeyCodeOf(keysym, event.state);
    if (key.character == 0 && key.virt == 0) return;
    if (event.type == KeyPress)
        listener_.onPlatformKeyDown(key);
    else
        listener_.onPlatformKeyUp(key);
}

void X11PlatformWindow::present(const CRect& area) {
    if (!isAlive()) return;
    const PixelBuffer& pixels = listener_.platformPixels();
    CRect shown = area;
    shown.bound(pixels.bounds());
    shown.bound(CRect(0, 0, width_, height_));
    if (shown.isEmpty()) return;
    X11ErrorTrap trap(display_);
    putPixels(shown);
    XFlush(display_);
}

void X11PlatformWindow::putPixels(const CRect& area) {
    const PixelBuffer& pixels = listener_.platformPixels();
    const auto width = static_cast<unsigned>(area.width());
    const auto height = static_cast<unsigned>(area.height());
    if (format_.isNative()) {
        // The buffer as it is: an image over the whole buffer, of which the
        // area goes out. Xlib swaps bytes if the server's order differs.
        XImage* image = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                                     static_cast<unsigned>(pixels.width()), static_cast<unsigned>(pixels.height()), 32,
                                     pixels.width() * 4);
        if (image == nullptr) return;
        if (image->bits_per_pixel == 32) {
            image->data = reinterpret_cast<char*>(const_cast<Pixel*>(pixels.data()));
            image->byte_order = nativeByteOrder();
            XPutImage(display_, window_, gc_, image, area.left, area.top, area.left, area.top, width, height);
            image->data = nullptr;  // the buffer is not the image's to free
            XDestroyImage(image);
            return;
        }
        XDestroyImage(image);
    }
    // Any other TrueColor layout: the area converted pixel by pixel.
    XImage* image =
        XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr, width, height, 32, 0);
    if (image == nullptr) return;
    image->data = static_cast<char*>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) * height));
    if (image->data == nullptr) {
        XDestroyImage(image);
        return;
    }
    for (int y = 0; y < area.height(); ++y) {
        const Pixel* row = pixels.row(area.top + y) + area.left;
        for (int x = 0; x < area.width(); ++x) XPutPixel(image, x, y, format_.valueOf(row[x]));
    }
    XPutImage(display_, window_, gc_, image, 0, 0, area.left, area.top, width, height);
    XDestroyImage(image);  // frees the converted pixels too
}

void X11PlatformWindow::onConnectionLost(Display* /*display*/, void* self) {
    static_cast<X11PlatformWindow*>(self)->connectionLost_ = true;
}
