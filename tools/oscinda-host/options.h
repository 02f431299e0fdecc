// The command line, turned into one plain struct per subcommand. Parsing only
// checks what can be checked without the plug-in or the files: numbers, ranges,
// option spelling. Names are resolved later against the loaded plug-in.
#pragma once

#include <string>
#include <vector>

#include "tools/oscinda-host/automation.h"

enum class SampleFormat { Float, Pcm16, Pcm24 };

struct ParameterSetting {
    std::string parameter;  // name or index, as typed
    double value = 0.0;     // normalised 0..1
};

struct InfoOptions {
    std::string plugin;
    bool json = false;
};

struct RenderOptions {
    std::string plugin;
    std::string input;
    std::string output;
    int blockSize = 512;
    int program = -1;  // -1: leave the plug-in's own current program
    std::vector<ParameterSetting> settings;
    std::vector<AutomationCurve> automations;
    int channel = 0;  // 1-based input channel; 0: downmix when needed
    double tailSeconds = 0.0;
    bool quiet = false;
    SampleFormat format = SampleFormat::Float;
    bool formatRequested = false;
    std::string plot;  // empty: no picture
};

struct PlotOptions {
    std::string audio;
    std::string picture;
    std::string dryInput;  // optional: the unprocessed file, drawn on top
    double fromSeconds = 0.0;
    double toSeconds = -1.0;  // negative: to the end
    bool quiet = false;
};

struct EditorOptions {
    std::string plugin;
    std::string picture;
    int program = -1;  // -1: leave the plug-in's own current program
    std::vector<ParameterSetting> settings;
    bool show = false;  // keep the window open for a person to try
};

enum class Command { Help, Info, Render, Plot, Editor };

struct CommandLine {
    Command command = Command::Help;
    InfoOptions info;
    RenderOptions render;
    PlotOptions plot;
    EditorOptions editor;
};

// Throws ToolError naming the offending argument.
CommandLine parseCommandLine(const std::vector<std::string>& args);

const char* usageText();
