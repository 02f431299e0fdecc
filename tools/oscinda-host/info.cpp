#include "tools/oscinda-host/info.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/oscinda-host/host_callback.h"
#include "tools/oscinda-host/plugin.h"

namespace {

struct ParameterInfo {
    VstInt32 index;
    std::string name;
    std::string label;
    float value;
    std::string display;
};

struct PluginInfo {
    std::string path;
    std::string name;
    std::string vendor;
    std::string product;
    VstIntPtr vendorVersion;
    VstIntPtr vstVersion;
    VstIntPtr category;
    AEffect record;
    std::vector<ParameterInfo> parameters;
    std::vector<std::string> programs;
};

const char* categoryName(VstIntPtr category) {
    static const char* const names[] = {"Unknown",     "Effect",         "Synth",  "Analysis",
                                        "Mastering",   "Spatializer",    "RoomFx", "SurroundFx",
                                        "Restoration", "OfflineProcess", "Shell",  "Generator"};
    return category >= 0 && category < static_cast<VstIntPtr>(sizeof names / sizeof names[0]) ? names[category]
                                                                                              : "Unknown";
}

// Four characters, most significant byte first; unprintable bytes become '?'.
std::string fourCharacters(VstInt32 code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char c = static_cast<unsigned char>((static_cast<std::uint32_t>(code) >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return text;
}

std::string hex(VstInt32 value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(value));
    return buffer;
}

std::vector<std::string> flagNames(VstInt32 flags) {
    static const struct {
        VstInt32 bit;
        const char* name;
    } known[] = {{effFlagsHasEditor, "HasEditor"},         {effFlagsCanReplacing, "CanReplacing"},
                 {effFlagsProgramChunks, "ProgramChunks"}, {effFlagsIsSynth, "IsSynth"},
                 {effFlagsNoSoundInStop, "NoSoundInStop"}, {effFlagsCanDoubleReplacing, "CanDoubleReplacing"}};
    std::vector<std::string> names;
    for (const auto& flag : known)
        if ((flags & flag.bit) != 0) names.push_back(flag.name);
    return names;
}

std::string number(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

// JSON string literal. Plug-in text is not promised to be UTF-8: valid UTF-8
// passes through, any other byte is read as Latin-1.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = bytes[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
            bool valid = length != 0 && i + length <= size;
            for (std::size_t k = 1; valid && k < length; ++k) valid = (bytes[i + k] & 0xC0) == 0x80;
            if (valid) {
                out.append(text, i, length);
                i += length - 1;
            } else {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            }
        }
    }
    return out + "\"";
}

PluginInfo gather(Plugin& plugin) {
    PluginInfo info{};
    info.path = plugin.path();
    info.name = plugin.text(effGetEffectName);
    info.vendor = plugin.text(effGetVendorString);
    info.product = plugin.text(effGetProductString);
    info.vendorVersion = plugin.dispatch(effGetVendorVersion);
    info.vstVersion = plugin.dispatch(effGetVstVersion);
    info.category = plugin.dispatch(effGetPlugCategory);
    info.record = plugin.record();
    for (VstInt32 i = 0; i < plugin.numParams(); ++i)
        info.parameters.push_back(
            {i, plugin.parameterName(i), plugin.parameterLabel(i), plugin.parameter(i), plugin.parameterDisplay(i)});
    for (VstInt32 i = 0; i < plugin.numPrograms(); ++i) info.programs.push_back(plugin.programName(i));
    return info;
}

