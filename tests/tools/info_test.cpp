// `info` against the built plug-in (compared with what the test host reads
// from the same record) and against the tiny gain plug-in (exact lines).
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/plugin_host.h"
#include "tests/tools/tool_runner.h"

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The value after `key` on the line that starts with it; "<absent>" if none.
std::string valueOf(const std::vector<std::string>& output, const std::string& key) {
    for (const std::string& line : output)
        if (line.compare(0, key.size(), key) == 0) return trimmed(line.substr(key.size()));
    return "<absent>";
}

bool hasLine(const std::vector<std::string>& output, const std::string& wanted) {
    return std::find(output.begin(), output.end(), wanted) != output.end();
}

using OscindaInfoTest = PluginTest;

TEST_F(OscindaInfoTest, IdentityAndRecordMatchWhatAHostReads) {
    const ToolResult result = runTool({"info", kOscindaPluginPath});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> output = lines(result.out);

    dispatch(effOpen);
    struct Row {
        const char* key;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"Name:", trimmed(text(effGetEffectName))},
        {"Vendor:", trimmed(text(effGetVendorString))},
        {"Product:", trimmed(text(effGetProductString))},
        {"Vendor version:", std::to_string(dispatch(effGetVendorVersion))},
        {"VST version:", std::to_string(dispatch(effGetVstVersion))},
        {"Unique ID:", "OSCD (0x4F534344)"},
        {"  magic", "VstP"},
        {"  programs", std::to_string(effect->numPrograms)},
        {"  parameters", std::to_string(effect->numParams)},
        {"  inputs", std::to_string(effect->numInputs)},
        {"  outputs", std::to_string(effect->numOutputs)},
        {"Parameters", "(" + std::to_string(effect->numParams) + "):"},
        {"Programs", "(" + std::to_string(effect->numPrograms) + "):"},
    };
    for (const Row& row : rows) EXPECT_EQ(valueOf(output, row.key), row.expected) << row.key;

    // Every parameter's row carries its index and name; every program is listed.
    for (VstInt32 i = 0; i < effect->numParams; ++i) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "  %5d  ", i);
        const std::string name = trimmed(text(effGetParamName, i));
        EXPECT_EQ(valueOf(output, prefix).compare(0, name.size(), name), 0) << "parameter " << i;
    }
    const auto programsAt = std::find_if(output.begin(), output.end(),
                                         [](const std::string& line) { return line.rfind("Programs (", 0) == 0; });
    ASSERT_NE(programsAt, output.end());
    EXPECT_EQ(output.end() - programsAt - 1, effect->numPrograms);
}

TEST(GainPluginInfo, TextListsIdentityRecordParametersAndPrograms) {
    const ToolResult result = runTool({"info", kGainPluginPath});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> output = lines(result.out);
    const std::vector<std::string> expected = {
        "Name:           Half Gain",
        "Vendor:         Bench \"Q\" \\ Lab",
        "Product:        Gain Test",
        "Vendor version: 7",
        "VST version:    2400",
        "Category:       Mastering (4)",
        "Unique ID:      GaIn (0x4761496E)",
        "  version       3",
        "  programs      2",
        "  parameters    2",
        "  inputs        2",
        "  outputs       2",
        "  flags         0x00000010 CanReplacing",
        "      0  Level                 %         0.25          25",
        "      1  Spare Knob            -         0.75          75",
        "      0  Unity",
        "      1  Quiet",
    };
    for (const std::string& line : expected) EXPECT_TRUE(hasLine(output, line)) << line << "\n--- got:\n" << result.out;
}

TEST(GainPluginInfo, JsonEscapesTextAndCarriesEveryField) {
    const ToolResult result = runTool({"info", "--json", kGainPluginPath});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> fragments = {
        "\"name\": \"Half Gain\"",
        "\"vendor\": \"Bench \\\"Q\\\" \\\\ Lab\"",
        "\"category\": {\"code\": 4, \"name\": \"Mastering\"}",
        "\"uniqueId\": {\"text\": \"GaIn\", \"value\": 1197558126}",
        "\"numInputs\": 2, \"numOutputs\": 2, \"flags\": 16, \"flagNames\": [\"CanReplacing\"]",
        "{\"index\": 0, \"name\": \"Level\", \"label\": \"%\", \"value\": 0.25, \"display\": \"25\"}",
        "{\"index\": 1, \"name\": \"Spare Knob\", \"label\": \"\", \"value\": 0.75, \"display\": \"75\"}",
        "{\"index\": 1, \"name\": \"Quiet\"}",
    };
    for (const std::string& fragment : fragments)
        EXPECT_NE(result.out.find(fragment), std::string::npos) << fragment << "\n--- got:\n" << result.out;
    EXPECT_EQ(result.out.front(), '{');
    EXPECT_EQ(result.out.substr(result.out.size() - 2), "}\n");
}

}  // namespace
