// Every opcode that writes text, for every parameter index, program and
// value the sweep visits, into sentinel-filled buffers checked against the
// sizes hosts allocate. Prints the longest text each opcode wrote.
#include <cstdio>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/support/plugin_host.h"
#include "tests/validator/text_probe.h"

namespace {

using ValidatorTextBounds = PluginTest;

const VstInt32 kIndexes[] = {-2147483647 - 1, -1, 0, 1, 2, 3, 4, 5, 6, 7, 1000};
const VstInt32 kPrograms[] = {0, 1, 7, 9, 15, -1, 16};

std::vector<float> sweptValues() {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    std::vector<float> values = {0.0f,
                                 1.0f,
                                 0.5f,
                                 0.05f,
                                 -0.0f,
                                 -1.0f,
                                 2.0f,
                                 1e-30f,
                                 -1e-30f,
                                 std::numeric_limits<float>::denorm_min(),
                                 std::numeric_limits<float>::max(),
                                 -std::numeric_limits<float>::max(),
                                 1e30f,
                                 -1e30f,
                                 kInfinity,
                                 -kInfinity,
                                 std::numeric_limits<float>::quiet_NaN(),
                                 -9999999.0f,
                                 -99999.99f,
                                 1234567.0f,
                                 99999999.0f,
                                 0.123456789f};
    std::mt19937 generator(5);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < 40; ++i) values.push_back(unit(generator));
    return values;
}

TEST_F(ValidatorTextBounds, EveryTextOpcodeStaysInItsBuffer) {
    TextProbe texts(*this);
    const std::vector<float> values = sweptValues();
    const std::string longName(200, 'N');
    for (VstInt32 program : kPrograms) {
        dispatch(effSetProgram, 0, program);
        for (VstInt32 index : kIndexes) texts.readAll(index, program);
        dispatch(effSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
        for (VstInt32 index : kIndexes) texts.readAll(index, program);
    }
    // Each value on each parameter, with the speeds' partner at either end so
    // that both speeds take every value the ordering rule lets through.
    for (float partner : {0.0f, 1e30f}) {
        setParameter(1, partner);
        setParameter(2, partner);
        for (VstInt32 index : kIndexes) {
            for (float value : values) {
                setParameter(index, value);
                for (VstInt32 shown : kIndexes) texts.readAll(shown, 0);
                // The category the host passes with an indexed name does not matter.
                texts.read(effGetProgramNameIndexed, 3, static_cast<VstIntPtr>(value));
            }
        }
    }

    std::cout << "Longest text written per opcode (host buffer size, terminator included):\n";
    for (VstInt32 opcode : kTextOpcodes) {
        const auto found = TextProbe::longest().find(opcode);
        ASSERT_NE(found, TextProbe::longest().end()) << textOpcodeName(opcode) << " never wrote a text";
        char line[160];
        std::snprintf(line, sizeof line, "  %-26s %2zu of %2d  \"%s\"\n", textOpcodeName(opcode), found->second.length,
                      hostTextSize(opcode) - 1, found->second.text.c_str());
        std::cout << line;
        EXPECT_LT(found->second.length, static_cast<std::size_t>(hostTextSize(opcode)));
    }
}

}  // namespace
