#include "tools/oscinda-host/options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "tools/oscinda-host/tool_error.h"

namespace {

constexpr int kMaxBlockSize = 1 << 16;
constexpr double kMaxTailSeconds = 3600.0;

// Walks the arguments after the command, splitting "--name=value" and
// "--name value" alike, and collecting positionals.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    // Next option name in `name` (without value) or positional in `positional`.
    bool next(std::string& name, std::string& positional) {
        name.clear();
        positional.clear();
        inlineValue_.reset();
        if (index_ >= args_.size()) return false;
        const std::string& arg = args_[index_++];
        if (!optionsEnded_ && arg == "--") {
            optionsEnded_ = true;
            return next(name, positional);
        }
        if (optionsEnded_ || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional = arg;
            return true;
        }
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            name = arg.substr(0, equals);
            inlineValue_ = std::make_unique<std::string>(arg.substr(equals + 1));
        } else {
            name = arg;
        }
        return true;
    }

    std::string value(const std::string& option) {
        if (inlineValue_) return *inlineValue_;
        if (index_ >= args_.size()) throw ToolError(option + " needs a value");
        return args_[index_++];
    }

    void noValue(const std::string& option) const {
        if (inlineValue_) throw ToolError(option + " takes no value");
    }

private:
    const std::vector<std::string>& args_;
    std::size_t index_ = 0;
    bool optionsEnded_ = false;
    std::unique_ptr<std::string> inlineValue_;
};

int boundedInteger(const std::string& text, const std::string& what, long long low, long long high) {
    const long long number = parseInteger(text, what);
    if (number < low || number > high)
        throw ToolError(what + " " + text + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    return static_cast<int>(number);
}

ParameterSetting parseSetting(const std::string& text) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) throw ToolError("--set '" + text + "': expected NAME=VALUE");
    ParameterSetting setting;
    setting.parameter = text.substr(0, equals);
    const std::string value = text.substr(equals + 1);
    setting.value = parseNumber(value, "--set " + setting.parameter);
    if (setting.value < 0.0 || setting.value > 1.0)
        throw ToolError("--set " + setting.parameter + ": value " + value + " is outside 0..1");
    return setting;
}

void expectPositionals(const std::vector<std::string>& positionals, std::size_t count, const char* synopsis) {
    if (positionals.size() != count)
        throw ToolError(std::string("expected ") + synopsis + " (see oscinda-host --help)");
}

InfoOptions parseInfo(ArgumentReader& reader) {
    InfoOptions options;
    std::vector<std::string> positionals;
    std::string name, positional;
    while (reader.next(name, positional)) {
        if (name.empty()) {
            positionals.push_back(positional);
        } else if (name == "--json") {
            reader.noValue(name);
            options.json = true;
        } else {
            throw ToolError("unknown option " + name + " for info");
        }
    }
    expectPositionals(positionals, 1, "info PLUGIN");
    options.plugin = positionals[0];
    return options;
}

RenderOptions parseRender(ArgumentReader& reader) {
    RenderOptions options;
    std::vector<std::string> positionals;
    std::string name, positional;
    while (reader.next(name, positional)) {
        if (name.empty()) {
            positionals.push_back(positional);
        } else if (name == "--block") {
            options.blockSize = boundedInteger(reader.value(name), "--block", 1, kMaxBlockSize);
        } else if (name == "--program") {
            options.program = boundedInteger(reader.value(name), "--program", 0, 0x7fffffff);
        } else if (name == "--set") {
            options.settings.push_back(parseSetting(reader.value(name)));
        } else if (name == "--automate") {
            options.automations.push_back(parseAutomation(reader.value(name)));
        } else if (name == "--channel") {
            options.channel = boundedInteger(reader.value(name), "--channel", 1, 0x7fffffff);
        } else if (name == "--tail") {
            const std::string text = reader.value(name);
            options.tailSeconds = parseNumber(text, "--tail");
            if (options.tailSeconds < 0.0 || options.tailSeconds > kMaxTailSeconds)
                throw ToolError("--tail " + text + " is outside 0..3600 seconds");
        } else if (name == "--pcm16" || name == "--pcm24") {
            reader.noValue(name);
            const SampleFormat format = name == "--pcm16" ? SampleFormat::Pcm16 : SampleFormat::Pcm24;
            if (options.formatRequested && options.format != format)
                throw ToolError("--pcm16 and --pcm24 exclude each other");
            options.format = format;
            options.formatRequested = true;
        } else if (name == "--plot") {
            options.plot = reader.value(name);
            if (options.plot.empty()) throw ToolError("--plot needs a file name");
        } else if (name == "--quiet") {
            reader.noValue(name);
            options.quiet = true;
        } else {
            throw ToolError("unknown option " + name + " for render");
        }
    }
    expectPositionals(positionals, 3, "render PLUGIN IN OUT");
    options.plugin = positionals[0];
    options.input = positionals[1];
    options.output = positionals[2];
    return options;
}

PlotOptions parsePlot(ArgumentReader& reader) {
    PlotOptions options;
    std::vector<std::string> positionals;
    std::string name, positional;
    while (reader.next(name, positional)) {
        if (name.empty()) {
            positionals.push_back(positional);
        } else if (name == "--input") {
            options.dryInput = reader.value(name);
        } else if (name == "--from" || name == "--to") {
            const std::string text = reader.value(name);
            const double seconds = parseNumber(text, name);
            if (seconds < 0.0) throw ToolError(name + " " + text + " is negative");
            (name == "--from" ? options.fromSeconds : options.toSeconds) = seconds;
        } else if (name == "--quiet") {
            reader.noValue(name);
            options.quiet = true;
        } else {
            throw ToolError("unknown option " + name + " for plot");
        }
    }
    expectPositionals(positionals, 2, "plot AUDIO PICTURE.png");
    if (options.toSeconds >= 0.0 && options.toSeconds <= options.fromSeconds)
        throw ToolError("--to must come after --from");
    options.audio = positionals[0];
    options.picture = positionals[1];
    return options;
}

EditorOptions parseEditor(ArgumentReader& reader) {
    EditorOptions options;
    std::vector<std::string> positionals;
    std::string name, positional;
    while (reader.next(name, positional)) {
        if (name.empty()) {
            positionals.push_back(positional);
        } else if (name == "--program") {
            options.program = boundedInteger(reader.value(name), "--program", 0, 0x7fffffff);
        } else if (name == "--set") {
            options.settings.push_back(parseSetting(reader.value(name)));
        } else if (name == "--show") {
            reader.noValue(name);
            options.show = true;
        } else {
            throw ToolError("unknown option " + name + " for editor");
        }
    }
    expectPositionals(positionals, 2, "editor PLUGIN PICTURE.png");
    options.plugin = positionals[0];
    options.picture = positionals[1];
    return options;
}

}  // namespace

double parseNumber(const std::string& text, const std::string& what) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (text.empty() || end != begin + text.size() || errno == ERANGE || !std::isfinite(value))
        throw ToolError(what + ": '" + text + "' is not a number");
    return value;
}

long long parseInteger(const std::string& text, const std::string& what) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (text.empty() || end != begin + text.size() || errno == ERANGE)
        throw ToolError(what + ": '" + text + "' is not a whole number");
    return value;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (args.empty()) throw ToolError("no command given (see oscinda-host --help)");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") return line;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    ArgumentReader reader(rest);
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
