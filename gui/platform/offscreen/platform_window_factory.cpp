// Which backend an editor gets: the platform's own when the host handed a
// parent window and one could be made inside it, offscreen otherwise.
#include <memory>

#include "gui/platform/offscreen/offscreen_platform_window.h"
#include "gui/platform/platform_window.h"

#if defined(_WIN32)
#include "gui/platform/win32/win32_platform_window.h"
#elif OSCINDA_X11
#include "gui/platform/x11/x11_platform_window.h"
#endif

std::unique_ptr<PlatformWindow> createPlatformWindow(void* parent, const CRect& size,
                                                     PlatformWindowListener& listener) {
    std::unique_ptr<PlatformWindow> window;
#if defined(_WIN32)
    if (parent != nullptr) window = Win32PlatformWindow::create(parent, size, listener);
#elif OSCINDA_X11
    if (parent != nullptr) window = X11PlatformWindow::create(parent, size, listener);
#else
    (void)parent;
    (void)size;
    (void)listener;
#endif
    if (!window) window = std::make_unique<OffscreenPlatformWindow>();
    return window;
}
