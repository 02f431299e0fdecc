// The number texts hosts and the editor show: eight characters, truncated,
// cut to the caller's length.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "host/value_text.h"
#include "tests/host/probe_effect.h"

namespace {

// Converts into a buffer whose bytes past the terminator must stay untouched.
std::string floatText(float value, VstInt32 maxLen) {
    char buffer[40];
    std::memset(buffer, '#', sizeof buffer);
    floatToText(value, buffer, maxLen);
    for (std::size_t i = static_cast<std::size_t>(maxLen) + 1; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#') << "wrote past text[maxLen] for " << value;
    return buffer;
}

struct FloatRow {
    float value;
    const char* length8;
    const char* length5;
    const char* length4;
};

const FloatRow kComposedTexts[] = {
    {0.0f, "0.000000", "0.000", "0.00"},        {0.05f, "0.050000", "0.050", "0.05"},
    {0.5f, "0.500000", "0.500", "0.50"},        {0.7f, "0.699999", "0.699", "0.69"},
    {1.3333f, "1.333299", "1.333", "1.33"},     {9.99f, "9.989999", "9.989", "9.98"},
    {15.1f, "15.10000", "15.10", "15.1"},       {20.0f, "20.00000", "20.00", "20.0"},
    {100.0f, "100.0000", "100.0", "100."},      {-1.5f, "-1.50000", "-1.50", "-1.5"},
    {1234567.0f, "1234567.", "12345", "1234"},  {12345678.0f, "2345678.", "23456", "2345"},
    {-9999999.0f, "-999999.", "-9999", "-999"}, {-10000000.0f, "Huge!", "Huge!", "Huge"},
    {100000000.0f, "Huge!", "Huge!", "Huge"},
};

TEST(FloatToText, ComposesEightCharactersThenCutsToTheCallersLength) {
    for (const FloatRow& row : kComposedTexts) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(floatText(row.value, 8), row.length8);
        EXPECT_EQ(floatText(row.value, 5), row.length5);
        EXPECT_EQ(floatText(row.value, 4), row.length4);
    }
}

TEST(FloatToText, LimitsSignsAndValuesWithoutDigits) {
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        const char* name;
        float value;
        const char* expected;
    } rows[] = {
        {"negative zero", -0.0f, "0.000000"},
        {"upper limit as a float", 99999999.0f, "Huge!"},  // rounds to 1e8, past the limit
        {"largest float under the limit", 99999992.0f, "9999992."},
        {"largest digits kept", 9999999.0f, "9999999."},
        {"negative limit itself", -9999999.0f, "-999999."},
        {"just past negative limit", -10000001.0f, "Huge!"},
        {"infinity", infinity, "Huge!"},
        {"negative infinity", -infinity, "Huge!"},
        {"NaN", std::nanf(""), "Huge!"},
        {"smallest subnormal", std::numeric_limits<float>::denorm_min(), "0.000000"},
        {"tiny negative", -1e-20f, "-0.00000"},
    };
    for (const auto& row : rows) EXPECT_EQ(floatText(row.value, 8), row.expected) << row.name;
}

TEST(FloatToText, NeverComposesMoreThanEightCharactersAndHonoursShortLengths) {
    for (float value : {0.0f, 3.14159f, -2.5f, 123.456f, 1e7f, -123456.0f}) {
        EXPECT_EQ(floatText(value, 30), floatText(value, 8)) << value;
        EXPECT_EQ(floatText(value, 0), "");
        EXPECT_EQ(floatText(value, 1).size(), 1u);
    }
    char untouched = '#';
    floatToText(1.0f, &untouched, -1);
    EXPECT_EQ(untouched, '#');
    floatToText(1.0f, nullptr, 8);
}

TEST(FloatToText, TheEffectsOperationGivesTheSameTextForEveryValueAndLength) {
    ProbeEffect effect(nullptr);
    for (float value : {0.0f, -0.0f, 0.05f, 0.7f, 1.3333f, -1.5f, 16.5f, 1234567.0f, -9999999.0f, 1e9f, std::nanf(""),
                        std::numeric_limits<float>::infinity()}) {
        for (VstInt32 maxLen : {0, 1, 4, 5, 8, 12}) {
            char fromEffect[32], fromFunction[32];
            std::memset(fromEffect, '#', sizeof fromEffect);
            std::memset(fromFunction, '#', sizeof fromFunction);
            effect.float2string(value, fromEffect, maxLen);
            floatToText(value, fromFunction, maxLen);
            EXPECT_EQ(std::memcmp(fromEffect, fromFunction, sizeof fromEffect), 0) << value << " / " << maxLen;
        }
    }
}

std::string intText(VstInt32 value, VstInt32 maxLen) {
    char buffer[40];
    std::memset(buffer, '#', sizeof buffer);
    intToText(value, buffer, maxLen);
    return buffer;
}

TEST(IntToText, DigitsSignsAndLimits) {
    const struct {
        VstInt32 value;
        VstInt32 maxLen;
        const char* expected;
    } rows[] = {
        {0, 8, "0"},
        {7, 8, "7"},
        {1000, 8, "1000"},
        {-42, 8, "-42"},
        {99999999, 8, "99999999"},
        {100000000, 8, "Huge!"},
        {123456, 3, "123"},
        {-123456, 3, "-12"},
        {-999999999, 10, "-999999999"},
        {-1000000000, 10, "Huge!"},
        {std::numeric_limits<VstInt32>::min(), 10, "Huge!"},
        {std::numeric_limits<VstInt32>::max(), 4, "Huge"},
        {5, 0, ""},
    };
    for (const auto& row : rows) EXPECT_EQ(intText(row.value, row.maxLen), row.expected) << row.value;
}

TEST(UnitTexts, DecibelsHertzAndMilliseconds) {
    ProbeEffect effect(nullptr);
    effect.setSampleRate(44100.0f);
    char text[16];
    effect.dB2string(1.0f, text, 8);
    EXPECT_STREQ(text, "0.000000");
    effect.dB2string(0.0f, text, 8);
    EXPECT_STREQ(text, "-oo");
    effect.dB2string(-1.0f, text, 2);
    EXPECT_STREQ(text, "-o");
    effect.dB2string(10.0f, text, 8);
    EXPECT_STREQ(text, "20.00000");
    effect.Hz2string(0.0f, text, 8);
    EXPECT_STREQ(text, "0.000000");
    effect.Hz2string(441.0f, text, 8);
    EXPECT_STREQ(text, "100.0000");
    effect.ms2string(22050.0f, text, 8);
    EXPECT_STREQ(text, "500.0000");
    effect.setSampleRate(0.0f);
    effect.ms2string(1.0f, text, 8);
    EXPECT_STREQ(text, "Huge!");
}

}  // namespace
