// Every way a run can fail answers the same: status 2, one line on stderr
// naming the problem, and the folder exactly as it was (no output, no
// temporary file, the input untouched).
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/row_name.h"
#include "tests/tools/tool_runner.h"

namespace {

struct ErrorRow {
    std::string name;
    std::function<std::vector<std::string>(const ScratchFolder&)> args;
    Environment environment;
    std::function<std::string(const ScratchFolder&)> message;  // must appear in the line
    friend void PrintTo(const ErrorRow& row, std::ostream* out) { *out << row.name; }
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

std::vector<ErrorRow> errorRows() {
    return {
        // The plug-in.
        {"plug_in_file_missing",
         [](const ScratchFolder& f) { return render(f, {}, f / "nope.so"); },
         {},
         [](const ScratchFolder& f) {
             return "cannot read plug-in '" + (f / "nope.so") + "': No such file or directory";
         }},
        {"plug_in_is_a_text_file",
         [](const ScratchFolder& f) { return render(f, {}, f / "notes.txt"); },
         {},
         says("notes.txt' is not a loadable plug-in module")},
        {"plug_in_is_a_folder",
         [](const ScratchFolder& f) { return render(f, {}, f.path()); },
         {},
         says("is a directory")},
        {"module_without_vstpluginmain",
         [](const ScratchFolder& f) { return render(f, {}, NO_ENTRY_MODULE_PATH); },
         {},
         says("is not a VST 2.4 plug-in: it has no VSTPluginMain")},
        {"plug_in_returns_null",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "null"}},
         says("returned no effect from VSTPluginMain")},
        {"record_without_the_magic",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "magic"}},
         says("returned a record without the VstP magic")},
        {"absurd_output_count",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "outputs"}},
         says("reports 100000 outputs")},
        {"plug_in_crashes_while_processing",
         [](const ScratchFolder& f) { return render(f, {}); },
         {{"GAIN_PLUGIN_FAULT", "crash"}},
         says("crashed while running the plug-in (segmentation fault)")},
        {"info_on_a_plug_in_that_returns_null",
         [](const ScratchFolder&) {
             return std::vector<std::string>{"info", kGainPluginPath};
         },
         {{"GAIN_PLUGIN_FAULT", "null"}},
         says("returned no effect")},
        {"info_on_a_missing_plug_in",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"info", "--json", f / "nope.so"};
         },
         {},
         says("cannot read plug-in")},

        // The audio files.
        {"input_missing",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "missing.wav", f / "out.wav"};
         },
         {},
         [](const ScratchFolder& f) { return "cannot read '" + (f / "missing.wav") + "': No such file or directory"; }},
        {"input_is_not_audio",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "notes.txt", f / "out.wav"};
         },
         {},
         says("notes.txt' is not a supported audio file")},
        {"output_is_the_input",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav", f / "in.wav"};
         },
         {},
         says("refusing to overwrite the input")},
        {"output_is_the_input_spelt_differently",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav", f.path() + "//./in.wav"};
         },
         {},
         says("refusing to overwrite the input")},
        {"picture_is_the_input",
         [](const ScratchFolder& f) {
             return render(f, {"--plot", f / "in.wav"});
         },
         {},
         says("refusing to overwrite the input")},
        {"picture_is_the_output",
         [](const ScratchFolder& f) {
             return render(f, {"--plot", f / "out.wav"});
         },
         {},
         says("the picture and the output are the same file")},
        {"output_folder_missing",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav", f / "no/out.wav"};
         },
         {},
         says("cannot create output in")},
        {"ogg_cannot_hold_16_bit_pcm",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.ogg", f / "out.ogg", "--pcm16"};
         },
         {},
         says("with 16-bit PCM")},
        {"channel_beyond_the_file",
         [](const ScratchFolder& f) {
             return render(f, {"--channel", "3"});
         },
         {},
         says("--channel 3: '")},
        {"plot_of_a_missing_file",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "missing.wav", f / "out.png"};
         },
         {},
         says("missing.wav': No such file or directory")},
        {"plot_onto_its_own_audio",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "in.wav", f / "in.wav"};
         },
         {},
         says("refusing to overwrite the input")},
        {"plot_range_past_the_end",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "in.wav", f / "out.png", "--from", "5"};
         },
         {},
         says("nothing to draw: no audio in the chosen time range")},
        {"plot_range_backwards",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"plot", f / "in.wav", f / "out.png", "--from", "0.05", "--to", "0.01"};
         },
         {},
         says("--to must come after --from")},
        {"picture_without_gnuplot",
         [](const ScratchFolder& f) {
             return render(f, {"--plot", f / "out.png"});
         },
         {{"PATH", "/nonexistent"}},
         says("gnuplot is not installed")},

        // Names and values.
        {"unknown_parameter_name",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Bogus=0.5"});
         },
         {},
         says("unknown parameter 'Bogus' (known: Level, Spare Knob)")},
        {"parameter_index_out_of_range",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "2=0.5"});
         },
         {},
         says("parameter index 2 is out of range (plug-in has 2 parameters)")},
        {"value_not_a_number",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level=loud"});
         },
         {},
         says("--set Level: 'loud' is not a number")},
        {"value_not_finite",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level=nan"});
         },
         {},
         says("'nan' is not a number")},
        {"value_outside_0_1",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level=1.5"});
         },
         {},
         says("value 1.5 is outside 0..1")},
        {"set_without_a_value",
         [](const ScratchFolder& f) {
             return render(f, {"--set", "Level"});
         },
         {},
         says("expected NAME=VALUE")},
        {"automated_parameter_unknown",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Gain=0:1"});
         },
         {},
         says("unknown parameter 'Gain'")},
        {"automation_value_not_a_number",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=0:0,1:x"});
         },
         {},
         says("'x' is not a number")},
        {"automation_time_not_a_number",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=soon:0.5"});
         },
         {},
         says("'soon' is not a number")},
        {"automation_times_decrease",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=1:0,0.5:1"});
         },
         {},
         says("times must not decrease")},
        {"automation_point_without_a_colon",
         [](const ScratchFolder& f) {
             return render(f, {"--automate", "Level=0.5"});
         },
         {},
         says("is not SECONDS:VALUE")},
        {"program_out_of_range",
         [](const ScratchFolder& f) {
             return render(f, {"--program", "2"});
         },
         {},
         says("program 2 is out of range (plug-in has 2 programs: 0..1)")},
        {"program_not_a_number",
         [](const ScratchFolder& f) {
             return render(f, {"--program", "two"});
         },
         {},
         says("--program: 'two' is not a whole number")},
        {"block_size_zero",
         [](const ScratchFolder& f) {
             return render(f, {"--block", "0"});
         },
         {},
         says("--block 0 is outside 1..65536")},
        {"tail_negative",
         [](const ScratchFolder& f) {
             return render(f, {"--tail", "-1"});
         },
         {},
         says("--tail -1 is outside 0..3600 seconds")},
        {"both_pcm_widths",
         [](const ScratchFolder& f) {
             return render(f, {"--pcm16", "--pcm24"});
         },
         {},
         says("--pcm16 and --pcm24 exclude each other")},

        // The command line itself.
        {"no_command", [](const ScratchFolder&) { return std::vector<std::string>{}; }, {}, says("no command given")},
        {"unknown_command",
         [](const ScratchFolder&) { return std::vector<std::string>{"mix"}; },
         {},
         says("unknown command 'mix'")},
        {"unknown_option",
         [](const ScratchFolder& f) { return render(f, {"--louder"}); },
         {},
         says("unknown option --louder for render")},
        {"render_without_out",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav"};
         },
         {},
         says("expected render PLUGIN IN OUT")},
        {"flag_given_a_value",
         [](const ScratchFolder& f) { return render(f, {"--quiet=yes"}); },
         {},
         says("--quiet takes no value")},
        {"info_flag_given_a_value",
         [](const ScratchFolder&) {
             return std::vector<std::string>{"info", "--json=1", kGainPluginPath};
         },
         {},
         says("--json takes no value")},
        {"option_after_a_double_dash_is_a_positional",
         [](const ScratchFolder& f) {
             return std::vector<std::string>{"render", kGainPluginPath, f / "in.wav", "--", f / "out.wav", "--quiet"};
         },
         {},
         says("expected render PLUGIN IN OUT")},
        {"option_missing_its_value",
         [](const ScratchFolder& f) { return render(f, {"--block"}); },
         {},
         says("--block needs a value")},
    };
}