void writeText(const PluginInfo& info, std::ostream& out) {
    const AEffect& r = info.record;
    std::string flags;
    for (const std::string& name : flagNames(r.flags)) flags += " " + name;
    out << "Plug-in:        " << info.path << "\n"
        << "Name:           " << info.name << "\n"
        << "Vendor:         " << info.vendor << "\n"
        << "Product:        " << info.product << "\n"
        << "Vendor version: " << info.vendorVersion << "\n"
        << "VST version:    " << info.vstVersion << "\n"
        << "Category:       " << categoryName(info.category) << " (" << info.category << ")\n"
        << "Unique ID:      " << fourCharacters(r.uniqueID) << " (" << hex(r.uniqueID) << ")\n"
        << "Record:\n"
        << "  magic         " << fourCharacters(r.magic) << "\n"
        << "  version       " << r.version << "\n"
        << "  programs      " << r.numPrograms << "\n"
        << "  parameters    " << r.numParams << "\n"
        << "  inputs        " << r.numInputs << "\n"
        << "  outputs       " << r.numOutputs << "\n"
        << "  flags         " << hex(r.flags) << flags << "\n"
        << "  initialDelay  " << r.initialDelay << "\n"
        << "  ioRatio       " << number(r.ioRatio) << "\n";
    out << "Parameters (" << info.parameters.size() << "):\n";
    if (!info.parameters.empty()) out << "  index  name                  label     value         display\n";
    for (const ParameterInfo& p : info.parameters) {
        char line[1024];
        std::snprintf(line, sizeof line, "  %5d  %-20s  %-8s  %-12s  %s\n", p.index, p.name.c_str(),
                      p.label.empty() ? "-" : p.label.c_str(), number(p.value).c_str(), p.display.c_str());
        out << line;
    }
    out << "Programs (" << info.programs.size() << "):\n";
    for (std::size_t i = 0; i < info.programs.size(); ++i) {
        char line[1024];
        std::snprintf(line, sizeof line, "  %5zu  %s\n", i, info.programs[i].c_str());
        out << line;
    }
}

void writeJson(const PluginInfo& info, std::ostream& out) {
    const AEffect& r = info.record;
    out << "{\n"
        << "  \"path\": " << quoted(info.path) << ",\n"
        << "  \"name\": " << quoted(info.name) << ",\n"
        << "  \"vendor\": " << quoted(info.vendor) << ",\n"
        << "  \"product\": " << quoted(info.product) << ",\n"
        << "  \"vendorVersion\": " << info.vendorVersion << ",\n"
        << "  \"vstVersion\": " << info.vstVersion << ",\n"
        << "  \"category\": {\"code\": " << info.category << ", \"name\": " << quoted(categoryName(info.category))
        << "},\n"
        << "  \"uniqueId\": {\"text\": " << quoted(fourCharacters(r.uniqueID)) << ", \"value\": " << r.uniqueID
        << "},\n"
        << "  \"record\": {\"magic\": " << quoted(fourCharacters(r.magic)) << ", \"version\": " << r.version
        << ", \"numPrograms\": " << r.numPrograms << ", \"numParams\": " << r.numParams
        << ", \"numInputs\": " << r.numInputs << ", \"numOutputs\": " << r.numOutputs << ", \"flags\": " << r.flags
        << ", \"flagNames\": [";
    const std::vector<std::string> flags = flagNames(r.flags);
    for (std::size_t i = 0; i < flags.size(); ++i) out << (i ? ", " : "") << quoted(flags[i]);
    out << "], \"initialDelay\": " << r.initialDelay << ", \"ioRatio\": " << number(r.ioRatio) << "},\n";
    out << "  \"parameters\": [";
    for (std::size_t i = 0; i < info.parameters.size(); ++i) {
        const ParameterInfo& p = info.parameters[i];
        out << (i ? ",\n" : "\n") << "    {\"index\": " << p.index << ", \"name\": " << quoted(p.name)
            << ", \"label\": " << quoted(p.label) << ", \"value\": " << number(p.value)
            << ", \"display\": " << quoted(p.display) << "}";
    }
    out << (info.parameters.empty() ? "],\n" : "\n  ],\n");
    out << "  \"programs\": [";
    for (std::size_t i = 0; i < info.programs.size(); ++i)
        out << (i ? ",\n" : "\n") << "    {\"index\": " << i << ", \"name\": " << quoted(info.programs[i]) << "}";
    out << (info.programs.empty() ? "]\n" : "\n  ]\n") << "}\n";
}

}  // namespace

void runInfo(const InfoOptions& options, std::ostream& out) {
    Plugin plugin(options.plugin);
    // Some plug-ins only describe themselves fully once they know the stream.
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, hostState().sampleRate);
    plugin.dispatch(effSetBlockSize, 0, hostState().blockSize);
    const PluginInfo info = gather(plugin);
    if (options.json)
        writeJson(info, out);
    else
        writeText(info, out);
}
