// The editor in Windows, driven the way a host drives it: the plug-in module
// loaded with LoadLibrary, its editor opened in our top-level windows, its
// window captured, and the user's gestures sent to it as window messages.
//
//   editor_check MODULE.dll COPY_OF_MODULE.dll OUTPUT_DIR
//
// The copy is the same DLL under another name: a second module in the
// process, as when a host loads two copies. OUTPUT_DIR receives the captures
// (32-bit BMP): panel-printed.bmp and panel-shown.bmp with the default
// program, as PrintWindow gets it and as the screen shows it, and
// panel-after-gestures.bmp. Prints one line per failed check and the time of
// each part; the exit status is 0 only when every check passed.
#include <ole2.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/windows/check_report.h"
#include "tests/windows/key_map_rows.h"
#include "tests/windows/window_capture.h"
#include "tests/windows/windows_test_host.h"

namespace {

// The panel as its user sees it: 462 x 355, four sliders whose grooves start
// at x = 65 every 76 pixels with the handle's top travelling from y = 75 (a
// slider at 1) to 222 (at 0), and the Random button at the bottom.
constexpr int kPanelWidth = 462;
constexpr int kPanelHeight = 355;
constexpr int kHandleTravelTop = 75;
constexpr float kHandleTravel = 147.0f;
constexpr int sliderX(int column) { return 65 + column * 76 + 8; }
int handleTop(float sliderValue) {
    return static_cast<int>(std::lround(kHandleTravelTop + (1.0f - sliderValue) * kHandleTravel));
}
constexpr int kRandomButtonX = 300;
constexpr int kRandomButtonY = 345;
// The sliders step by 0.1 a wheel notch or arrow key.
constexpr float kStep = 0.1f;

// Parameter indexes, as the host sees them listed.
constexpr VstInt32 kDepth = 0;
constexpr VstInt32 kSpeed = 1;
constexpr VstInt32 kChangeRate = 3;
constexpr VstInt32 kRandom = 4;

LPARAM pointParameter(int x, int y) {
    // Client coordinates as signed 16-bit halves, as Windows packs them.
    return static_cast<LPARAM>(static_cast<DWORD>(static_cast<WORD>(static_cast<SHORT>(x))) |
                               static_cast<DWORD>(static_cast<WORD>(static_cast<SHORT>(y))) << 16);
}

void send(HWND window, UINT message, WPARAM keys, int x, int y) {
    SendMessageW(window, message, keys, pointParameter(x, y));
}

float parameter(AEffect* effect, VstInt32 index) { return effect->getParameter(effect, index); }

void idle(AEffect* effect, int times = 3) {
    for (int i = 0; i < times; ++i) {
        dispatch(effect, effEditIdle);
        pumpMessages();
    }
}

const char* opcodeName(VstInt32 opcode) {
    switch (opcode) {
    case audioMasterBeginEdit: return "BeginEdit";
    case audioMasterAutomate: return "Automate";
    case audioMasterEndEdit: return "EndEdit";
    default: return "other";
    }
}

// The edit requests since the calls were cleared are exactly these opcodes,
// all for index.
bool editsAre(CheckReport& report, const char* gesture, VstInt32 index, std::vector<VstInt32> opcodes) {
    const std::vector<HostCall> edits = editRequests();
    bool same = edits.size() == opcodes.size();
    for (std::size_t i = 0; same && i < edits.size(); ++i)
        same = edits[i].opcode == opcodes[i] && edits[i].index == index;
    std::string seen;
    for (const HostCall& call : edits)
        seen += std::string(" ") + opcodeName(call.opcode) + "(" + std::to_string(call.index) + ")";
    return report.that(same, "%s: host heard%s", gesture, seen.empty() ? " nothing" : seen.c_str());
}

bool closeTo(float value, float expected, float tolerance) { return std::fabs(value - expected) <= tolerance; }

std::wstring classNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool classRegistered(HMODULE module, const std::wstring& name) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    return GetClassInfoExW(module, name.c_str(), &description) != 0;
}