// A folder holding the inputs the rows refer to, and what it looked like
// before the run.
class Errors : public testing::TestWithParam<ErrorRow> {
protected:
    void SetUp() override {
        writeAudio(folder / "in.wav", testSignal(2, 3000, 44100));
        writeAudio(folder / "in.ogg", testSignal(2, 3000, 44100, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
        writeText(folder / "notes.txt", "not audio, not a plug-in\n");
        inputBefore = readText(folder / "in.wav");
        entriesBefore = folder.entries();
    }

    ScratchFolder folder;
    std::string inputBefore;
    std::vector<std::string> entriesBefore;
};

TEST_P(Errors, AnswerWithOneLineStatusTwoAndNoFileLeft) {
    const ErrorRow& row = GetParam();
    const ToolResult result = runTool(row.args(folder), row.environment);

    EXPECT_EQ(result.exitCode, 2);
    const std::vector<std::string> errorLines = lines(result.err);
    ASSERT_EQ(errorLines.size(), 1u) << result.err;
    EXPECT_EQ(errorLines[0].rfind("oscinda-host: ", 0), 0u) << errorLines[0];
    EXPECT_NE(errorLines[0].find(row.message(folder)), std::string::npos)
        << "wanted: " << row.message(folder) << "\n   got: " << errorLines[0];
    EXPECT_EQ(folder.entries(), entriesBefore);
    EXPECT_TRUE(readText(folder / "in.wav") == inputBefore) << "the input changed";
}

INSTANTIATE_TEST_SUITE_P(Tool, Errors, testing::ValuesIn(errorRows()), rowName<ErrorRow>);

}  // namespace
