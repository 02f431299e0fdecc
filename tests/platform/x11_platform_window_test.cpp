// The X11 backend under a real X server: what it presents is what the
// server holds, and the server's events reach the listener with the right
// place, buttons, keys and modifiers.

// gtest before any X11 header: Xlib's macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

#include "gui/platform/x11/x11_key_map.h"
#include "tests/platform/x11_window_fixture.h"
#include "tests/support/row_name.h"

namespace {

std::vector<std::uint32_t> bufferPixels(const PixelBuffer& pixels) {
    return std::vector<std::uint32_t>(pixels.data(), pixels.data() + pixels.width() * pixels.height());
}

using X11PresentTest = X11WindowFixture;

TEST_F(X11PresentTest, PresentedPixelsComeBackIdentical) {
    auto window = openWindow();
    paintGradient(listener.pixels);
    window->present(listener.pixels.bounds());
    std::vector<std::uint32_t> shown;
    EXPECT_TRUE(pollUntil([&] { shown = host->pixelsOf(windowOf(*window), kWidth, kHeight); },
                          [&] { return shown == bufferPixels(listener.pixels); }));
    EXPECT_EQ(shown, bufferPixels(listener.pixels));
}

TEST_F(X11PresentTest, PresentShowsThatAreaAndNoOther) {
    auto window = openWindow();
    paintGradient(listener.pixels, 0);
    window->present(listener.pixels.bounds());
    const PixelBuffer before = listener.pixels;
    paintGradient(listener.pixels, 41);
    const CRect area(13, 7, 71, 55);
    window->present(area);

    PixelBuffer expected = before;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) expected.at(x, y) = listener.pixels.at(x, y);
    std::vector<std::uint32_t> shown;
    EXPECT_TRUE(pollUntil([&] { shown = host->pixelsOf(windowOf(*window), kWidth, kHeight); },
                          [&] { return shown == bufferPixels(expected); }));
    EXPECT_EQ(shown, bufferPixels(expected));
}

TEST_F(X11PresentTest, AreasBeyondTheBufferAreClippedNotRefused) {
    auto window = openWindow();
    paintGradient(listener.pixels);
    window->present(CRect(-500, -500, 5000, 5000));
    std::vector<std::uint32_t> shown;
    EXPECT_TRUE(pollUntil([&] { shown = host->pixelsOf(windowOf(*window), kWidth, kHeight); },
                          [&] { return shown == bufferPixels(listener.pixels); }));
    // A buffer smaller than the window, then none at all: nothing outside it
    // is read, and nothing fails.
    listener.pixels = PixelBuffer(10, 10, 0xFF00FF00u);
    window->present(CRect(0, 0, kWidth, kHeight));
    listener.pixels = PixelBuffer();
    window->present(CRect(0, 0, kWidth, kHeight));
    host->sync();
    EXPECT_TRUE(window->isAlive());
    EXPECT_EQ(HostConnection::hostErrors(), 0);
}

TEST_F(X11PresentTest, ExposeSeriesArrivesOnceUnitedAndIsShown) {
    auto window = openWindow();
    listener.pixels = PixelBuffer(kWidth, kHeight, 0xFF3366CCu);
    XEvent first{};
    first.type = Expose;
    first.xexpose.x = 5;
    first.xexpose.y = 6;
    first.xexpose.width = 10;
    first.xexpose.height = 10;
    first.xexpose.count = 1;  // one more follows
    XEvent last = first;
    last.xexpose.x = 30;
    last.xexpose.y = 40;
    last.xexpose.width = 20;
    last.xexpose.height = 5;
    last.xexpose.count = 0;
    host->send(windowOf(*window), first, ExposureMask);
    host->send(windowOf(*window), last, ExposureMask);

    ASSERT_TRUE(waitFor(*window, [&] { return !listener.callsOf("expose").empty(); }));
    const std::vector<ListenerCall> exposes = listener.callsOf("expose");
    ASSERT_EQ(exposes.size(), 1u);
    EXPECT_EQ(exposes[0].area, CRect(5, 6, 50, 45));
    std::vector<std::uint32_t> shown;
    EXPECT_TRUE(pollUntil([&] { shown = host->pixelsOf(windowOf(*window), kWidth, kHeight); },
                          [&] {
                              return shown.size() == kWidth * kHeight && shown[6 * kWidth + 5] == 0xFF3366CCu &&
                                     shown[44 * kWidth + 49] == 0xFF3366CCu;
                          }));
}

// One event sent to the backend's window, and the one call it must cause.
struct EventRow {
    std::string name;
    std::function<XEvent(Display*)> event;
    long mask;
    ListenerCall expected;
    friend void PrintTo(const EventRow& row, std::ostream* out) { *out << row.name; }
};