class Stopwatch {
public:
    void lap(const char* part) {
        const ULONGLONG now = GetTickCount64();
        std::printf("editor_check: %s %llu ms\n", part, now - last);
        std::fflush(stdout);
        last = now;
    }

private:
    ULONGLONG last = GetTickCount64();
};

// An effect whose editor is open in a host window of its own.
struct OpenedEditor {
    AEffect* effect = nullptr;
    HWND host = nullptr;
    HWND window = nullptr;  // the editor's own: the host window's child
};

OpenedEditor openEditor(CheckReport& report, const PluginModule& module, int x, int y, const char* name) {
    OpenedEditor opened;
    opened.effect = module.createEffect();
    if (!report.that(opened.effect != nullptr, "%s: no effect from VSTPluginMain", name)) return opened;
    opened.host = createHostWindow(x, y, kPanelWidth, kPanelHeight);
    report.that(opened.host != nullptr, "%s: no host window", name);
    report.that(dispatch(opened.effect, effEditOpen, 0, 0, opened.host) == 1, "%s: effEditOpen refused", name);
    opened.window = GetWindow(opened.host, GW_CHILD);
    report.that(opened.window != nullptr, "%s: the editor made no child window", name);
    idle(opened.effect);
    return opened;
}

void checkEditorWindow(CheckReport& report, const OpenedEditor& opened, HMODULE module) {
    if (opened.window == nullptr) return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(opened.window, GWL_STYLE));
    report.that((style & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE), "editor window style %#lx",
                static_cast<unsigned long>(style));
    report.that(GetParent(opened.window) == opened.host, "the editor window's parent is not the host's window");
    RECT client{};
    GetClientRect(opened.window, &client);
    report.that(client.right == kPanelWidth && client.bottom == kPanelHeight, "editor window %ld x %ld",
                static_cast<long>(client.right), static_cast<long>(client.bottom));
    report.that(classRegistered(module, classNameOf(opened.window)),
                "the editor window's class is not registered with the module's handle");
}

bool writeCapture(CheckReport& report, const std::string& folder, const char* name, const WindowCapture& capture) {
    return report.that(writeBmp(folder + "/" + name, capture), "cannot write %s/%s", folder.c_str(), name);
}

bool paintedEverywhere(const WindowCapture& capture) {
    return !capture.pixels.empty() &&
           std::find(capture.pixels.begin(), capture.pixels.end(), kUnpaintedPixel) == capture.pixels.end();
}

WindowCapture shownAfterPaint(HWND window) {
    pumpMessages();
    return captureShown(window);
}

void dragDepth(CheckReport& report, const OpenedEditor& editor) {
    hostCalls().clear();
    const float before = parameter(editor.effect, kDepth);
    const int grabbedAt = handleTop(1.0f - before) + 5;  // Depth's slider shows 1 - Depth
    const int x = sliderX(0);
    send(editor.window, WM_LBUTTONDOWN, MK_LBUTTON, x, grabbedAt);
    report.that(GetCapture() == editor.window, "drag: the editor window does not capture the mouse");
    send(editor.window, WM_MOUSEMOVE, MK_LBUTTON, x, grabbedAt - 10);
    send(editor.window, WM_MOUSEMOVE, MK_LBUTTON, x, grabbedAt - 20);
    send(editor.window, WM_LBUTTONUP, 0, x, grabbedAt - 20);
    report.that(GetCapture() == nullptr, "drag: the mouse is still captured after the release");

    const std::vector<HostCall> edits = editRequests();
    if (!editsAre(report, "Depth drag", kDepth,
                  {audioMasterBeginEdit, audioMasterAutomate, audioMasterAutomate, audioMasterEndEdit}))
        return;
    const float after = parameter(editor.effect, kDepth);
    report.that(edits[1].opt > edits[2].opt, "Depth drag: handle up automated %g then %g, not less depth each time",
                edits[1].opt, edits[2].opt);
    report.that(edits[2].opt == after, "Depth drag: last automated %g, the effect holds %g", edits[2].opt, after);
    report.that(closeTo(after, before - 20.0f / kHandleTravel, 1e-5f), "Depth drag by 20 pixels: %g -> %g, expected %g",
                before, after, before - 20.0f / kHandleTravel);
    report.that(requestCount(audioMasterIdle) >= 2, "Depth drag: the host got no idle time while dragging");
}

