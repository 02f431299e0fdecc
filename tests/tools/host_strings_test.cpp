// What the tool answers when a plug-in asks for the host's vendor or product
// string: its name, terminated, and nothing written past the 64 bytes a
// plug-in allocates for it.
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/aeffect.h"
#include "tests/support/row_name.h"
#include "tests/tools/host_string_probe.h"
#include "tests/tools/tool_runner.h"

namespace {

struct HostStringRow {
    std::string name;        // also the gain plug-in's key for the request
    std::size_t bufferSize;  // what a plug-in allocates, terminator included
    friend void PrintTo(const HostStringRow& row, std::ostream* out) { *out << row.name; }
};

// The gain plug-in's report of one request: the host's answer, the probe
// buffer after the call, and the answer when it was handed no buffer.
struct HostStringReport {
    long long answer = -1;
    std::vector<unsigned char> bytes;
    long long answerWithoutBuffer = -1;
};

HostStringReport findReport(const std::string& text, const std::string& key) {
    HostStringReport report;
    for (const std::string& line : lines(text)) {
        std::istringstream in(line);
        std::string word, hex;
        if (!(in >> word) || word != key) continue;
        in >> report.answer >> hex >> report.answerWithoutBuffer;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
            report.bytes.push_back(static_cast<unsigned char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    }
    return report;
}

class HostStrings : public testing::TestWithParam<HostStringRow> {};

TEST_P(HostStrings, NameTheToolInsideThePlugInsBuffer) {
    const HostStringRow& row = GetParam();
    ScratchFolder folder;
    const ToolResult result =
        runTool({"info", kGainPluginPath}, {{"GAIN_PLUGIN_HOST_STRINGS", folder / "host-strings.txt"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const HostStringReport report = findReport(readText(folder / "host-strings.txt"), row.name);
    ASSERT_EQ(report.bytes.size(), kHostStringProbeSize) << "no report for " << row.name;
    EXPECT_EQ(report.answer, 1);
    EXPECT_EQ(report.answerWithoutBuffer, 0);

    const auto bufferEnd = report.bytes.begin() + static_cast<long>(row.bufferSize);
    const auto terminator = std::find(report.bytes.begin(), bufferEnd, '\0');
    ASSERT_NE(terminator, bufferEnd) << "no terminator within the first " << row.bufferSize << " bytes";
    EXPECT_EQ(std::string(report.bytes.begin(), terminator), "oscinda-host");
    std::vector<std::size_t> changedBeyond;
    for (std::size_t i = row.bufferSize; i < report.bytes.size(); ++i)
        if (report.bytes[i] != kHostStringSentinel) changedBeyond.push_back(i);
    EXPECT_EQ(changedBeyond, std::vector<std::size_t>{}) << "bytes written past the plug-in's buffer";
}

INSTANTIATE_TEST_SUITE_P(Tool, HostStrings,
                         testing::Values(HostStringRow{"vendor", kVstMaxVendorStrLen},
                                         HostStringRow{"product", kVstMaxProductStrLen}),
                         rowName<HostStringRow>);

}  // namespace