XEvent button(int type, unsigned int number, int x, int y, unsigned int state) {
    XEvent event{};
    event.type = type;
    event.xbutton.button = number;
    event.xbutton.x = x;
    event.xbutton.y = y;
    // Far from x and y: the listener must get window coordinates.
    event.xbutton.x_root = x + 500;
    event.xbutton.y_root = y + 300;
    event.xbutton.state = state;
    event.xbutton.same_screen = True;
    return event;
}

XEvent motion(int x, int y, unsigned int state) {
    XEvent event{};
    event.type = MotionNotify;
    event.xmotion.x = x;
    event.xmotion.y = y;
    event.xmotion.x_root = x + 500;
    event.xmotion.y_root = y + 300;
    event.xmotion.state = state;
    event.xmotion.same_screen = True;
    return event;
}

std::function<XEvent(Display*)> key(int type, KeySym keysym, unsigned int state) {
    return [=](Display* display) {
        XEvent event{};
        event.type = type;
        event.xkey.keycode = XKeysymToKeycode(display, keysym);
        event.xkey.state = state;
        event.xkey.same_screen = True;
        return event;
    };
}

std::function<XEvent(Display*)> fixed(XEvent event) {
    return [=](Display*) { return event; };
}

ListenerCall pointerCall(const char* kind, int x, int y, CButtonState buttons, float distance = 0.0f) {
    ListenerCall call;
    call.kind = kind;
    call.where = CPoint(x, y);
    call.buttons = buttons;
    call.distance = distance;
    return call;
}

ListenerCall keyCall(const char* kind, VstInt32 character, unsigned char virt, unsigned char modifier) {
    ListenerCall call;
    call.kind = kind;
    call.key.character = character;
    call.key.virt = virt;
    call.key.modifier = modifier;
    return call;
}

class X11EventTest : public X11WindowFixture, public testing::WithParamInterface<EventRow> {};

TEST_P(X11EventTest, ReachesTheListener) {
    const EventRow& row = GetParam();
    auto window = openWindow();
    host->send(windowOf(*window), row.event(host->display()), row.mask);
    ASSERT_TRUE(waitFor(*window, [&] { return !listener.calls.empty(); })) << "no call arrived";
    ASSERT_EQ(listener.calls.size(), 1u);
    const ListenerCall& call = listener.calls[0];
    const ListenerCall& expected = row.expected;
    EXPECT_EQ(call.kind, expected.kind);
    EXPECT_EQ(call.where, expected.where);
    EXPECT_EQ(call.buttons, expected.buttons);
    EXPECT_EQ(call.distance, expected.distance);
    EXPECT_EQ(call.key.character, expected.key.character);
    EXPECT_EQ(call.key.virt, expected.key.virt);
    EXPECT_EQ(call.key.modifier, expected.key.modifier);
}

INSTANTIATE_TEST_SUITE_P(
    Table, X11EventTest,
    testing::Values(
        EventRow{"left_press_with_shift", fixed(button(ButtonPress, Button1, 17, 23, ShiftMask)), ButtonPressMask,
                 pointerCall("down", 17, 23, kLButton | kShift)},
        EventRow{"middle_press_with_alt", fixed(button(ButtonPress, Button2, 0, 0, Mod1Mask)), ButtonPressMask,
                 pointerCall("down", 0, 0, kMButton | kAlt)},
        EventRow{"right_release_with_control",
                 fixed(button(ButtonRelease, Button3, 119, 89, Button3Mask | ControlMask)), ButtonReleaseMask,
                 pointerCall("up", 119, 89, kRButton | kControl)},
        EventRow{"left_release_while_right_held",
                 fixed(button(ButtonRelease, Button1, 4, 5, Button1Mask | Button3Mask)), ButtonReleaseMask,
                 pointerCall("up", 4, 5, kLButton)},
        EventRow{"wheel_up", fixed(button(ButtonPress, Button4, 60, 30, 0)), ButtonPressMask,
                 pointerCall("wheel", 60, 30, 0, 1.0f)},
        EventRow{"wheel_down_with_left_held_and_shift",
                 fixed(button(ButtonPress, Button5, 8, 9, Button1Mask | ShiftMask)), ButtonPressMask,
                 pointerCall("wheel", 8, 9, kLButton | kShift, -1.0f)},
        EventRow{"drag_with_left_and_control", fixed(motion(40, 50, Button1Mask | ControlMask)), PointerMotionMask,
                 pointerCall("moved", 40, 50, kLButton | kControl)},
        EventRow{"move_outside_the_window", fixed(motion(-3, 200, 0)), PointerMotionMask,
                 pointerCall("moved", -3, 200, 0)},
        EventRow{"letter_with_shift", key(KeyPress, XK_a, ShiftMask), KeyPressMask, keyCall("keydown", 'A', 0, 1)},
        EventRow{"digit_with_control", key(KeyPress, XK_7, ControlMask), KeyPressMask, keyCall("keydown", '7', 0, 4)},
        EventRow{"left_arrow", key(KeyPress, XK_Left, 0), KeyPressMask, keyCall("keydown", 0, 11, 0)},
        EventRow{"escape_with_alt", key(KeyPress, XK_Escape, Mod1Mask), KeyPressMask, keyCall("keydown", 0, 6, 2)},
        EventRow{"return", key(KeyPress, XK_Return, 0), KeyPressMask, keyCall("keydown", 0, 4, 0)},
        EventRow{"space", key(KeyPress, XK_space, 0), KeyPressMask, keyCall("keydown", ' ', 7, 0)},
        EventRow{"f5_released_with_control", key(KeyRelease, XK_F5, ControlMask), KeyReleaseMask,
                 keyCall("keyup", 0, 44, 4)},
        EventRow{"page_down_released", key(KeyRelease, XK_Page_Down, 0), KeyReleaseMask, keyCall("keyup", 0, 16, 0)}),
    rowName<EventRow>);

