// `oscinda-host editor` on a plug-in that paints a known picture with plain
// Xlib: the PNG holds exactly that picture, settings reach the plug-in
// before it draws, the editor is closed and the tool's own X server is gone
// afterwards; every failure is status 2, one line, no file.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/platform/x11_test_display.h"
#include "tests/support/png_file.h"
#include "tests/support/row_name.h"
#include "tests/tools/editor_pattern.h"
#include "tests/tools/tool_runner.h"

namespace {

const char* const kEditorPluginPath = EDITOR_PLUGIN_PATH;
// The same picture, shown through the widget layer's X11 backend.
const char* const kPlatformEditorPluginPath = PLATFORM_EDITOR_PLUGIN_PATH;

// Without DISPLAY the tool starts an X server of its own.
const Environment kNoDisplay = {{"DISPLAY", ""}};

// The picture in a PNG file the tool wrote; an empty one if it cannot be read.
PixelBuffer pictureIn(const std::string& path) {
    PixelBuffer picture;
    if (!readPng(path, picture)) ADD_FAILURE() << "cannot read " << path;
    return picture;
}

// Pixels of the picture that differ from the pattern, as "x,y: got want".
std::vector<std::string> differences(const PixelBuffer& picture, float level) {
    const std::vector<editor_pattern::Block> blocks = editor_pattern::blocks(level);
    std::vector<std::string> found;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t got = picture.at(x, y) & 0xFFFFFFu;
            const std::uint32_t want = editor_pattern::colourAt(blocks, x, y);
            if (got != want && found.size() < 10)
                found.push_back(std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(got) + " " +
                                std::to_string(want));
        }
    }
    return found;
}

struct CaptureRow {
    std::string name;
    std::vector<std::string> options;
    float level;                 // the bar the plug-in must have drawn
    bool sharedDisplay = false;  // on the display the tests share, not the tool's own
    const char* plugin = kEditorPluginPath;
    friend void PrintTo(const CaptureRow& row, std::ostream* out) { *out << row.name; }
};

class EditorCaptureTest : public testing::TestWithParam<CaptureRow> {};

TEST_P(EditorCaptureTest, PictureIsWhatThePlugInPainted) {
    const CaptureRow& row = GetParam();
    ScratchFolder folder;
    std::vector<std::string> args = {"editor", row.plugin, folder / "panel.png"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    Environment environment = {{"EDITOR_PLUGIN_LOG", folder / "calls.log"}};
    if (row.sharedDisplay) {
        ASSERT_FALSE(testDisplayName().empty()) << "no X server: run through ctest";
        environment.push_back({"DISPLAY", testDisplayName()});
    } else {
        environment.push_back(kNoDisplay[0]);
    }

    const ToolResult result = runTool(args, environment);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"calls.log", "panel.png"}));
    const PixelBuffer picture = pictureIn(folder / "panel.png");
    ASSERT_EQ(picture.width(), editor_pattern::kWidth);
    ASSERT_EQ(picture.height(), editor_pattern::kHeight);
    EXPECT_EQ(differences(picture, row.level), std::vector<std::string>{});

    // The editor was opened with the host's Display pointer, idled, and closed once.
    const std::vector<std::string> calls = lines(readText(folder / "calls.log"));
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().rfind("open display :", 0), 0u) << calls.front();
    EXPECT_EQ(calls[1], "idle");
    EXPECT_EQ(calls.back(), "close");
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorCaptureTest,
    testing::Values(CaptureRow{"own_server_plug_in_defaults", {}, 0.25f},
                    CaptureRow{"set_by_name", {"--set", "width=0.6"}, 0.6f},
                    CaptureRow{"program_then_setting", {"--program", "1", "--set", "0=1"}, 1.0f},
                    CaptureRow{"program_alone", {"--program=1"}, 0.75f},
                    CaptureRow{"shared_display_plug_in_paints", {"--set", "Width=0"}, 0.0f, true},
                    CaptureRow{
                        "x11_backend_own_server", {"--set", "Width=0.5"}, 0.5f, false, kPlatformEditorPluginPath},
                    CaptureRow{"shared_display_x11_backend", {}, 0.25f, true, kPlatformEditorPluginPath}),
    rowName<CaptureRow>);

// Oscinda's own panel in a real X11 window is, pixel for pixel, what the
// editor draws offscreen (the editor tests' reference pictures).
struct OscindaPanelRow {
    std::string name;
    std::vector<std::string> options;
    std::string reference;
    friend void PrintTo(const OscindaPanelRow& row, std::ostream* out) { *out << row.name; }
};

class OscindaPanelTest : public testing::TestWithParam<OscindaPanelRow> {};

