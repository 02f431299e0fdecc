#include "tests/platform/x11_test_display.h"

#include <X11/Xutil.h>
#include <dirent.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

std::atomic<int> errorsSeen{0};

}  // namespace

std::uint32_t widened(unsigned long value, unsigned long mask) {
    if (mask == 0) return 0;
    while ((mask & 1ul) == 0) {
        mask >>= 1;
        value >>= 1;
    }
    return static_cast<std::uint32_t>(((value & mask) * 255ul + mask / 2) / mask);
}

std::string testDisplayName() {
    if (const char* state = std::getenv("OSCINDA_TEST_X11_STATE")) {
        std::ifstream in(state);
        std::string name;
        if (in >> name) return name;
    }
    const char* display = std::getenv("DISPLAY");
    return display != nullptr ? display : "";
}

bool useTestDisplay() {
    const std::string name = testDisplayName();
    if (name.empty()) return false;
    setenv("DISPLAY", name.c_str(), 1);
    return true;
}

bool pollUntil(const std::function<void()>& step, const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        step();
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

int openDescriptorCount() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') ++count;
        closedir(dir);
        --count;  // the directory stream's own
    }
    return count;
}

HostConnection::HostConnection(const std::string& displayName) {
    display_ = XOpenDisplay(displayName.c_str());
    if (display_ == nullptr) throw std::runtime_error("cannot open test display '" + displayName + "'");
    previous_ = XSetErrorHandler(&HostConnection::hostErrorHandler);
    resetHostErrors();
}

HostConnection::~HostConnection() {
    for (Window window : windows_) XDestroyWindow(display_, window);
    XSync(display_, False);
    XSetErrorHandler(previous_);
    XCloseDisplay(display_);
}

Window HostConnection::makeParent(int width, int height, int x, int y) {
    const int screen = DefaultScreen(display_);
    const Window window = XCreateSimpleWindow(display_, RootWindow(display_, screen), x, y,
                                              static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                              BlackPixel(display_, screen), BlackPixel(display_, screen));
    XMapRaised(display_, window);
    XSync(display_, False);
    windows_.push_back(window);
    return window;
}

void HostConnection::destroy(Window window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if (*it == window) {
            windows_.erase(it);
            break;
        }
    }
}

std::vector<std::uint32_t> HostConnection::pixelsOf(Window window, int width, int height) {
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    std::vector<std::uint32_t> pixels;
    if (image == nullptr) return pixels;
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    const Visual& visual = *attributes.visual;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned long value = XGetPixel(image, x, y);
            pixels.push_back(0xFF000000u | (widened(value, visual.red_mask) << 16) |
                             (widened(value, visual.green_mask) << 8) | widened(value, visual.blue_mask));
        }
    }
    XDestroyImage(image);
    return pixels;
}

void HostConnection::send(Window target, XEvent event, long mask) {
    event.xany.display = display_;
    event.xany.window = target;
    XSendEvent(display_, target, False, mask, &event);
    XSync(display_, False);
}

int HostConnection::hostErrors() { return errorsSeen.load(); }
void HostConnection::resetHostErrors() { errorsSeen = 0; }
int HostConnection::hostErrorHandler(Display*, XErrorEvent*) {
    ++errorsSeen;
    return 0;
}
