// The parameters and the program bank as a host sees them, and the editor
// hook seen from a small recording editor.
#include <cstring>
#include <string>

#include "gui/aeffguieditor.h"
#include "tests/engine/adelay_probe.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/row_name.h"

namespace {

using ParametersTest = PluginTest;

const std::string kUntouched(255, '#');  // what PluginTest::text holds when nothing is written

struct TextRow {
    VstInt32 index;
    const char* name;   // null: nothing written
    const char* label;  // null: nothing written; the switches write an empty label
    friend void PrintTo(const TextRow& row, std::ostream* out) { *out << "index " << row.index; }
};

class ParameterTextTest : public ParametersTest, public testing::WithParamInterface<TextRow> {};

TEST_P(ParameterTextTest, NameAndLabel) {
    const TextRow& row = GetParam();
    EXPECT_EQ(text(effGetParamName, row.index), row.name ? row.name : kUntouched);
    EXPECT_EQ(text(effGetParamLabel, row.index), row.label ? row.label : kUntouched);
}

INSTANTIATE_TEST_SUITE_P(Table, ParameterTextTest,
                         testing::Values(TextRow{0, "Depth", "amount"}, TextRow{1, "Speed", "amount"},
                                         TextRow{2, "Maximum Speed", "amount"}, TextRow{3, "Change Rate", "sec."},
                                         TextRow{4, "Random", ""}, TextRow{5, "Ping Pong", ""},
                                         TextRow{6, nullptr, nullptr}, TextRow{-1, nullptr, nullptr}));

TEST_F(ParametersTest, UnknownIndexesHaveNoDisplayAndReadZero) {
    for (VstInt32 index : {6, -1, 1000}) {
        EXPECT_EQ(text(effGetParamDisplay, index), kUntouched) << index;
        setParameter(index, 0.7f);
        EXPECT_EQ(getParameter(index), 0.0f) << index;
    }
}

// One value set on a fresh effect (Speed 0.5 and Maximum Speed 0.5 in force).
struct ValueRow {
    const char* name;
    VstInt32 index;
    float value;
    float kept;
    const char* display;
    friend void PrintTo(const ValueRow& row, std::ostream* out) { *out << row.name; }
};

class ParameterValueTest : public ParametersTest, public testing::WithParamInterface<ValueRow> {};

TEST_P(ParameterValueTest, KeptValueAndDisplay) {
    const ValueRow& row = GetParam();
    setParameter(row.index, row.value);
    EXPECT_EQ(getParameter(row.index), row.kept);
    EXPECT_EQ(text(effGetParamDisplay, row.index), row.display);
}

INSTANTIATE_TEST_SUITE_P(Table, ParameterValueTest,
                         testing::Values(ValueRow{"depth", 0, 0.3f, 0.3f, "0.300000"},
                                         ValueRow{"depth_outside_range_kept", 0, 1.5f, 1.5f, "1.500000"},
                                         ValueRow{"speed_above_maximum", 1, 0.9f, 0.9f, "0.899999"},
                                         ValueRow{"maximum_below_speed", 2, 0.25f, 0.25f, "0.250000"},
                                         ValueRow{"change_rate_0_is_1_5_s", 3, 0.0f, 0.0f, "1.500000"},
                                         ValueRow{"change_rate_half_is_9_s", 3, 0.5f, 0.5f, "9.000000"},
                                         ValueRow{"change_rate_1_is_16_5_s", 3, 1.0f, 1.0f, "16.50000"},
                                         ValueRow{"random_on_at_half", 4, 0.5f, 1.0f, "On"},
                                         ValueRow{"random_off_below_half", 4, 0.49f, 0.0f, "Off"},
                                         ValueRow{"ping_pong_ignored", 5, 1.0f, 0.0f, "Disabled"}),
                         rowName<ValueRow>);

// The ordering rule on a fresh effect: engine 0.5 / 0.5, program record
// Speed 0.5 / Maximum Speed 0.8.
struct OrderingRow {
    const char* name;
    VstInt32 index;
    float value;
    float speed;
    float maxSpeed;
    bool redraw;
    friend void PrintTo(const OrderingRow& row, std::ostream* out) { *out << row.name; }
};

class OrderingRuleTest : public ParametersTest, public testing::WithParamInterface<OrderingRow> {};

TEST_P(OrderingRuleTest, KeepsSpeedAboveMaximumSpeedAndAsksForARedraw) {
    const OrderingRow& row = GetParam();
    host.clear();
    setParameter(row.index, row.value);
    EXPECT_EQ(getParameter(1), row.speed);
    EXPECT_EQ(getParameter(2), row.maxSpeed);
    const std::vector<HostCall> redraws = host.callsWithOpcode(audioMasterUpdateDisplay);
    ASSERT_EQ(redraws.size(), row.redraw ? 1u : 0u);
    if (row.redraw) {
        EXPECT_EQ(redraws[0].effect, effect);
    }
    EXPECT_EQ(host.calls.size(), redraws.size());  // nothing else is asked of the host
}

INSTANTIATE_TEST_SUITE_P(Table, OrderingRuleTest,
                         testing::Values(OrderingRow{"speed_above_maximum", 1, 0.9f, 0.9f, 0.5f, false},
                                         OrderingRow{"speed_equal_takes_record_maximum", 1, 0.5f, 0.8f, 0.5f, true},
                                         OrderingRow{"speed_zero_floored_then_replaced", 1, 0.0f, 0.8f, 0.5f, true},
                                         OrderingRow{"speed_negative_floored_then_replaced", 1, -3.0f, 0.8f, 0.5f,
                                                     true},
                                         OrderingRow{"maximum_below_speed", 2, 0.3f, 0.5f, 0.3f, false},
                                         OrderingRow{"maximum_zero_floored", 2, 0.0f, 0.5f, 0.05f, false},
                                         OrderingRow{"maximum_equal_takes_record_speed", 2, 0.5f, 0.5f, 0.5f, true},
                                         OrderingRow{"maximum_above_takes_record_speed", 2, 0.9f, 0.5f, 0.5f, true}),
                         rowName<OrderingRow>);

TEST_F(ParametersTest, DefaultProgramGivesHalfAndHalfThenAlternatesOnce) {
    // Construction applied program 0 over speeds of 0 and asked for a redraw.
    const std::vector<HostCall> redraws = host.callsWithOpcode(audioMasterUpdateDisplay);
    ASSERT_FALSE(redraws.empty());
    EXPECT_EQ(redraws[0].effect, effect);
    EXPECT_EQ(getParameter(1), 0.5f);
    EXPECT_EQ(getParameter(2), 0.5f);

    dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(getParameter(1), 0.8f);
    EXPECT_EQ(getParameter(2), 0.5f);
    dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(getParameter(1), 0.8f);
    EXPECT_EQ(getParameter(2), 0.5f);
}

// Speed is applied before Maximum Speed, so it is tested against the
// Maximum Speed of the program left behind.
TEST_F(ParametersTest, SelectingAProgramAppliesItsValuesSpeedFirst) {
    dispatch(effSetProgram, 0, 1);
    setParameter(0, 0.7f);
    setParameter(1, 0.3f);
    setParameter(2, 0.1f);
    setParameter(3, 0.2f);
    setParameter(4, 1.0f);
    dispatch(effSetProgram, 0, 0);  // engine back to 0.5 / 0.5
    EXPECT_EQ(getParameter(0), 0.25f);
    EXPECT_EQ(getParameter(4), 0.0f);

    dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(dispatch(effGetProgram), 1);
    EXPECT_EQ(getParameter(0), 0.7f);
    EXPECT_EQ(getParameter(1), 0.1f);  // 0.3 is not above 0.5: takes the record's 0.1
    EXPECT_EQ(getParameter(2), 0.3f);  // 0.1 is not below 0.1: takes the record's 0.3
    EXPECT_EQ(getParameter(3), 0.2f);
    EXPECT_EQ(getParameter(4), 1.0f);
}

TEST_F(ParametersTest, UnnamedProgramsAreNumberedOnlyForTheCurrentName) {
    for (VstInt32 program = 0; program < 16; ++program) {
        dispatch(effSetProgram, 0, program);
        EXPECT_EQ(text(effGetProgramName), "Init " + std::to_string(program + 1));
        EXPECT_EQ(text(effGetProgramNameIndexed, program), "Init");
        EXPECT_EQ(dispatch(effGetProgramNameIndexed, program, 0, std::string(64, ' ').data()), 1);
    }
    for (VstInt32 index : {16, -1}) {
        char buffer[64] = "untouched";
        EXPECT_EQ(dispatch(effGetProgramNameIndexed, index, 0, buffer), 0);
        EXPECT_STREQ(buffer, "untouched");
    }
}

TEST_F(ParametersTest, NamedProgramsReadTheirNameEverywhere) {
    dispatch(effSetProgram, 0, 3);
    char numbered[] = "Init 4";
    dispatch(effSetProgramName, 0, 0, numbered);
    EXPECT_EQ(text(effGetProgramName), "Init 4");
    EXPECT_EQ(text(effGetProgramNameIndexed, 3), "Init 4");
    char mellow[] = "Mellow";
    dispatch(effSetProgramName, 0, 0, mellow);
    EXPECT_EQ(text(effGetProgramName), "Mellow");
    EXPECT_EQ(text(effGetProgramNameIndexed, 3), "Mellow");
    EXPECT_EQ(text(effGetProgramNameIndexed, 2), "Init");
    EXPECT_EQ(text(effGetProgramNameIndexed, 4), "Init");
}

// An editor that records what the effect tells it, and what the effect
// holds at that moment.
struct EditorNote {
    VstInt32 index;
    float told;
    float kept;
};

class RecordingEditor : public AEffGUIEditor {
public:
    explicit RecordingEditor(AudioEffect* owner) : AEffGUIEditor(owner) {}
    void setParameter(VstInt32 index, float value) override {
        notes.push_back({index, value, effect->getParameter(index)});
    }
    std::vector<EditorNote> notes;
};

struct HookRow {
    const char* name;
    VstInt32 index;
    float value;
    float told;
    float kept;
    friend void PrintTo(const HookRow& row, std::ostream* out) { *out << row.name; }
};

class EditorHookTest : public testing::TestWithParam<HookRow> {};

// The editor is told the requested value (floored), after the effect has
// settled what it keeps.
TEST_P(EditorHookTest, TellsTheEditorOnceWithTheRequestedValue) {
    const HookRow& row = GetParam();
    ADelay effect(nullptr);
    auto* editor = new RecordingEditor(&effect);  // owned by the effect from here
    effect.setParameter(row.index, row.value);
    ASSERT_EQ(editor->notes.size(), 1u);
    EXPECT_EQ(editor->notes[0].index, row.index);
    EXPECT_EQ(editor->notes[0].told, row.told);
    EXPECT_EQ(editor->notes[0].kept, row.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorHookTest,
    testing::Values(HookRow{"depth", 0, 0.3f, 0.3f, 0.3f}, HookRow{"speed_floored_then_replaced", 1, 0.0f, 0.05f, 0.8f},
                    HookRow{"maximum_replaced", 2, 0.9f, 0.9f, 0.5f}, HookRow{"change_rate", 3, 0.25f, 0.25f, 0.25f},
                    HookRow{"random", 4, 0.7f, 0.7f, 1.0f}, HookRow{"ping_pong", 5, 1.0f, 1.0f, 0.0f},
                    HookRow{"unknown_index", 42, 3.0f, 3.0f, 0.0f}),
    rowName<HookRow>);

TEST(ProgramRecord, KeepsTheRequestedSpeedWhenTheEngineTakesAnother) {
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    effect.setParameter(kSpeedParam, 0.0f);
    EXPECT_EQ(probe.program(0).speed.load(), 0.05f);
    EXPECT_EQ(effect.getParameter(kSpeedParam), 0.8f);
    effect.setParameter(kRandomParam, 0.9f);
    EXPECT_EQ(probe.program(0).random.load(), 1.0f);
    effect.setParameter(kChangeRateParam, 0.0f);
    EXPECT_EQ(probe.changeTime(), 1.5f);
}

TEST(ProgramSelection, AppliesDepthSpeedMaximumChangeRateRandomInThatOrder) {
    ADelay effect(nullptr);
    auto* editor = new RecordingEditor(&effect);
    effect.setProgram(2);
    ASSERT_EQ(editor->notes.size(), 5u);
    const float stored[] = {0.25f, 0.5f, 0.8f, 1.0f, 0.0f};
    for (VstInt32 index = 0; index < 5; ++index) {
        EXPECT_EQ(editor->notes[index].index, index);
        EXPECT_EQ(editor->notes[index].told, stored[index]);
    }
    EXPECT_EQ(effect.getProgram(), 2);
}

}  // namespace
