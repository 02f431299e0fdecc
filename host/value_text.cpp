#include "host/value_text.h"

#include <cmath>

#include "host/text_copy.h"

namespace {

constexpr int kTextBudget = 8;  // characters composed, whatever the caller's length
const char* const kOverflowText = "Huge!";

char digitCharacter(double digitValue) { return static_cast<char>('0' + static_cast<int>(digitValue)); }

}  // namespace

void floatToText(float value, char* text, VstInt32 maxLen) {
    if (text == nullptr || maxLen < 0) return;
    double v = value;
    // NaN compares false everywhere below and would reach a digit conversion.
    if (std::isnan(v)) {
        copyText(text, kOverflowText, maxLen);
        return;
    }
    bool negative = false;
    int composed = 0;
    if (v < 0) {
        negative = true;
        v = -v;
        composed = 1;  // the sign takes one character of the budget
        if (v > 9999999.0) {
            copyText(text, kOverflowText, maxLen);
            return;
        }
    } else if (v > 99999999.0) {
        copyText(text, kOverflowText, maxLen);
        return;
    }

    // Integer part, right to left: the point, the units digit, then as many
    // leading digits as the budget leaves (further ones are dropped).
    char scratch[32];
    int start = sizeof scratch - 1;
    scratch[start] = '\0';
    scratch[--start] = '.';
    double integerPart = std::floor(v);
    scratch[--start] = digitCharacter(std::fmod(integerPart, 10.0));
    integerPart /= 10.0;
    composed += 2;
    while (integerPart >= 1.0 && composed < kTextBudget) {
        scratch[--start] = digitCharacter(std::fmod(integerPart, 10.0));
        integerPart /= 10.0;
        ++composed;
    }
    if (negative) scratch[--start] = '-';
    copyText(text, scratch + start, maxLen);
    if (composed >= kTextBudget) return;

    // Fraction: the remaining budget in digits, truncated.
    const int fractionDigits = kTextBudget - composed;
    double scaled = std::fmod(v, 1.0) * std::pow(10.0, fractionDigits);
    char fraction[kTextBudget + 1];
    fraction[fractionDigits] = '\0';
    for (int position = fractionDigits - 1; position >= 0; --position) {
        if (scaled <= 0.0) {
            fraction[position] = '0';
        } else {
            fraction[position] = digitCharacter(std::fmod(scaled, 10.0));
            scaled /= 10.0;
        }
    }
    appendText(text, fraction, maxLen);
}

void intToText(VstInt32 value, char* text, VstInt32 maxLen) {
    if (text == nullptr || maxLen < 0) return;
    // The digit loop below starts at 10^8, so a magnitude of 10^9 or more has
    // no single-digit leading place; those values get the overflow text.
    if (value >= 100000000 || value <= -1000000000) {
        copyText(text, kOverflowText, maxLen);
        return;
    }
    if (value < 0) {
        copyText(text, "-", maxLen);
        value = -value;
    } else {
        text[0] = '\0';
    }
    if (value == 0) {
        appendText(text, "0", maxLen);
        return;
    }
    bool digitSeen = false;
    for (VstInt32 divisor = 100000000; divisor >= 1; divisor /= 10) {
        const VstInt32 digit = value / divisor;
        value -= digit * divisor;
        if (digit > 0) digitSeen = true;
        if (digitSeen) {
            const char digitText[2] = {static_cast<char>('0' + digit), '\0'};
            appendText(text, digitText, maxLen);
        }
    }
}

void decibelsToText(float value, char* text, VstInt32 maxLen) {
    if (value <= 0.0f) {
        copyText(text, "-oo", maxLen);
        return;
    }
    const float logarithm = static_cast<float>(std::log10(value));
    floatToText(20.0f * logarithm, text, maxLen);
}

void samplesToHertzText(float samples, float sampleRate, char* text, VstInt32 maxLen) {
    if (samples == 0.0f) {
        floatToText(0.0f, text, maxLen);
        return;
    }
    floatToText(sampleRate / samples, text, maxLen);
}

void samplesToMillisecondsText(float samples, float sampleRate, char* text, VstInt32 maxLen) {
    floatToText(static_cast<float>(static_cast<double>(samples) * 1000.0 / static_cast<double>(sampleRate)), text,
                maxLen);
}