TEST_F(X11WindowFixture, WheelReleasesAndUnknownButtonsCauseNothing) {
    auto window = openWindow();
    const Window target = windowOf(*window);
    host->send(target, button(ButtonRelease, Button4, 1, 1, Button4Mask), ButtonReleaseMask);
    host->send(target, button(ButtonPress, 8, 1, 1, 0), ButtonPressMask);  // a side button
    host->send(target, button(ButtonPress, Button1, 2, 3, 0), ButtonPressMask);
    ASSERT_TRUE(waitFor(*window, [&] { return !listener.calls.empty(); }));
    ASSERT_EQ(listener.calls.size(), 1u);
    EXPECT_EQ(listener.calls[0].kind, "down");
    EXPECT_EQ(listener.calls[0].where, CPoint(2, 3));
}

// A host that runs the editor's idle from inside a request the editor made
// while handling an event (an automation call, say).
class ReenteringListener : public RecordingListener {
public:
    using RecordingListener::RecordingListener;
    void onPlatformMouseDown(CPoint where, CButtonState buttons) override {
        ++depth;
        deepest = std::max(deepest, depth);
        RecordingListener::onPlatformMouseDown(where, buttons);
        if (window != nullptr) window->processEvents();
        --depth;
    }
    PlatformWindow* window = nullptr;
    int depth = 0;
    int deepest = 0;
};

TEST_F(X11WindowFixture, IdleFromInsideAnEventWaitsForTheOuterOne) {
    ReenteringListener reentering(kWidth, kHeight);
    auto window = createPlatformWindow(handleOf(parent), CRect(0, 0, kWidth, kHeight), reentering);
    ASSERT_NE(window->nativeHandle(), nullptr);
    reentering.window = window.get();
    for (int i = 0; i < 3; ++i) host->send(windowOf(*window), button(ButtonPress, Button1, i, i, 0), ButtonPressMask);
    ASSERT_TRUE(waitFor(*window, [&] { return reentering.callsOf("down").size() == 3; }));
    EXPECT_EQ(reentering.deepest, 1) << "an event was handed out inside another";
    const std::vector<ListenerCall> downs = reentering.callsOf("down");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(downs[static_cast<std::size_t>(i)].where, CPoint(i, i));
}

TEST_F(X11WindowFixture, RunOfMotionsArrivesAsItsLastPosition) {
    auto window = openWindow();
    const Window target = windowOf(*window);
    constexpr int kMotions = 40;
    for (int i = 0; i < kMotions; ++i) {
        XEvent event = motion(i, 2 * i, Button1Mask);
        event.xany.display = host->display();
        event.xany.window = target;
        XSendEvent(host->display(), target, False, PointerMotionMask, &event);
    }
    host->send(target, button(ButtonRelease, Button1, 39, 78, Button1Mask), ButtonReleaseMask);
    ASSERT_TRUE(waitFor(*window, [&] { return !listener.callsOf("up").empty(); }));
    const std::vector<ListenerCall> moves = listener.callsOf("moved");
    ASSERT_FALSE(moves.empty());
    EXPECT_LE(moves.size(), 3u) << "motions are not coalesced";
    EXPECT_EQ(moves.back().where, CPoint(kMotions - 1, 2 * (kMotions - 1)));
    EXPECT_EQ(listener.calls.back().kind, "up") << "the release must come after the motions";
}

}  // namespace
