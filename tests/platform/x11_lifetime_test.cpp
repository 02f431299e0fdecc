// What a host does to an editor window that the backend has to survive: the
// parent destroyed first, idle from other threads, many open/close cycles,
// no usable display, the X server going away. And the host's own X error
// handling left as it was.

// gtest before any X11 header: Xlib's macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "gui/platform/x11/x11_error_trap.h"
#include "tests/platform/x11_window_fixture.h"
#include "tests/support/row_name.h"
#include "tools/oscinda-host/xvfb_server.h"

namespace {

using X11LifetimeTest = X11WindowFixture;

// An error on the host's own connection: a request on a window that is none.
void causeHostError(HostConnection& host) {
    XMapWindow(host.display(), 0x1ffffff0);
    host.sync();
}

XErrorHandler currentErrorHandler() {
    const XErrorHandler current = XSetErrorHandler(nullptr);
    XSetErrorHandler(current);
    return current;
}

TEST_F(X11LifetimeTest, ParentDestroyedFirstEndsTheWindowQuietly) {
    auto window = openWindow();
    host->destroy(parent);
    ASSERT_TRUE(waitFor(*window, [&] { return !window->isAlive(); })) << "the backend did not notice";
    paintGradient(listener.pixels);
    window->present(listener.pixels.bounds());
    window->processEvents();
    window.reset();
    host->sync();
    EXPECT_EQ(HostConnection::hostErrors(), 0);
    EXPECT_EQ(currentErrorHandler(), &HostConnection::hostErrorHandler);
}

TEST_F(X11LifetimeTest, ParentDestroyedUnnoticedStillClosesQuietly) {
    // The host destroys the parent and closes the editor before any idle:
    // the backend draws into and destroys a window that is gone.
    auto window = openWindow();
    host->destroy(parent);
    paintGradient(listener.pixels);
    window->present(listener.pixels.bounds());
    window.reset();
    host->sync();
    EXPECT_EQ(HostConnection::hostErrors(), 0);
    EXPECT_EQ(currentErrorHandler(), &HostConnection::hostErrorHandler);
}

TEST_F(X11LifetimeTest, HostErrorsStillReachTheHostsHandler) {
    auto window = openWindow();
    causeHostError(*host);
    window->processEvents();
    window->present(listener.pixels.bounds());
    causeHostError(*host);
    EXPECT_EQ(HostConnection::hostErrors(), 2);
}

TEST_F(X11LifetimeTest, TrapKeepsItsDisplaysErrorsAndPassesOthersOn) {
    HostConnection plugin;  // a second connection, standing for ours
    {
        X11ErrorTrap trap(plugin.display());
        XMapWindow(plugin.display(), 0x1ffffff0);
        EXPECT_FALSE(trap.sync());
        EXPECT_EQ(trap.lastErrorCode(), BadWindow);
        causeHostError(*host);  // meanwhile, on the host's connection
        {
            X11ErrorTrap nested(host->display());
            causeHostError(*host);
            EXPECT_TRUE(nested.caughtError());
        }
        EXPECT_EQ(currentErrorHandler(), &X11ErrorTrap::onError);
    }
    EXPECT_EQ(HostConnection::hostErrors(), 1);
    EXPECT_EQ(currentErrorHandler(), &HostConnection::hostErrorHandler);
}

int replacementErrors = 0;
int replacementHandler(Display*, XErrorEvent*) {
    ++replacementErrors;
    return 0;
}

TEST_F(X11LifetimeTest, HandlerTheHostSetsMeanwhileStays) {
    {
        X11ErrorTrap trap(host->display());
        XSetErrorHandler(&replacementHandler);
    }
    EXPECT_EQ(currentErrorHandler(), &replacementHandler);
    XSetErrorHandler(&HostConnection::hostErrorHandler);
}

TEST_F(X11LifetimeTest, IdleFromOtherThreadsThanTheOneThatOpened) {
    // Two editors, each created here and idled on a thread of its own, as
    // hosts with an idle thread per window do, while the host's connection
    // keeps making errors of its own.
    RecordingListener secondListener(kWidth, kHeight);
    auto first = openWindow();
    auto second = createPlatformWindow(handleOf(host->makeParent(kWidth, kHeight, kParentX + 200, kParentY)),
                                       CRect(0, 0, kWidth, kHeight), secondListener);
    ASSERT_NE(second->nativeHandle(), nullptr);
    paintGradient(listener.pixels, 1);
    paintGradient(secondListener.pixels, 2);
    std::atomic<bool> stop{false};
    auto idle = [&stop](PlatformWindow* window, const PixelBuffer* pixels) {
        for (int i = 0; i < 200 && !stop; ++i) {
            window->processEvents();
            window->present(pixels->bounds());
        }
    };
    std::thread firstIdle(idle, first.get(), &listener.pixels);
    std::thread secondIdle(idle, second.get(), &secondListener.pixels);
    for (int i = 0; i < 20; ++i) causeHostError(*host);
    firstIdle.join();
    secondIdle.join();
    EXPECT_EQ(HostConnection::hostErrors(), 20);
    std::vector<std::uint32_t> shown;
    EXPECT_TRUE(pollUntil([&] { shown = host->pixelsOf(windowOf(*second), kWidth, kHeight); },
                          [&] {
                              return shown ==
                                     std::vector<std::uint32_t>(secondListener.pixels.data(),
                                                                secondListener.pixels.data() + kWidth * kHeight);
                          }));
}

TEST_F(X11LifetimeTest, ThousandOpenCloseCyclesLeaveNoDescriptor) {
    { auto warmUp = createPlatformWindow(handleOf(parent), CRect(0, 0, kWidth, kHeight), listener); }
    const int before = openDescriptorCount();
    const auto start = std::chrono::steady_clock::now();
    for (int cycle = 0; cycle < 1000; ++cycle) {
        auto window = createPlatformWindow(handleOf(parent), CRect(0, 0, kWidth, kHeight), listener);
        ASSERT_NE(window->nativeHandle(), nullptr) << "cycle " << cycle;
        window->present(CRect(0, 0, 8, 8));
        window->processEvents();
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(openDescriptorCount(), before);
    RecordProperty("milliseconds", static_cast<int>(elapsed.count()));
    host->sync();
    EXPECT_EQ(HostConnection::hostErrors(), 0);
}

// Parents the backend cannot use: it falls back to drawing offscreen.
struct FallbackRow {
    std::string name;
    std::function<void*(HostConnection&)> parent;
    bool withDisplay;
    friend void PrintTo(const FallbackRow& row, std::ostream* out) { *out << row.name; }
};

class X11FallbackTest : public X11WindowFixture, public testing::WithParamInterface<FallbackRow> {};

TEST_P(X11FallbackTest, DrawsOffscreen) {
    const FallbackRow& row = GetParam();
    void* parentHandle = row.parent(*host);
    if (!row.withDisplay) setenv("DISPLAY", ":2047", 1);  // a display nobody serves
    auto window = createPlatformWindow(parentHandle, CRect(0, 0, kWidth, kHeight), listener);
    useTestDisplay();
    EXPECT_EQ(window->nativeHandle(), nullptr);
    EXPECT_TRUE(window->isAlive());
    window->processEvents();
    window->present(CRect(0, 0, kWidth, kHeight));
    host->sync();
    EXPECT_EQ(HostConnection::hostErrors(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, X11FallbackTest,
    testing::Values(FallbackRow{"no_parent", [](HostConnection&) -> void* { return nullptr; }, true},
                    FallbackRow{"parent_is_no_window", [](HostConnection&) { return handleOf(0x1ffffff0); }, true},
                    FallbackRow{"parent_is_a_pixmap",
                                [](HostConnection& host) {
                                    const Window root = DefaultRootWindow(host.display());
                                    return handleOf(XCreatePixmap(host.display(), root, 4, 4, 24));
                                },
                                true},
                    FallbackRow{"parent_was_destroyed",
                                [](HostConnection& host) {
                                    const Window gone = host.makeParent(10, 10);
                                    host.destroy(gone);
                                    return handleOf(gone);
                                },
                                true},
                    FallbackRow{"no_display", [](HostConnection& host) { return handleOf(host.makeParent(10, 10)); },
                                false}),
    rowName<FallbackRow>);

// Servers of their own, for what the shared one cannot show.
TEST(X11OwnServer, SixteenBitScreenGetsConvertedPixels) {
    XvfbServer server("320x240x16");
    setenv("DISPLAY", server.displayName().c_str(), 1);
    {
        HostConnection host(server.displayName());
        const Window parent = host.makeParent(64, 48);
        RecordingListener listener(64, 48);
        paintGradient(listener.pixels);
        auto window = createPlatformWindow(handleOf(parent), CRect(0, 0, 64, 48), listener);
        ASSERT_NE(window->nativeHandle(), nullptr);
        window->present(listener.pixels.bounds());

        // What a 5-6-5 visual holds of each pixel, widened back to 8 bits.
        std::vector<std::uint32_t> expected;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                const Pixel pixel = listener.pixels.at(x, y);
                const auto keep = [](std::uint32_t value8, unsigned long max) {
                    return static_cast<std::uint32_t>(((value8 * max + 127) / 255 * 255 + max / 2) / max);
                };
                expected.push_back(0xFF000000u | keep(redOf(pixel), 31) << 16 | keep(greenOf(pixel), 63) << 8 |
                                   keep(blueOf(pixel), 31));
            }
        }
        std::vector<std::uint32_t> shown;
        EXPECT_TRUE(
            pollUntil([&] { shown = host.pixelsOf(windowOf(*window), 64, 48); }, [&] { return shown == expected; }));
        EXPECT_EQ(shown, expected);
    }
    useTestDisplay();
}

TEST(X11OwnServer, ServerGoingAwayEndsTheWindowNotTheProcess) {
#if defined(__SANITIZE_THREAD__)
    // Xlib releases the display's lock before calling the exit handler and
    // its caller releases it again when the handler returns; harmless with
    // glibc's mutexes, but ThreadSanitizer stops at it.
    GTEST_SKIP() << "Xlib's double unlock after an I/O error is reported by ThreadSanitizer";
#endif
    auto server = std::make_unique<XvfbServer>("320x240x24");
    setenv("DISPLAY", server->displayName().c_str(), 1);
    RecordingListener listener(64, 48);
    std::unique_ptr<PlatformWindow> window;
    {
        // The parent outlives the host's connection, so the window ends with
        // the server and not with its parent.
        HostConnection host(server->displayName());
        const Window parent = host.makeParent(64, 48);
        XSetCloseDownMode(host.display(), RetainPermanent);
        window = createPlatformWindow(handleOf(parent), CRect(0, 0, 64, 48), listener);
        ASSERT_NE(window->nativeHandle(), nullptr);
    }
    server.reset();
    EXPECT_TRUE(pollUntil([&] { window->processEvents(); }, [&] { return !window->isAlive(); }));
    window->present(CRect(0, 0, 64, 48));
    window->processEvents();
    window.reset();
    useTestDisplay();
}

}  // namespace
