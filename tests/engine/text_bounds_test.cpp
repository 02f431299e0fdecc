// Every text the plug-in writes for the host stays inside the buffer size
// hosts allocate for it, terminator included, whatever state it describes.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/engine/engine_test_support.h"
#include "tests/support/row_name.h"

namespace {

constexpr unsigned char kSentinel = 0x7F;
constexpr std::size_t kSlack = 32;  // bytes past the buffer that must stay untouched

class TextBoundsTest;

struct TextBoundsRow {
    std::string name;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    int bufferSize;
    std::string expected;                          // the whole text
    std::function<void(TextBoundsTest&)> prepare;  // state to describe, or null
};

class TextBoundsTest : public PluginTest, public testing::WithParamInterface<TextBoundsRow> {
public:
    void set(VstInt32 index, float value) { setParameter(index, value); }
    void selectProgram(VstInt32 program) { dispatch(effSetProgram, 0, program); }
    void nameProgram(VstInt32 program, std::string name) {
        selectProgram(program);
        dispatch(effSetProgramName, 0, 0, name.data());
    }
};

TEST_P(TextBoundsTest, WritesTheWholeTextAndNothingPastTheBuffer) {
    const TextBoundsRow& row = GetParam();
    if (row.prepare) row.prepare(*this);
    std::vector<unsigned char> buffer(static_cast<std::size_t>(row.bufferSize) + kSlack, kSentinel);
    dispatch(row.opcode, row.index, row.value, buffer.data());

    const auto* end = static_cast<const unsigned char*>(std::memchr(buffer.data(), '\0', buffer.size()));
    ASSERT_NE(end, nullptr) << "no terminator";
    EXPECT_LT(end - buffer.data(), row.bufferSize) << "terminator outside the buffer";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.data())), row.expected);
    for (std::size_t i = static_cast<std::size_t>(row.bufferSize); i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], kSentinel) << "byte " << i << " past the buffer was written";
}

const std::string kLongName(40, 'n');

INSTANTIATE_TEST_SUITE_P(
    EveryTextOpcode, TextBoundsTest,
    testing::Values(
        TextBoundsRow{"ProgramNameNumbered", effGetProgramName, 0, 0, kVstMaxProgNameLen, "Init 1", nullptr},
        TextBoundsRow{"LastProgramNameNumbered", effGetProgramName, 0, 0, kVstMaxProgNameLen, "Init 16",
                      [](TextBoundsTest& test) { test.selectProgram(15); }},
        TextBoundsRow{"ProgramNameCutToItsBuffer", effGetProgramName, 0, 0, kVstMaxProgNameLen,
                      std::string(kVstMaxProgNameLen - 1, 'n'),
                      [](TextBoundsTest& test) { test.nameProgram(0, kLongName); }},
        TextBoundsRow{"IndexedProgramNameCut", effGetProgramNameIndexed, 7, 0, kVstMaxProgNameLen,
                      std::string(kVstMaxProgNameLen - 1, 'n'),
                      [](TextBoundsTest& test) { test.nameProgram(7, kLongName); }},
        TextBoundsRow{"IndexedProgramNameStored", effGetProgramNameIndexed, 15, 0, kVstMaxProgNameLen, "Init", nullptr},
        TextBoundsRow{"LongestParameterName", effGetParamName, 2, 0, kVstExtMaxParamStrLen, "Maximum Speed", nullptr},
        TextBoundsRow{"ChangeRateName", effGetParamName, 3, 0, kVstExtMaxParamStrLen, "Change Rate", nullptr},
        TextBoundsRow{"DepthLabel", effGetParamLabel, 0, 0, kVstMaxParamStrLen, "amount", nullptr},
        TextBoundsRow{"ChangeRateLabel", effGetParamLabel, 3, 0, kVstMaxParamStrLen, "sec.", nullptr},
        TextBoundsRow{"RandomLabelEmpty", effGetParamLabel, 4, 0, kVstMaxParamStrLen, "", nullptr},
        TextBoundsRow{"PingPongLabelEmpty", effGetParamLabel, 5, 0, kVstMaxParamStrLen, "", nullptr},
        TextBoundsRow{"NegativeDepthDisplay", effGetParamDisplay, 0, 0, kVstMaxParamStrLen, "-999999.",
                      [](TextBoundsTest& test) { test.set(0, -9999999.0f); }},
        TextBoundsRow{"HugeDepthDisplay", effGetParamDisplay, 0, 0, kVstMaxParamStrLen, "Huge!",
                      [](TextBoundsTest& test) { test.set(0, 1e30f); }},
        TextBoundsRow{"LargeSpeedDisplay", effGetParamDisplay, 1, 0, kVstMaxParamStrLen, "1234567.",
                      [](TextBoundsTest& test) {
                          test.set(2, 0.05f);
                          test.set(1, 1234567.0f);
                      }},
        TextBoundsRow{"ChangeTimeDisplay", effGetParamDisplay, 3, 0, kVstMaxParamStrLen, "16.50000", nullptr},
        TextBoundsRow{"RandomDisplay", effGetParamDisplay, 4, 0, kVstMaxParamStrLen, "Off", nullptr},
        TextBoundsRow{"PingPongDisplay", effGetParamDisplay, 5, 0, kVstMaxParamStrLen, "Disabled", nullptr},
        TextBoundsRow{"EffectName", effGetEffectName, 0, 0, kVstMaxEffectNameLen, "Oscinda", nullptr},
        TextBoundsRow{"VendorString", effGetVendorString, 0, 0, kVstMaxVendorStrLen, "Zelmora", nullptr},
        TextBoundsRow{"ProductString", effGetProductString, 0, 0, kVstMaxProductStrLen, "Oscinda", nullptr}),
    rowName<TextBoundsRow>);

}  // namespace
