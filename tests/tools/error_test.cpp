// Every way a run can fail answers the same: status 2, one line on stderr
// naming the problem, and the folder exactly as it was (no output, no
// temporary file, the input untouched).
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/tools/tool_runner.h"

namespace {

struct ErrorRow {
    std::string name;
    std::function<std::vector<std::string>(const ScratchFolder&)> args;
    Environment environment;
    std::function<std::string(const ScratchFolder&)> message;  // must appear in the line
};

std::function<std::string(const ScratchFolder&)> says(std::string text) {
    return [text](const ScratchFolder&) { return text; };
}

std::vector<std::string> render(const ScratchFolder& f, std::vector<std::string> extra,
                                const std::string& plugin = kGainPluginPath) {
    std::vector<std::string> args = {"render", plugin, f / "in.wav", f / "out.wav", "--quiet"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

TEST(ToolErrors, AnswerWithOneLineStatusTwoAndNoFileLeft) {
    const std::vector<ErrorRow> rows = {
        // The plug-in.
        {"plug-in file missing",
         [](const ScratchFolder& f) { return render(f, {}, f / "nope.so"); },
         {},
         [](const ScratchFolder& f) {
             return "cannot read plug-in '" + (f / "nope.so") + "': No such file or directory";
         }},
        {"plug-in is a text file",
         [](const ScratchFolder& f) { return render(f, {}, f / "notes.txt"); },
         {},
         says("notes.txt' is not a loadable plug-in module")},
        {"plug-in is a folder",
         [](const ScratchFolder& f) { return render(f, {}, f.path()); },
         {},
         says("is a directory")},
        {"module without VSTPluginMain",
         [](const ScratchFolder& f) { return render(f, {}, NO_ENTRY_MODULE_PATH); },
         {},
         says("is not a VST 2.4 plug-in: it has no VSTPluginMain")},
        {"plug-in returns null",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "null"}},
         says("returned no effect from VSTPluginMain")},
        {"record without the magic",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "magic"}},
         says("returned a record without the VstP magic")},
        {"absurd output count",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "outputs"}},
         says("reports 100000 outputs")},
        {"plug-in crashes while processing",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "crash"}},
         says("crashed while running the plug-in (segmentation fault)")},
        {"info on a plug-in that returns null",
         [](const ScratchFolder&) {
             return std::vector<std::string>{"info", kGainPluginPath};
         },
         {{"GAIN_PLUGIN_FAULT", "null"}},
         says("returned no effect")},
        {"info on a missing plug-in",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"info", "--json", f / "nope.so"};
         },
         {},
         says("cannot read plug-in")},

        // The audio files.
        {"input missing",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "missing.wav", f / "out.wav"};
         },
         {},
         [](const ScratchFolder& f) { return "cannot read '" + (f / "missing.wav") + "': No such file or directory"; }},
        {"input is not audio",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "notes.txt", f / "out.wav"};
         },
         {},
         says("notes.txt' is not a supported audio file")},
        {"output is the input",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav", f / "in.wav"};
         },
         {},
         says("refusing to overwrite the input")},
        {"output is the input spelt differently",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav", f.path() + "//./in.wav"};
         },
         {},
         says("refusing to overwrite the input")},
        {"picture is the input",
         [](const ScratchFolder& f) {
             return render(f, {"--plot", f / "in.wav"});
         },
         {},
         says("refusing to overwrite the input")},
        {"picture is the output",
         [](const ScratchFolder& f) {
             return render(f, {"--plot", f / "out.wav"});
         },
         {},
         says("the picture and the output are the same file")},
        {"output folder missing",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav", f / "no/out.wav"};
         },
         {},
         says("cannot create output in")},
        {"Ogg cannot hold 16-bit PCM",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.ogg", f / "out.ogg", "--pcm16"};
         },
         {},
         says("with 16-bit PCM")},
        {"channel beyond the file",
         [](const ScratchFolder& f) {
             return render(f, {"--channel", "3"});
         },
         {},
         says("--channel 3: '")},
        {"plot of a missing file",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "missing.wav", f / "out.png"};
         },
         {},
         says("missing.wav': No such file or directory")},
        {"plot onto its own audio",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "in.wav", f / "in.wav"};
         },
         {},
         says("refusing to overwrite the input")},
        {"plot range past the end",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "in.wav", f / "out.png", "--from", "5"};
         },
         {},
         says("nothing to draw: no audio in the chosen time range")},
        {"plot range backwards",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "in.wav", f / "out.png", "--from", "0.05", "--to", "0.01"};
         },
         {},
         says("--to must come after --from")},
        {"picture without gnuplot",
         [](const ScratchFolder& f) {
             return render(f, {"--plot", f / "out.png"});
         },
         {{"PATH", "/nonexistent"}},
         says("gnuplot is not installed")},

        // Names and values.
        {"unknown parameter name",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Bogus=0.5"});
         },
         {},
         says("unknown parameter 'Bogus' (known: Level, Spare Knob)")},
        {"parameter index out of range",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "2=0.5"});
         },
         {},
         says("parameter index 2 is out of range (plug-in has 2 parameters)")},
        {"value not a number",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level=loud"});
         },
         {},
         says("--set Level: 'loud' is not a number")},
        {"value not finite",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level=nan"});
         },
         {},
         says("'nan' is not a number")},
        {"value outside 0..1",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level=1.5"});
         },
         {},
         says("value 1.5 is outside 0..1")},
        {"set without a value",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level"});
         },
         {},
         says("expected NAME=VALUE")},
        {"automated parameter unknown",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Gain=0:1"});
         },
         {},
         says("unknown parameter 'Gain'")},
        {"automation value not a number",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=0:0,1:x"});
         },
         {},
         says("'x' is not a number")},
        {"automation time not a number",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=soon:0.5"});
         },
         {},
         says("'soon' is not a number")},
        {"automation times decrease",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=1:0,0.5:1"});
         },
         {},
         says("times must not decrease")},
        {"automation point without a colon",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=0.5"});
         },
         {},
         says("is not SECONDS:VALUE")},
        {"program out of range",
         [](const ScratchFolder& f) {
             return render(f, {"--program", "2"});
         },
         {},
         says("program 2 is out of range (plug-in has 2 programs: 0..1)")},
        {"program not a number",
         [](const ScratchFolder& f) {
             return render(f, {"--program", "two"});
         },
         {},
         says("--program: 'two' is not a whole number")},
        {"block size zero",
         [](const ScratchFolder& f) {
             return render(f, {"--block", "0"});
         },
         {},
         says("--block 0 is outside 1..65536")},
        {"tail negative",
         [](const ScratchFolder& f) {
             return render(f, {"--tail", "-1"});
         },
         {},
         says("--tail -1 is outside 0..3600 seconds")},
        {"both PCM widths",
         [](const ScratchFolder& f) {
             return render(f, {"--pcm16", "--pcm24"});
         },
         {},
         says("--pcm16 and --pcm24 exclude each other")},

        // The command line itself.
        {"no command", [](const ScratchFolder&) { return std::vector<std::string>{}; }, {}, says("no command given")},
        {"unknown command",
         [](const ScratchFolder&) { return std::vector<std::string>{"mix"}; },
         {},
         says("unknown command 'mix'")},
        {"unknown option",
         [](const ScratchFolder& f) { return render(f, {"--louder"}); },
         {},
         says("unknown option --louder for render")},
        {"render without OUT",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav"};
         },
         {},
         says("expected render PLUGIN IN OUT")},
        {"option missing its value",
         [](const ScratchFolder& f) { return render(f, {"--block"}); },
         {},
         says("--block needs a value")},
    };

    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.name);
        ScratchFolder folder;
        writeAudio(folder / "in.wav", testSignal(2, 3000, 44100));
        writeAudio(folder / "in.ogg", testSignal(2, 3000, 44100, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
        writeText(folder / "notes.txt", "not audio, not a plug-in\n");
        const std::string inputBefore = readText(folder / "in.wav");
        const std::vector<std::string> before = folder.entries();

        const ToolResult result = runTool(row.args(folder), row.environment);

        EXPECT_EQ(result.exitCode, 2);
        const std::vector<std::string> errorLines = lines(result.err);
        ASSERT_EQ(errorLines.size(), 1u) << result.err;
        EXPECT_EQ(errorLines[0].rfind("oscinda-host: ", 0), 0u) << errorLines[0];
        EXPECT_NE(errorLines[0].find(row.message(folder)), std::string::npos)
            << "wanted: " << row.message(folder) << "\n   got: " << errorLines[0];
        EXPECT_EQ(folder.entries(), before);
        EXPECT_TRUE(readText(folder / "in.wav") == inputBefore) << "the input changed";
    }
}

}  // namespace
