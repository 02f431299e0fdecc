#include "tools/oscinda-host/options.h"

#include "tools/oscinda-host/argument_reader.h"
#include "tools/oscinda-host/number_parse.h"
#include "tools/oscinda-host/tool_error.h"

namespace {

constexpr int kMaxBlockSize = 1 << 16;
constexpr int kMaxIndex = 0x7fffffff;
constexpr double kMaxTailSeconds = 3600.0;

ParameterSetting parseSetting(const std::string& text) {
    const auto [parameter, value] = splitAssignment(text, "--set", "NAME=VALUE");
    ParameterSetting setting;
    setting.parameter = parameter;
    setting.value = parseNumber(value, "--set " + parameter);
    if (setting.value < 0.0 || setting.value > 1.0)
        throw ToolError("--set " + parameter + ": value " + value + " is outside 0..1");
    return setting;
}

void expectPositionals(const std::vector<std::string>& positionals, std::size_t count, const char* synopsis) {
    if (positionals.size() != count)
        throw ToolError(std::string("expected ") + synopsis + " (see oscinda-host --help)");
}

InfoOptions parseInfo(ArgumentReader& reader) {
    InfoOptions options;
    const std::vector<std::string> positionals =
        reader.readAll("info", [&](const std::string& name) { return reader.flag(name, "--json", options.json); });
    expectPositionals(positionals, 1, "info PLUGIN");
    options.plugin = positionals[0];
    return options;
}

void chooseFormat(RenderOptions& options, SampleFormat format) {
    if (options.formatRequested && options.format != format) throw ToolError("--pcm16 and --pcm24 exclude each other");
    options.format = format;
    options.formatRequested = true;
}

RenderOptions parseRender(ArgumentReader& reader) {
    RenderOptions options;
    const std::vector<std::string> positionals = reader.readAll("render", [&](const std::string& name) {
        if (name == "--block") {
            options.blockSize = parseIntegerIn(reader.value(name), name, 1, kMaxBlockSize);
        } else if (name == "--program") {
            options.program = parseIntegerIn(reader.value(name), name, 0, kMaxIndex);
        } else if (name == "--set") {
            options.settings.push_back(parseSetting(reader.value(name)));
        } else if (name == "--automate") {
            options.automations.push_back(parseAutomation(reader.value(name)));
        } else if (name == "--channel") {
            options.channel = parseIntegerIn(reader.value(name), name, 1, kMaxIndex);
        } else if (name == "--tail") {
            const std::string text = reader.value(name);
            options.tailSeconds = parseNumber(text, name);
            if (options.tailSeconds < 0.0 || options.tailSeconds > kMaxTailSeconds)
                throw ToolError("--tail " + text + " is outside 0..3600 seconds");
        } else if (name == "--pcm16" || name == "--pcm24") {
            reader.noValue(name);
            chooseFormat(options, name == "--pcm16" ? SampleFormat::Pcm16 : SampleFormat::Pcm24);
        } else if (name == "--plot") {
            options.plot = reader.value(name);
            if (options.plot.empty()) throw ToolError("--plot needs a file name");
        } else {
            return reader.flag(name, "--quiet", options.quiet);
        }
        return true;
    });
    expectPositionals(positionals, 3, "render PLUGIN IN OUT");
    options.plugin = positionals[0];
    options.input = positionals[1];
    options.output = positionals[2];
    return options;
}

PlotOptions parsePlot(ArgumentReader& reader) {
    PlotOptions options;
    const std::vector<std::string> positionals = reader.readAll("plot", [&](const std::string& name) {
        if (name == "--input") {
            options.dryInput = reader.value(name);
        } else if (name == "--from" || name == "--to") {
            const std::string text = reader.value(name);
            const double seconds = parseNumber(text, name);
            if (seconds < 0.0) throw ToolError(name + " " + text + " is negative");
            (name == "--from" ? options.fromSeconds : options.toSeconds) = seconds;
        } else {
            return reader.flag(name, "--quiet", options.quiet);
        }
        return true;
    });
    expectPositionals(positionals, 2, "plot AUDIO PICTURE.png");
    if (options.toSeconds >= 0.0 && options.toSeconds <= options.fromSeconds)
        throw ToolError("--to must come after --from");
    options.audio = positionals[0];
    options.picture = positionals[1];
    return options;
}

EditorOptions parseEditor(ArgumentReader& reader) {
    EditorOptions options;
    const std::vector<std::string> positionals = reader.readAll("editor", [&](const std::string& name) {
        if (name == "--program") {
            options.program = parseIntegerIn(reader.value(name), name, 0, kMaxIndex);
        } else if (name == "--set") {
            options.settings.push_back(parseSetting(reader.value(name)));
        } else {
            return reader.flag(name, "--show", options.show);
        }
        return true;
    });
    expectPositionals(positionals, 2, "editor PLUGIN PICTURE.png");
    options.plugin = positionals[0];
    options.picture = positionals[1];
    return options;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (args.empty()) throw ToolError("no command given (see oscinda-host --help)");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") return line;
    ArgumentReader reader(std::vector<std::string>(args.begin() + 1, args.end()));
    if (command == "info") {
        line.command = Command::Info;
        line.info = parseInfo(reader);
    } else if (command == "render") {
        line.command = Command::Render;
        line.render = parseRender(reader);
    } else if (command == "plot") {
        line.command = Command::Plot;
        line.plot = parsePlot(reader);
    } else if (command == "editor") {
        line.command = Command::Editor;
        line.editor = parseEditor(reader);
    } else {
        throw ToolError("unknown command '" + command + "' (see oscinda-host --help)");
    }
    return line;
}

const char* usageText() {
    return "usage: oscinda-host COMMAND ...\n"
           "\n"
           "  oscinda-host info PLUGIN [--json]\n"
           "      What a host sees of a VST 2.4 plug-in: identity, record fields,\n"
           "      every parameter and every program.\n"
           "\n"
           "  oscinda-host render PLUGIN IN OUT [options]\n"
           "      Process audio file IN through PLUGIN into OUT (same file type as IN,\n"
           "      one channel per plug-in output, 32-bit float unless told otherwise).\n"
           "      --block N              frames per processing call (default 512, 1..65536)\n"
           "      --program N            select program N (0-based, as info lists them)\n"
           "      --set NAME=VALUE       set a parameter, by name or index, to VALUE (0..1);\n"
           "                             repeatable, applied after --program\n"
           "      --automate NAME=T:V,T:V,...\n"
           "                             move a parameter over time: T in seconds, V in 0..1,\n"
           "                             interpolated linearly and applied per block\n"
           "      --channel K            feed input channel K (1-based) to the plug-in;\n"
           "                             without it, extra channels are mixed down\n"
           "      --tail SECONDS         go on processing silence after the input ends\n"
           "      --pcm16 | --pcm24      write integer samples instead of 32-bit float\n"
           "      --plot PICTURE.png     also draw input and output envelopes\n"
           "      --quiet                no progress bar (there is none unless stderr is a terminal)\n"
           "\n"
           "  oscinda-host plot AUDIO PICTURE.png [--input DRY] [--from SECONDS] [--to SECONDS]\n"
           "      Draw the envelope of every channel of AUDIO over time, with the\n"
           "      unprocessed file DRY on top when given; --from/--to zoom in.\n"
           "\n"
           "  oscinda-host editor PLUGIN PICTURE.png [options]\n"
           "      Open the plug-in's editor in an X11 window of its own size and save\n"
           "      the window's pixels as PNG. Without DISPLAY it runs its own Xvfb.\n"
           "      --program N            select program N before opening the editor\n"
           "      --set NAME=VALUE       set a parameter first (0..1), repeatable\n"
           "      --show                 after saving, keep the window open on DISPLAY\n"
           "                             until it is closed, so the panel can be tried\n"
           "\n"
           "Output files appear only when complete. On any error the tool prints one\n"
           "line on stderr and exits with status 2.\n";
}
