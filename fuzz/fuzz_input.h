// The fuzzer's input read as values: bytes, integers, floats, coordinates
// and texts, each chosen by a leading selector byte so that the values a
// hostile host would try (limits, NaN, infinities, denormals, +-1e30) are one
// byte away, while every other bit pattern stays reachable. Past the end of
// the input every read gives 0.
//
// Encodings (the seed corpus writer uses the same constants):
//   int32:   selector < 0x80          small value, selector - kSmallIntOffset (-16..111)
//            0x80 <= selector < 0xC0  kSpecialInts[selector % size]
//            selector >= 0xC0         four raw bytes, little-endian
//   intptr:  as int32, but selector >= 0xE0 reads eight raw bytes
//   float:   selector < 0x80          kSpecialFloats[selector % size]
//            0x80 <= selector < 0xC0  (selector - 0x80) / 63, a step of 0..1
//            selector >= 0xC0         four raw bytes, the IEEE bits
//   coordinate: two bytes u; u < 0xF000: u % 640 - 64 (around the panel),
//            otherwise the next two bytes as a signed 16-bit value
//   text:    a length byte, then that many bytes (a zero ends the text early)
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>

#include "host/aeffect.h"

namespace fuzz_encoding {

constexpr std::uint8_t kFirstSpecialSelector = 0x80;
constexpr std::uint8_t kFirstRawSelector = 0xC0;
constexpr std::uint8_t kFirstWideRawSelector = 0xE0;
constexpr int kSmallIntOffset = 16;
constexpr int kUnitSteps = 63;
constexpr std::uint16_t kFirstRawCoordinate = 0xF000;
constexpr int kCoordinateSpan = 640;
constexpr int kCoordinateOffset = 64;

constexpr std::int32_t kSpecialInts[] = {
    std::numeric_limits<std::int32_t>::min(),
    std::numeric_limits<std::int32_t>::max(),
    -1,
    -2,
    255,
    256,
    1000,
    4096,
    8192,
    8193,
    16384,
    32767,
    32768,
    65535,
    65536,
    -65536,
    std::numeric_limits<std::int32_t>::min() + 1,
    std::numeric_limits<std::int32_t>::max() - 1,
};

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kSpecialFloats[] = {
    0.0f,
    1.0f,
    0.5f,
    0.25f,
    -0.0f,
    -1.0f,
    2.0f,
    0.05f,
    0.049999997f,
    0.8f,
    0.999f,
    1e-3f,
    std::numeric_limits<float>::quiet_NaN(),
    kInfinity,
    -kInfinity,
    std::numeric_limits<float>::min(),
    std::numeric_limits<float>::denorm_min(),
    -std::numeric_limits<float>::denorm_min(),
    std::numeric_limits<float>::max(),
    -std::numeric_limits<float>::max(),
    1e30f,
    -1e30f,
    44100.0f,
    48000.0f,
    96000.0f,
    768000.0f,
    1e6f,
    8000.0f,
    1.0e-30f,
    2147483648.0f,
    -2147483904.0f,
    16384.0f,
};

}  // namespace fuzz_encoding

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : next(data), end(data + size) {}

    bool empty() const { return next == end; }

    std::uint8_t readByte() { return next == end ? 0 : *next++; }

    std::uint16_t readUint16() {
        const std::uint16_t low = readByte();
        return static_cast<std::uint16_t>(low | (readByte() << 8));
    }

    std::int32_t readInt32() {
        using namespace fuzz_encoding;
        const std::uint8_t selector = readByte();
        if (selector < kFirstSpecialSelector) return selector - kSmallIntOffset;
        if (selector < kFirstRawSelector) return kSpecialInts[selector % std::size(kSpecialInts)];
        return static_cast<std::int32_t>(readRaw<std::uint32_t>());
    }

    VstIntPtr readIntPtr() {
        using namespace fuzz_encoding;
        if (next != end && *next >= kFirstWideRawSelector) {
            ++next;
            return static_cast<VstIntPtr>(readRaw<std::uint64_t>());
        }
        return readInt32();
    }

    float readFloat() {
        using namespace fuzz_encoding;
        const std::uint8_t selector = readByte();
        if (selector < kFirstSpecialSelector) return kSpecialFloats[selector % std::size(kSpecialFloats)];
        if (selector < kFirstRawSelector) return static_cast<float>(selector - kFirstSpecialSelector) / kUnitSteps;
        const std::uint32_t bits = readRaw<std::uint32_t>();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    int readCoordinate() {
        using namespace fuzz_encoding;
        const std::uint16_t choice = readUint16();
        if (choice < kFirstRawCoordinate) return choice % kCoordinateSpan - kCoordinateOffset;
        return static_cast<std::int16_t>(readUint16());
    }

    std::string readText() {
        std::string text;
        for (std::uint8_t length = readByte(); length > 0 && next != end; --length) {
            const char character = static_cast<char>(*next++);
            if (character == '\0') break;
            text.push_back(character);
        }
        return text;
    }

private:
    template <class Unsigned>
    Unsigned readRaw() {
        Unsigned value = 0;
        for (std::size_t byte = 0; byte < sizeof(Unsigned); ++byte)
            value |= static_cast<Unsigned>(static_cast<Unsigned>(readByte()) << (8 * byte));
        return value;
    }

    const std::uint8_t* next;
    const std::uint8_t* end;
};
