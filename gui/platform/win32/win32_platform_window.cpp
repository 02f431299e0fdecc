#include "gui/platform/win32/win32_platform_window.h"

#include <windowsx.h>

#include "gui/platform/win32/win32_key_map.h"
#include "gui/platform/win32/win32_window_class.h"

namespace {

CPoint pointOf(LPARAM lParam) {
    // Signed: while the mouse is captured it may be left of or above the window.
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

CButtonState buttonsOf(WPARAM keyState) {
    CButtonState buttons = 0;
    if ((keyState & MK_LBUTTON) != 0) buttons |= kLButton;
    if ((keyState & MK_MBUTTON) != 0) buttons |= kMButton;
    if ((keyState & MK_RBUTTON) != 0) buttons |= kRButton;
    if ((keyState & MK_SHIFT) != 0) buttons |= kShift;
    if ((keyState & MK_CONTROL) != 0) buttons |= kControl;
    // Mouse messages carry no Alt state.
    if (GetKeyState(VK_MENU) < 0) buttons |= kAlt;
    return buttons;
}

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

VstKeyCode keyOf(WPARAM wParam, LPARAM lParam) {
    const auto virtualKey = static_cast<unsigned>(wParam);
    const bool extended = (static_cast<unsigned long>(lParam) & (1ul << 24)) != 0;
    // The unshifted character on the user's layout; dead keys flagged in the top bit.
    const UINT typed = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) & 0x7FFFu;
    return vstKeyCodeOf(virtualKey, extended, heldModifiers(), typed);
}

}  // namespace

std::unique_ptr<PlatformWindow> Win32PlatformWindow::create(void* parent, const CRect& size,
                                                            PlatformWindowListener& listener) {
    const auto parentWindow = static_cast<HWND>(parent);
    if (parentWindow == nullptr || IsWindow(parentWindow) == 0 || size.isEmpty()) return nullptr;
    std::unique_ptr<Win32PlatformWindow> created(new Win32PlatformWindow(listener));
    if (!holdEditorWindowClass(&Win32PlatformWindow::procedure)) return nullptr;
    created->classHeld = true;
    // WM_NCCREATE hands the window its object (GWLP_USERDATA), so even the
    // messages sent during creation find it.
    const HWND made =
        CreateWindowExW(0, editorWindowClassName().c_str(), L"", WS_CHILD | WS_VISIBLE, size.left, size.top,
                        size.width(), size.height(), parentWindow, nullptr, editorModuleInstance(), created.get());
    if (made == nullptr) return nullptr;  // the destructor lets go of the class
    return created;
}

Win32PlatformWindow::~Win32PlatformWindow() {
    if (window != nullptr) {
        // Nothing reaches the frame from here on: it is going away.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
        window = nullptr;
    }
    if (classHeld) releaseEditorWindowClass();
}

void Win32PlatformWindow::processEvents() {
    // Sends WM_PAINT now if part of the window waits for it; otherwise returns.
    if (window != nullptr) UpdateWindow(window);
}

void Win32PlatformWindow::present(const CRect& area) {
    if (window == nullptr || area.isEmpty()) return;
    const RECT changed{area.left, area.top, area.right, area.bottom};
    if (painting && contains(paintArea, changed)) return;  // the paint under way shows it
    InvalidateRect(window, &changed, FALSE);
}

LRESULT CALLBACK Win32PlatformWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Win32PlatformWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<Win32PlatformWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (self != nullptr && self->handle(message, wParam, lParam, result)) return result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Handlers whose call into the frame may reach the host call it last: the
// host may close the editor from such a request, and this object with it.
bool Win32PlatformWindow::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_PAINT: paint(); return true;
    case WM_PRINTCLIENT:
        // PrintWindow and WM_PRINT: the pixels, into the caller's device context.
        showPixels(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_ERASEBKGND:
        result = 1;  // every pixel is painted: no background first, no flicker
        return true;
    case WM_LBUTTONDOWN: mouseDown(pointOf(lParam), buttonsOf(wParam) | kLButton); return true;
    case WM_MBUTTONDOWN: mouseDown(pointOf(lParam), buttonsOf(wParam) | kMButton); return true;
    case WM_RBUTTONDOWN: mouseDown(pointOf(lParam), buttonsOf(wParam) | kRButton); return true;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP: mouseUp(pointOf(lParam), buttonsOf(wParam)); return true;
    case WM_MOUSEMOVE:
        lastMouse = pointOf(lParam);
        listener.onPlatformMouseMoved(lastMouse, buttonsOf(wParam));
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) endGesture();
        return true;
    case WM_MOUSEWHEEL: {
        POINT where{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
        ScreenToClient(window, &where);
        const float notches = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / static_cast<float>(WHEEL_DELTA);
        listener.onPlatformWheel(CPoint(where.x, where.y), notches, buttonsOf(GET_KEYSTATE_WPARAM(wParam)));
        return true;
    }
    case WM_KEYDOWN:
    case WM_KEYUP: {
        const HWND parent = GetParent(window);
        const VstKeyCode key = keyOf(wParam, lParam);
        const bool taken = message == WM_KEYDOWN ? listener.onPlatformKeyDown(key) : listener.onPlatformKeyUp(key);
        // Keys the editor has no use for stay the host's (its shortcuts).
        if (!taken && parent != nullptr) SendMessageW(parent, message, wParam, lParam);
        return true;
    }
    case WM_DESTROY: windowDestroyed(); return false;
    default: return false;
    }
}

void Win32PlatformWindow::paint() {
    PAINTSTRUCT paintInfo;
    HDC dc = BeginPaint(window, &paintInfo);
    if (dc == nullptr) return;
    const RECT& area = paintInfo.rcPaint;
    // Views changed since the last idle are drawn first; what they present
    // inside this area is shown below, the rest is invalidated for later.
    painting = true;
    paintArea = area;
    listener.onPlatformExpose(CRect(area.left, area.top, area.right, area.bottom));
    painting = false;
    showPixels(dc);
    EndPaint(window, &paintInfo);
}

void Win32PlatformWindow::showPixels(HDC dc) const {
    const PixelBuffer& pixels = listener.platformPixels();
    if (dc == nullptr || pixels.empty()) return;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = pixels.width();
    format.bmiHeader.biHeight = -pixels.height();  // rows top to bottom, as the buffer holds them
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    // The whole picture; the device context clips it to what needs showing.
    const auto rows = static_cast<UINT>(pixels.height());
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(pixels.width()), rows, 0, 0, 0, rows, pixels.data(), &format,
                      DIB_RGB_COLORS);
}

void Win32PlatformWindow::mouseDown(CPoint where, CButtonState buttons) {
    lastMouse = where;
    if (!buttonHeld) {
        // The drag goes on outside the window, and its release comes back here.
        buttonHeld = true;
        SetCapture(window);
    }
    listener.onPlatformMouseDown(where, buttons);
}

void Win32PlatformWindow::mouseUp(CPoint where, CButtonState buttons) {
    lastMouse = where;
    // One of several buttons let go: the gesture goes on until the last.
    if ((buttons & (kLButton | kMButton | kRButton)) != 0) return;
    if (buttonHeld) {
        buttonHeld = false;
        ReleaseCapture();  // WM_CAPTURECHANGED, with no gesture left to end
    }
    listener.onPlatformMouseUp(where, buttons);
}

void Win32PlatformWindow::endGesture() {
    if (!buttonHeld) return;
    buttonHeld = false;
    listener.onPlatformMouseUp(lastMouse, 0);
}

void Win32PlatformWindow::windowDestroyed() {
    const HWND gone = window;
    window = nullptr;
    SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
    endGesture();
}