void dragPastTheWindowsTop(CheckReport& report, const OpenedEditor& editor) {
    hostCalls().clear();
    const int grabbedAt = handleTop(1.0f - parameter(editor.effect, kDepth)) + 3;
    send(editor.window, WM_LBUTTONDOWN, MK_LBUTTON, sliderX(0), grabbedAt);
    send(editor.window, WM_MOUSEMOVE, MK_LBUTTON, sliderX(0), -500);
    send(editor.window, WM_LBUTTONUP, 0, sliderX(0), -500);
    report.that(parameter(editor.effect, kDepth) == 0.0f, "drag above the window: Depth %g, expected 0 (slider top)",
                parameter(editor.effect, kDepth));
}

void shiftDragIsFiner(CheckReport& report, const OpenedEditor& editor) {
    editor.effect->setParameter(editor.effect, kChangeRate, 0.5f);
    idle(editor.effect, 1);
    hostCalls().clear();
    const int grabbedAt = handleTop(0.5f) + 4;  // Change Rate's slider shows the value itself
    send(editor.window, WM_LBUTTONDOWN, MK_LBUTTON, sliderX(3), grabbedAt);
    send(editor.window, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, sliderX(3), grabbedAt - 14);
    send(editor.window, WM_LBUTTONUP, MK_SHIFT, sliderX(3), grabbedAt - 14);
    const float expected = 0.5f + 14.0f / kHandleTravel / 10.0f;
    report.that(closeTo(parameter(editor.effect, kChangeRate), expected, 1e-6f),
                "Shift drag by 14 pixels: Change Rate %g, expected %g (ten times finer)",
                parameter(editor.effect, kChangeRate), expected);
}

void controlClickSetsTheDefault(CheckReport& report, const OpenedEditor& editor) {
    hostCalls().clear();
    send(editor.window, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, sliderX(1), 100);
    send(editor.window, WM_LBUTTONUP, MK_CONTROL, sliderX(1), 100);
    if (editsAre(report, "Ctrl-click on Speed", kSpeed,
                 {audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit})) {
        const float automated = editRequests()[1].opt;
        report.that(automated == 0.5f, "Ctrl-click on Speed automated %g, expected the default 0.5", automated);
    }
}

void clickRandom(CheckReport& report, const OpenedEditor& editor) {
    hostCalls().clear();
    const float before = parameter(editor.effect, kRandom);
    send(editor.window, WM_LBUTTONDOWN, MK_LBUTTON, kRandomButtonX, kRandomButtonY);
    send(editor.window, WM_LBUTTONUP, 0, kRandomButtonX, kRandomButtonY);
    report.that(parameter(editor.effect, kRandom) == 1.0f - before, "Random click: %g -> %g", before,
                parameter(editor.effect, kRandom));
    editsAre(report, "Random click", kRandom, {audioMasterBeginEdit, audioMasterEndEdit});
}

void wheelAtTheCursor(CheckReport& report, const OpenedEditor& editor) {
    hostCalls().clear();
    const float before = parameter(editor.effect, kChangeRate);
    POINT cursor{sliderX(3), 150};
    ClientToScreen(editor.window, &cursor);
    // Screen and client coordinates must differ, or the mapping goes untested.
    report.that(cursor.x != sliderX(3) && cursor.y != 150, "the host window sits at the screen's origin");
    const WPARAM twoNotchesDown = static_cast<WPARAM>(static_cast<WORD>(static_cast<SHORT>(-2 * WHEEL_DELTA))) << 16;
    SendMessageW(editor.window, WM_MOUSEWHEEL, twoNotchesDown, pointParameter(cursor.x, cursor.y));
    report.that(closeTo(parameter(editor.effect, kChangeRate), before - 2 * kStep, 1e-6f),
                "two wheel notches down over Change Rate: %g -> %g", before, parameter(editor.effect, kChangeRate));
    editsAre(report, "wheel", kChangeRate, {audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit});
}