TEST_P(OscindaPanelTest, WindowCaptureEqualsTheOffscreenRender) {
    const OscindaPanelRow& row = GetParam();
    ScratchFolder folder;
    std::vector<std::string> args = {"editor", OSCINDA_PLUGIN_FILE, folder / "panel.png"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const ToolResult result = runTool(args, kNoDisplay);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    PixelBuffer reference;
    ASSERT_TRUE(readPng(OSCINDA_SOURCE_DIR "/tests/editor/reference/" + row.reference, reference));
    const PixelBuffer captured = pictureIn(folder / "panel.png");
    ASSERT_EQ(captured.width(), reference.width());
    ASSERT_EQ(captured.height(), reference.height());
    int differing = 0;
    for (int y = 0; y < captured.height(); ++y)
        for (int x = 0; x < captured.width(); ++x) differing += captured.at(x, y) != reference.at(x, y);
    EXPECT_EQ(differing, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, OscindaPanelTest,
                         testing::Values(OscindaPanelRow{"first_program", {}, "panel-default.png"},
                                         OscindaPanelRow{"moved",
                                                         {"--set", "Depth=0", "--set", "Maximum Speed=0.05", "--set",
                                                          "Speed=0.1", "--set", "Change Rate=0.5", "--set", "Random=1"},
                                                         "panel-moved.png"}),
                         rowName<OscindaPanelRow>);

// The display the tool's own server had, from what the plug-in logged.
std::string loggedDisplay(const std::string& logPath) {
    for (const std::string& line : lines(readText(logPath))) {
        for (const std::string prefix : {"open display ", "crash "})
            if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    }
    return "";
}

bool serverGone(const std::string& display) {
    const std::string socket = "/tmp/.X11-unix/X" + display.substr(display.find(':') + 1);
    struct stat info {};
    for (int i = 0; i < 200; ++i) {
        if (stat(socket.c_str(), &info) != 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(EditorTool, StopsItsOwnServerAfterSuccessAndAfterACrash) {
    for (const char* fault : {"", "crash"}) {
        ScratchFolder folder;
        const ToolResult result =
            runTool({"editor", kEditorPluginPath, folder / "panel.png"},
                    {kNoDisplay[0], {"EDITOR_PLUGIN_LOG", folder / "calls.log"}, {"EDITOR_PLUGIN_FAULT", fault}});
        EXPECT_EQ(result.exitCode, *fault == '\0' ? 0 : 2) << result.err;
        const std::string display = loggedDisplay(folder / "calls.log");
        ASSERT_FALSE(display.empty()) << fault;
        EXPECT_TRUE(serverGone(display)) << "Xvfb " << display << " still runs after " << fault;
    }
}

struct EditorErrorRow {
    std::string name;
    std::function<std::vector<std::string>(const ScratchFolder&)> args;
    Environment environment;
    std::string message;  // must appear in the line
    friend void PrintTo(const EditorErrorRow& row, std::ostream* out) { *out << row.name; }
};

class EditorErrorTest : public testing::TestWithParam<EditorErrorRow> {};

TEST_P(EditorErrorTest, OneLineStatusTwoNoFile) {
    const EditorErrorRow& row = GetParam();
    ScratchFolder folder;
    Environment environment = row.environment;
    const bool displayGiven = std::any_of(environment.begin(), environment.end(),
                                          [](const auto& variable) { return variable.first == "DISPLAY"; });
    if (!displayGiven) environment.push_back(kNoDisplay[0]);
    const ToolResult result = runTool(row.args(folder), environment);
    EXPECT_EQ(result.exitCode, 2);
    const std::vector<std::string> errorLines = lines(result.err);
    ASSERT_EQ(errorLines.size(), 1u) << result.err;
    EXPECT_NE(errorLines[0].find(row.message), std::string::npos) << errorLines[0];
    EXPECT_EQ(errorLines[0].rfind("oscinda-host: ", 0), 0u) << errorLines[0];
    EXPECT_EQ(folder.entries(), std::vector<std::string>{});
}

std::function<std::vector<std::string>(const ScratchFolder&)> editorOf(std::string plugin,
                                                                       std::vector<std::string> extra = {}) {
    return [plugin, extra](const ScratchFolder& f) {
        std::vector<std::string> args = {"editor", plugin, f / "panel.png"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorErrorTest,
    testing::Values(
        EditorErrorRow{"plug_in_without_editor", editorOf(kGainPluginPath), {}, "has no editor"},
        EditorErrorRow{
            "editor_flag_missing", editorOf(kEditorPluginPath), {{"EDITOR_PLUGIN_FAULT", "noeditor"}}, "has no editor"},
        EditorErrorRow{"editor_refuses_to_open",
                       editorOf(kEditorPluginPath),
                       {{"EDITOR_PLUGIN_FAULT", "refuse"}},
                       "did not open its editor"},
        EditorErrorRow{"no_rectangle",
                       editorOf(kEditorPluginPath),
                       {{"EDITOR_PLUGIN_FAULT", "norect"}},
                       "reports an editor of 0 x 0 pixels"},
        EditorErrorRow{"absurd_rectangle",
                       editorOf(kEditorPluginPath),
                       {{"EDITOR_PLUGIN_FAULT", "huge"}},
                       "reports an editor of 30000 x 30000 pixels"},
        EditorErrorRow{"crash_while_opening",
                       editorOf(kEditorPluginPath),
                       {{"EDITOR_PLUGIN_FAULT", "crash"}},
                       "crashed while running the plug-in"},
        EditorErrorRow{"plug_in_missing",
                       [](const ScratchFolder& f) { return editorOf(f / "nope.so")(f); },
                       {},
                       "cannot read plug-in"},
        EditorErrorRow{"output_folder_missing",
                       [](const ScratchFolder& f) {
                           return std::vector<std::string>{"editor", kEditorPluginPath, f / "no/panel.png"};
                       },
                       {},
                       "cannot create output in"},
        EditorErrorRow{"program_out_of_range",
                       editorOf(kEditorPluginPath, {"--program", "2"}),
                       {},
                       "program 2 is out of range (plug-in has 2 programs: 0..1)"},
        EditorErrorRow{"unknown_parameter",
                       editorOf(kEditorPluginPath, {"--set", "Depth=1"}),
                       {},
                       "unknown parameter 'Depth' (known: Width)"},
        EditorErrorRow{"show_without_display", editorOf(kEditorPluginPath, {"--show"}), {}, "DISPLAY is not set"},
        EditorErrorRow{"display_nobody_serves",
                       editorOf(kEditorPluginPath),
                       {{"DISPLAY", ":2047"}},
                       "cannot open display ':2047'"},
        EditorErrorRow{
            "xvfb_not_installed", editorOf(kEditorPluginPath), {{"PATH", "/nonexistent"}}, "cannot run Xvfb"},
        EditorErrorRow{
            "unknown_option", editorOf(kEditorPluginPath, {"--block", "4"}), {}, "unknown option --block for editor"},
        EditorErrorRow{"picture_missing",
                       [](const ScratchFolder&) {
                           return std::vector<std::string>{"editor", kEditorPluginPath};
                       },
                       {},
                       "expected editor PLUGIN PICTURE.png"}),
    rowName<EditorErrorRow>);

// The top-level window called `title`, or 0.
Window findWindow(Display* display, const std::string& title) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
            if (title == name) found = children[i];
            XFree(name);
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

TEST(EditorToolOnSharedDisplay, ShowIdlesTheEditorUntilTheWindowIsClosed) {
    ASSERT_FALSE(testDisplayName().empty()) << "no X server: run through ctest";
    ScratchFolder folder;
    const std::string log = folder / "calls.log";
    ToolResult result;
    std::thread tool([&] {
        result = runTool({"editor", kEditorPluginPath, folder / "panel.png", "--show"},
                         {{"DISPLAY", testDisplayName()}, {"EDITOR_PLUGIN_LOG", log}});
    });
    HostConnection person;
    Window window = 0;
    const bool shown = pollUntil([&] { window = findWindow(person.display(), "Pattern Editor"); },
                                 [&] { return window != 0 && fileExists(folder / "panel.png"); });
    if (shown) {
        // The picture is saved before the window is handed to the person.
        EXPECT_TRUE(differences(pictureIn(folder / "panel.png"), 0.25f).empty());
        const auto idles = [&] {
            const std::vector<std::string> calls = lines(readText(log));
            return std::count(calls.begin(), calls.end(), "idle");
        };
        const auto before = idles();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        const auto during = idles() - before;
        EXPECT_GE(during, 5) << "idle calls in 0.4 s";  // 10 at 25 Hz
        EXPECT_LE(during, 15) << "idle calls in 0.4 s";

        // What a window manager sends when the person closes the window.
        XEvent close{};
        close.xclient.type = ClientMessage;
        close.xclient.window = window;
        close.xclient.message_type = XInternAtom(person.display(), "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = static_cast<long>(XInternAtom(person.display(), "WM_DELETE_WINDOW", False));
        close.xclient.data.l[1] = CurrentTime;
        XSendEvent(person.display(), window, False, NoEventMask, &close);
        person.sync();
    }
    tool.join();
    ASSERT_TRUE(shown) << "the editor window did not appear: " << result.err;
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> calls = lines(readText(log));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "close");
    EXPECT_EQ(findWindow(person.display(), "Pattern Editor"), 0u);
}

TEST(EditorTool, HelpListsTheCommand) {
    const ToolResult result = runTool({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("oscinda-host editor PLUGIN PICTURE.png"), std::string::npos);
}

}  // namespace
