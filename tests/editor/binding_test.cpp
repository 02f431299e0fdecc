// How the panel shows the effect's parameters and how its read-outs write
// them, for every index in both directions.
#include <limits>

#include "editor/panel_layout.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/row_name.h"

namespace {

// Parameter value p set by the host; what each control of that index holds.
struct MappingRow {
    std::string name;
    VstInt32 index;
    float parameter;
    float control;  // slider or button value
    float readout;  // read-out value; -1: the index has no read-out
    const char* text;
    friend void PrintTo(const MappingRow& row, std::ostream* out) { *out << row.name; }
};

class MappingTest : public EditorTest, public testing::WithParamInterface<MappingRow> {};

TEST_P(MappingTest, AtOpenAndAfterAHostChange) {
    const MappingRow& row = GetParam();
    // Both orders: the value in place when the panel opens, and the value
    // the host sets while it is open.
    if (row.index == kSpeedParam) setParameter(kMaxSpeedParam, 0.05f);
    if (row.index == kMaxSpeedParam) setParameter(kSpeedParam, 1.0f);
    setParameter(row.index, row.parameter);
    ASSERT_EQ(getParameter(row.index), row.parameter) << "the effect kept another value";
    for (bool openFirst : {false, true}) {
        SCOPED_TRACE(openFirst ? "set while open" : "set before open");
        if (openFirst) {
            dispatch(effEditClose);
            setParameter(row.index, 0.5f == row.parameter ? 0.6f : 0.5f);
            openPanel();
            setParameter(row.index, row.parameter);
        } else {
            openPanel();
        }
        CControl* shown = row.index == kRandomParam ? static_cast<CControl*>(button()) : slider(row.index);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->getValue(), row.control);
        if (row.readout >= 0.0f) {
            EXPECT_EQ(readout(row.index)->getValue(), row.readout);
            EXPECT_EQ(readoutText(row.index), row.text);
        }
    }
    // The control value leads back to the parameter, up to float rounding.
    EXPECT_FLOAT_EQ(parameterValueFor(row.index, row.control), row.parameter);
}

INSTANTIATE_TEST_SUITE_P(
    EveryIndex, MappingTest,
    testing::Values(MappingRow{"DepthZeroAtTheTop", kDepthParam, 0.0f, 1.0f, 0.0f, "100"},
                    MappingRow{"DepthOneAtTheBottom", kDepthParam, 1.0f, 0.0f, 1.0f, "0"},
                    MappingRow{"DepthQuarter", kDepthParam, 0.25f, 0.75f, 0.25f, "75"},
                    MappingRow{"DepthHalf", kDepthParam, 0.5f, 0.5f, 0.5f, "50"},
                    MappingRow{"SpeedHalfSecondIsTwoHertz", kSpeedParam, 0.5f, 0.5f, 0.5f, "2.000"},
                    MappingRow{"SpeedOneSecondIsOneHertz", kSpeedParam, 1.0f, 0.0f, 1.0f, "1.000"},
                    MappingRow{"MaximumSpeedTenHertz", kMaxSpeedParam, 0.1f, 0.9f, 0.1f, "10.00"},
                    MappingRow{"MaximumSpeedFloorIsTwentyHertz", kMaxSpeedParam, 0.05f, 0.95f, 0.05f, "20.00"},
                    MappingRow{"ChangeRateZeroAtTheBottom", kChangeRateParam, 0.0f, 0.0f, 1.0f, "0.10"},
                    MappingRow{"ChangeRateOneAtTheTop", kChangeRateParam, 1.0f, 1.0f, 0.0f, "15.1"},
                    MappingRow{"ChangeRateHalfTruncates", kChangeRateParam, 0.5f, 0.5f, 0.5f, "7.59"},
                    MappingRow{"RandomOnShowsOn", kRandomParam, 1.0f, 0.0f, -1.0f, ""},
                    MappingRow{"RandomOffShowsOff", kRandomParam, 0.0f, 1.0f, -1.0f, ""}),
    rowName<MappingRow>);

struct TextRow {
    std::string name;
    void (*convert)(float, char*);
    float value;
    const char* text;
    friend void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }
};

class ReadoutTextTest : public testing::TestWithParam<TextRow> {};

TEST_P(ReadoutTextTest, Writes) {
    char text[CParamDisplay::kTextSize] = "";
    GetParam().convert(GetParam().value, text);
    EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Converters, ReadoutTextTest,
                         testing::Values(TextRow{"DepthJustUnderNinetyThreeTruncates", depthToText, 0.07f, "92"},
                                         TextRow{"DepthNegativeAboveHundred", depthToText, -0.5f, "150"},
                                         TextRow{"DepthHugeSaturates", depthToText, -1e30f, "2147483647"},
                                         TextRow{"DepthNaN", depthToText, std::numeric_limits<float>::quiet_NaN(), "0"},
                                         TextRow{"SpeedOfZeroOverflows", speedToText, 0.0f, "Huge!"},
                                         TextRow{"SpeedTinyOverflows", speedToText, 1e-9f, "Huge!"},
                                         TextRow{"SpeedNegative", speedToText, -0.5f, "-2.00"},
                                         TextRow{"ChangeTimeOutsideTheRange", changeTimeToText, -1.0f, "30.1"}),
                         rowName<TextRow>);

TEST_F(EditorTest, UpdatesForIndexesWithoutControlsChangeNothing) {
    openPanel();
    const float before[] = {slider(0)->getValue(), slider(3)->getValue(), button()->getValue()};
    for (VstInt32 index : {5, 6, -1, 1000}) setParameter(index, 0.9f);
    EXPECT_EQ(slider(0)->getValue(), before[0]);
    EXPECT_EQ(slider(3)->getValue(), before[1]);
    EXPECT_EQ(button()->getValue(), before[2]);
}

}  // namespace