void keysGoToTheClickedSlider(CheckReport& report, const OpenedEditor& editor) {
    // A press on the handle gives Depth the keys and moves nothing.
    const int onHandle = handleTop(1.0f - parameter(editor.effect, kDepth)) + 2;
    send(editor.window, WM_LBUTTONDOWN, MK_LBUTTON, sliderX(0), onHandle);
    send(editor.window, WM_LBUTTONUP, 0, sliderX(0), onHandle);
    hostCalls().clear();
    keysReachingHostWindows().clear();
    const float before = parameter(editor.effect, kDepth);
    SendMessageW(editor.window, WM_KEYDOWN, VK_DOWN, 1);
    SendMessageW(editor.window, WM_KEYUP, VK_DOWN, 1);
    report.that(closeTo(parameter(editor.effect, kDepth), before + kStep, 1e-6f),
                "arrow down on Depth's slider: Depth %g -> %g", before, parameter(editor.effect, kDepth));
    editsAre(report, "arrow key", kDepth, {audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit});
    SendMessageW(editor.window, WM_KEYDOWN, 'A', 1);
    const std::vector<WPARAM>& forwarded = keysReachingHostWindows();
    report.that(forwarded.size() == 1 && forwarded[0] == 'A',
                "keys the editor does not use go on to the host's window: %d arrived",
                static_cast<int>(forwarded.size()));
}

void captureTakenAwayEndsTheGesture(CheckReport& report, const OpenedEditor& editor) {
    hostCalls().clear();
    const int grabbedAt = handleTop(1.0f - parameter(editor.effect, kDepth)) + 4;
    send(editor.window, WM_LBUTTONDOWN, MK_LBUTTON, sliderX(0), grabbedAt);
    send(editor.window, WM_MOUSEMOVE, MK_LBUTTON, sliderX(0), grabbedAt + 10);
    SetCapture(editor.host);  // another window takes the mouse (a menu, a dialog)
    ReleaseCapture();
    editsAre(report, "capture lost in a drag", kDepth, {audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit});
    send(editor.window, WM_LBUTTONUP, 0, sliderX(0), grabbedAt + 10);  // late, stray
    report.that(editRequests().size() == 3, "a release after the capture was lost reached the host");
}

// A value set since the last idle is drawn by the next paint, not left for
// the idle.
void paintShowsWhatChanged(CheckReport& report, const OpenedEditor& editor) {
    const WindowCapture before = capturePrinted(editor.window);
    editor.effect->setParameter(editor.effect, kDepth, 0.6f);
    InvalidateRect(editor.window, nullptr, FALSE);
    const WindowCapture painted = shownAfterPaint(editor.window);
    idle(editor.effect, 1);
    const WindowCapture drawn = capturePrinted(editor.window);
    report.that(drawn != before, "Depth 0.6 changed nothing in the picture");
    report.that(painted == drawn, "a paint after Depth was set shows %d pixels other than the next idle draws",
                painted.differingPixels(drawn));
}

// A crash is one failed check and the end of the run, not a debugger waiting
// for someone to click its window.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception) {
    std::printf("FAILED: crashed: exception %#lx at %p\n",
                static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode),
                exception->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    ExitProcess(3);
}

}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(reportCrash);
    if (argc != 4) {
        std::fprintf(stderr, "usage: editor_check MODULE.dll COPY_OF_MODULE.dll OUTPUT_DIR\n");
        return 2;
    }
    const std::string outputDir = argv[3];
    CheckReport report;
    Stopwatch stopwatch;

    checkKeyMap(report);
    checkHeldModifiers(report);
    const HRESULT oleBefore = OleInitialize(nullptr);
    report.that(oleBefore == S_OK, "OLE was already on before any effect (%#lx)",
                static_cast<unsigned long>(oleBefore));
    if (SUCCEEDED(oleBefore)) OleUninitialize();
    stopwatch.lap("key map and modifiers");

    PluginModule module(argv[1]);
    PluginModule copy(argv[2]);
    if (!report.that(module.loaded() && copy.loaded(), "cannot load %s and %s with VSTPluginMain", argv[1], argv[2]))
        return 1;

    // Before any window: the size a host makes its window.
    AEffect* probe = module.createEffect();
    if (!report.that(probe != nullptr, "no effect from VSTPluginMain")) return 1;
    report.that((probe->flags & effFlagsHasEditor) != 0, "the effect announces no editor");
    ERect* rect = nullptr;
    report.that(dispatch(probe, effEditGetRect, 0, 0, &rect) == 1 && rect != nullptr &&
                    rect->right - rect->left == kPanelWidth && rect->bottom - rect->top == kPanelHeight,
                "effEditGetRect does not give %d x %d", kPanelWidth, kPanelHeight);
    const HRESULT oleWithEditor = OleInitialize(nullptr);
    report.that(oleWithEditor == S_FALSE, "OLE is not on while an editor exists (%#lx)",
                static_cast<unsigned long>(oleWithEditor));
    if (SUCCEEDED(oleWithEditor)) OleUninitialize();
    dispatch(probe, effClose);
    stopwatch.lap("load and rectangle");

    // The default program, drawn for PrintWindow and painted on the screen.
    OpenedEditor first = openEditor(report, module, 40, 40, "first editor");
    checkEditorWindow(report, first, module.handle());
    const WindowCapture printed = capturePrinted(first.window);
    const WindowCapture shown = shownAfterPaint(first.window);
    report.that(paintedEverywhere(printed), "PrintWindow: the editor left pixels undrawn");
    report.that(shown == printed, "the screen shows %d pixels other than the editor draws",
                shown.differingPixels(printed));
    writeCapture(report, outputDir, "panel-printed.bmp", printed);
    writeCapture(report, outputDir, "panel-shown.bmp", shown);
    stopwatch.lap("open and capture");

    dragDepth(report, first);
    dragPastTheWindowsTop(report, first);
    shiftDragIsFiner(report, first);
    controlClickSetsTheDefault(report, first);
    clickRandom(report, first);
    wheelAtTheCursor(report, first);
    keysGoToTheClickedSlider(report, first);
    captureTakenAwayEndsTheGesture(report, first);
    paintShowsWhatChanged(report, first);
    idle(first.effect);
    const WindowCapture printedAfter = capturePrinted(first.window);
    const WindowCapture shownAfter = shownAfterPaint(first.window);
    report.that(printedAfter != printed, "the gestures changed nothing in the picture");
    report.that(shownAfter == printedAfter, "after the gestures the screen shows %d pixels other than drawn",
                shownAfter.differingPixels(printedAfter));
    writeCapture(report, outputDir, "panel-after-gestures.bmp", printedAfter);
    stopwatch.lap("gestures");

    // Two editors of one module share its class; the copy registers its own.
    OpenedEditor second = openEditor(report, module, 560, 40, "second editor");
    OpenedEditor ofCopy = openEditor(report, copy, 40, 480, "editor of the copy");
    const std::wstring moduleClass = classNameOf(first.window);
    const std::wstring copyClass = classNameOf(ofCopy.window);
    report.that(classNameOf(second.window) == moduleClass, "two editors of one module use two classes");
    report.that(copyClass != moduleClass, "the copy of the module uses the module's class");
    checkEditorWindow(report, ofCopy, copy.handle());

    dispatch(first.effect, effEditClose);
    report.that(IsWindow(first.window) == 0, "effEditClose left the editor window");
    report.that(classRegistered(module.handle(), moduleClass), "the class went with one of two editors");
    InvalidateRect(second.window, nullptr, FALSE);
    const WindowCapture secondShown = shownAfterPaint(second.window);
    report.that(secondShown == printed, "the second editor, repainted, shows %d pixels other than the default",
                secondShown.differingPixels(printed));
    dispatch(second.effect, effEditClose);
    report.that(!classRegistered(module.handle(), moduleClass), "the class stays after the module's last editor");
    report.that(classRegistered(copy.handle(), copyClass), "the copy's class went with the module's editors");
    stopwatch.lap("two modules");

    // The host destroys its window first, in the middle of a drag.
    hostCalls().clear();
    const int onHandle = handleTop(1.0f - parameter(ofCopy.effect, kDepth)) + 4;
    send(ofCopy.window, WM_LBUTTONDOWN, MK_LBUTTON, sliderX(0), onHandle);
    send(ofCopy.window, WM_MOUSEMOVE, MK_LBUTTON, sliderX(0), onHandle - 10);
    DestroyWindow(ofCopy.host);
    report.that(IsWindow(ofCopy.window) == 0, "the editor window outlived its parent");
    editsAre(report, "drag ended by the host's window going", kDepth,
             {audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit});
    ofCopy.effect->setParameter(ofCopy.effect, kDepth, 0.9f);
    idle(ofCopy.effect);
    dispatch(ofCopy.effect, effEditKeyDown, 0, VKEY_UP);
    dispatch(ofCopy.effect, effEditClose);
    report.that(!classRegistered(copy.handle(), copyClass), "the copy's class stays after its editor closed");
    // And opens again in a new window.
    ofCopy.host = createHostWindow(560, 480, kPanelWidth, kPanelHeight);
    report.that(dispatch(ofCopy.effect, effEditOpen, 0, 0, ofCopy.host) == 1, "reopening after the parent went");
    ofCopy.window = GetWindow(ofCopy.host, GW_CHILD);
    idle(ofCopy.effect);
    const WindowCapture reopened = capturePrinted(ofCopy.window);
    report.that(paintedEverywhere(reopened) && reopened != printed,
                "the reopened editor does not show the values set while it was closed");
    dispatch(ofCopy.effect, effEditClose);
    stopwatch.lap("parent destroyed first");

    // The host closes the editor from inside the Automate a drag makes; the
    // window and the frame handling the message must outlive that.
    OpenedEditor closing = openEditor(report, module, 560, 40, "editor closed from a request");
    const int grabbed = handleTop(1.0f - parameter(closing.effect, kDepth)) + 4;
    send(closing.window, WM_LBUTTONDOWN, MK_LBUTTON, sliderX(0), grabbed);
    closeEditorOnNextAutomate();
    send(closing.window, WM_MOUSEMOVE, MK_LBUTTON, sliderX(0), grabbed - 10);
    report.that(IsWindow(closing.window) == 0, "the editor window stays after the host closed the editor");
    report.that(GetCapture() == nullptr, "the closed editor's window keeps the mouse");
    idle(closing.effect);
    dispatch(closing.effect, effClose);
    DestroyWindow(closing.host);
    stopwatch.lap("closed from a request");

    dispatch(first.effect, effClose);
    dispatch(second.effect, effClose);
    dispatch(ofCopy.effect, effClose);
    const HRESULT oleAfter = OleInitialize(nullptr);
    report.that(oleAfter == S_OK, "OLE stays on after every editor went (%#lx): unbalanced",
                static_cast<unsigned long>(oleAfter));
    if (SUCCEEDED(oleAfter)) OleUninitialize();
    for (HWND host : {first.host, second.host, ofCopy.host}) DestroyWindow(host);

    std::printf("editor_check: %d checks, %d failed\n", report.checkCount(), report.failureCount());
    return report.failureCount() == 0 ? 0 : 1;
}
