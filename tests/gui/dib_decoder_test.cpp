// The packed-DIB decoder: pixel layouts it must read exactly, and damaged
// input it must refuse without reading past the bytes it was given (the
// sanitizer build catches any stray read).
#include "gui/dib_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kWidthAt = 4;
constexpr std::size_t kHeightAt = 8;
constexpr std::size_t kPlanesAt = 12;
constexpr std::size_t kBitCountAt = 14;
constexpr std::size_t kCompressionAt = 16;
constexpr std::size_t kColoursUsedAt = 32;

void putU16(Bytes& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<unsigned char>(value);
    bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

void putU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A BITMAPINFOHEADER (or a longer one, zero-filled past the first 40 bytes).
Bytes header(std::int32_t width, std::int32_t height, unsigned bitCount, std::uint32_t coloursUsed,
             std::uint32_t headerSize = 40) {
    Bytes bytes(headerSize, 0);
    putU32(bytes, 0, headerSize);
    putU32(bytes, kWidthAt, static_cast<std::uint32_t>(width));
    putU32(bytes, kHeightAt, static_cast<std::uint32_t>(height));
    putU16(bytes, kPlanesAt, 1);
    putU16(bytes, kBitCountAt, bitCount);
    putU32(bytes, kColoursUsedAt, coloursUsed);
    return bytes;
}

void append(Bytes& bytes, std::initializer_list<unsigned char> more) { bytes.insert(bytes.end(), more); }

// A palette entry as stored: blue, green, red, reserved.
void appendColour(Bytes& bytes, Pixel colour) { append(bytes, {blueOf(colour), greenOf(colour), redOf(colour), 0}); }

constexpr Pixel kRed = pixelOf(255, 0, 0);
constexpr Pixel kGreen = pixelOf(0, 255, 0);
constexpr Pixel kBlue = pixelOf(0, 0, 255);
constexpr Pixel kGrey = pixelOf(126, 126, 126);
constexpr Pixel kSentinel = pixelOf(1, 2, 3);

// 3 x 2, 4 bits, three colours; rows stored bottom-up, each padded to four
// bytes. Picture: top row red green blue, bottom row blue blue red.
Bytes fourBitPicture(std::int32_t height = 2) {
    Bytes bytes = header(3, height, 4, 3);
    appendColour(bytes, kRed);
    appendColour(bytes, kGreen);
    appendColour(bytes, kBlue);
    append(bytes, {0x22, 0x00, 0, 0});  // stored first: the bottom row
    append(bytes, {0x01, 0x20, 0, 0});
    return bytes;
}

PixelBuffer picture(int width, std::initializer_list<Pixel> pixels) {
    const int height = static_cast<int>(pixels.size()) / width;
    PixelBuffer buffer(width, height);
    std::copy(pixels.begin(), pixels.end(), buffer.data());
    return buffer;
}

// --- pictures it reads ----------------------------------------------------------

struct GoodRow {
    const char* name;
    std::function<Bytes()> make;
    PixelBuffer expected;
    friend void PrintTo(const GoodRow& row, std::ostream* out) { *out << row.name; }
};

class DibDecodesTest : public testing::TestWithParam<GoodRow> {};

TEST_P(DibDecodesTest, GivesThePixelsTopRowFirst) {
    const Bytes bytes = GetParam().make();
    PixelBuffer out;
    ASSERT_TRUE(decodeDib(bytes.data(), bytes.size(), out));
    EXPECT_EQ(out, GetParam().expected);
}

Bytes fourBitTopDown() {
    Bytes bytes = fourBitPicture(-2);
    // Same stored rows, read top-down: now the first stored row is the top one.
    return bytes;
}

// The fourth nibble of each row is padding: any value there is no pixel.
Bytes fourBitPaddingNibbleSet() {
    Bytes bytes = fourBitPicture();
    bytes[40 + 12 + 1] = 0x0F;
    bytes[40 + 12 + 4 + 1] = 0x2F;
    return bytes;
}

// 24 bits, 1 x 2: each row is 3 bytes of blue, green, red and 1 of padding.
Bytes twentyFourBit(std::int32_t height) {
    Bytes bytes = header(1, height, 24, 0);
    append(bytes, {126, 126, 126, 0xEE});
    append(bytes, {0, 0, 255, 0xEE});
    return bytes;
}

// A 24-bit picture may carry a palette as a hint; the pixels follow it.
Bytes twentyFourBitWithPaletteHint() {
    Bytes bytes = header(1, 1, 24, 2);
    appendColour(bytes, kGreen);
    appendColour(bytes, kGreen);
    append(bytes, {255, 0, 0, 0});
    return bytes;
}

// 8 bits with biClrUsed 0: the palette has all 256 entries.
Bytes eightBitFullPalette() {
    Bytes bytes = header(2, 1, 8, 0);
    for (int i = 0; i < 256; ++i) appendColour(bytes, pixelOf(static_cast<std::uint8_t>(i), 0, 0));
    append(bytes, {7, 255, 0, 0});
    return bytes;
}

// 1 bit, 10 wide: the row runs into a second byte, most significant bit first.
Bytes oneBitTwoBytes() {
    Bytes bytes = header(10, 1, 1, 2);
    appendColour(bytes, kRed);
    appendColour(bytes, kBlue);
    append(bytes, {0b10000001, 0b01000000, 0, 0});
    return bytes;
}

// A longer header (BITMAPV5HEADER, 124 bytes): the palette starts after it.
Bytes longHeader() {
    Bytes bytes = header(1, 1, 4, 2, 124);
    appendColour(bytes, kRed);
    appendColour(bytes, kGrey);
    append(bytes, {0x10, 0, 0, 0});
    return bytes;
}

Bytes trailingBytes() {
    Bytes bytes = fourBitPicture();
    append(bytes, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DibDecodesTest,
    testing::Values(
        GoodRow{"four_bit_bottom_up", [] { return fourBitPicture(); },
                picture(3, {kRed, kGreen, kBlue, kBlue, kBlue, kRed})},
        GoodRow{"four_bit_top_down", fourBitTopDown, picture(3, {kBlue, kBlue, kRed, kRed, kGreen, kBlue})},
        GoodRow{"four_bit_padding_nibble_ignored", fourBitPaddingNibbleSet,
                picture(3, {kRed, kGreen, kBlue, kBlue, kBlue, kRed})},
        GoodRow{"twenty_four_bit_bottom_up", [] { return twentyFourBit(2); }, picture(1, {kRed, kGrey})},
        GoodRow{"twenty_four_bit_top_down", [] { return twentyFourBit(-2); }, picture(1, {kGrey, kRed})},
        GoodRow{"twenty_four_bit_skips_palette_hint", twentyFourBitWithPaletteHint, picture(1, {kBlue})},
        GoodRow{"eight_bit_full_palette", eightBitFullPalette, picture(2, {pixelOf(7, 0, 0), pixelOf(255, 0, 0)})},
        GoodRow{"one_bit_across_two_bytes", oneBitTwoBytes,
                picture(10, {kBlue, kRed, kRed, kRed, kRed, kRed, kRed, kBlue, kRed, kBlue})},
        GoodRow{"longer_header", longHeader, picture(1, {kGrey})},
        GoodRow{"trailing_bytes_ignored", trailingBytes, picture(3, {kRed, kGreen, kBlue, kBlue, kBlue, kRed})}),
    [](const testing::TestParamInfo<GoodRow>& instance) { return instance.param.name; });

// --- damage it refuses --------------------------------------------------------------

struct BadRow {
    const char* name;
    std::function<void(Bytes&)> damage;  // applied to fourBitPicture()
    friend void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }
};

class DibRefusesTest : public testing::TestWithParam<BadRow> {};

TEST_P(DibRefusesTest, ReturnsFalseAndLeavesTheBufferAlone) {
    Bytes bytes = fourBitPicture();
    GetParam().damage(bytes);
    // An exact-size copy, so that a read past the end is one the sanitizers see.
    const Bytes exact(bytes.begin(), bytes.end());
    PixelBuffer out(1, 1, kSentinel);
    EXPECT_FALSE(decodeDib(exact.empty() ? nullptr : exact.data(), exact.size(), out));
    EXPECT_EQ(out, PixelBuffer(1, 1, kSentinel));
}

void setWidth(Bytes& bytes, std::uint32_t width) { putU32(bytes, kWidthAt, width); }
void setHeight(Bytes& bytes, std::uint32_t height) { putU32(bytes, kHeightAt, height); }

INSTANTIATE_TEST_SUITE_P(
    Table, DibRefusesTest,
    testing::Values(
        BadRow{"empty", [](Bytes& b) { b.clear(); }}, BadRow{"header_cut", [](Bytes& b) { b.resize(39); }},
        BadRow{"core_header_size", [](Bytes& b) { putU32(b, 0, 12); }},
        BadRow{"header_size_past_end", [](Bytes& b) { putU32(b, 0, static_cast<std::uint32_t>(b.size() + 1)); }},
        BadRow{"header_size_huge", [](Bytes& b) { putU32(b, 0, 0xFFFFFFFFu); }},
        BadRow{"width_zero", [](Bytes& b) { setWidth(b, 0); }},
        BadRow{"width_negative", [](Bytes& b) { setWidth(b, static_cast<std::uint32_t>(-3)); }},
        BadRow{"width_past_limit", [](Bytes& b) { setWidth(b, kMaxDibSide + 1); }},
        BadRow{"width_int_max", [](Bytes& b) { setWidth(b, 0x7FFFFFFFu); }},
        BadRow{"width_larger_than_rows", [](Bytes& b) { setWidth(b, 9); }},
        BadRow{"height_zero", [](Bytes& b) { setHeight(b, 0); }},
        BadRow{"height_int_min", [](Bytes& b) { setHeight(b, 0x80000000u); }},
        BadRow{"height_past_limit_top_down", [](Bytes& b) { setHeight(b, static_cast<std::uint32_t>(-16385)); }},
        BadRow{"height_larger_than_rows", [](Bytes& b) { setHeight(b, 3); }},
        BadRow{"planes_two", [](Bytes& b) { putU16(b, kPlanesAt, 2); }},
        BadRow{"depth_zero", [](Bytes& b) { putU16(b, kBitCountAt, 0); }},
        BadRow{"depth_two", [](Bytes& b) { putU16(b, kBitCountAt, 2); }},
        BadRow{"depth_sixteen", [](Bytes& b) { putU16(b, kBitCountAt, 16); }},
        BadRow{"depth_thirty_two", [](Bytes& b) { putU16(b, kBitCountAt, 32); }},
        BadRow{"compression_rle8", [](Bytes& b) { putU32(b, kCompressionAt, 1); }},
        BadRow{"compression_rle4", [](Bytes& b) { putU32(b, kCompressionAt, 2); }},
        BadRow{"compression_bitfields", [](Bytes& b) { putU32(b, kCompressionAt, 3); }},
        BadRow{"compression_png", [](Bytes& b) { putU32(b, kCompressionAt, 5); }},
        BadRow{"colours_used_past_depth",
               [](Bytes& b) {
                   putU32(b, kColoursUsedAt, 17);
                   b.resize(b.size() + 256);  // room for the longer palette: only the count is wrong
               }},
        BadRow{"colours_used_huge", [](Bytes& b) { putU32(b, kColoursUsedAt, 0x40000000u); }},
        // biClrUsed 0 means all sixteen entries: the rows are then read as palette.
        BadRow{"colours_used_zero_palette_short", [](Bytes& b) { putU32(b, kColoursUsedAt, 0); }},
        BadRow{"palette_cut", [](Bytes& b) { b.resize(40 + 8); }},
        BadRow{"last_row_byte_missing", [](Bytes& b) { b.pop_back(); }},
        BadRow{"index_past_palette_top_row", [](Bytes& b) { b[40 + 12 + 4] = 0x03; }},
        BadRow{"index_past_palette_last_pixel", [](Bytes& b) { b[40 + 12 + 1] = 0xF0; }},
        BadRow{"twenty_four_bit_rows_missing", [](Bytes& b) { putU16(b, kBitCountAt, 24); }},
        BadRow{"twenty_four_bit_palette_hint_huge",
               [](Bytes& b) {
                   putU16(b, kBitCountAt, 24);
                   putU32(b, kColoursUsedAt, 257);
                   b.resize(40 + 257 * 4 + 64);
               }}),
    [](const testing::TestParamInfo<BadRow>& instance) { return instance.param.name; });

TEST(DibDecoderTest, NullDataIsRefusedWhateverTheSize) {
    PixelBuffer out;
    EXPECT_FALSE(decodeDib(nullptr, 0, out));
    EXPECT_FALSE(decodeDib(nullptr, 4096, out));
    EXPECT_TRUE(out.empty());
}

// A 1-bit picture of white pixels with all its rows present.
Bytes oneBitBlank(std::int32_t width, std::int32_t height) {
    Bytes bytes = header(width, height, 1, 2);
    appendColour(bytes, kRed);
    appendColour(bytes, kBlue);
    const std::size_t stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    bytes.resize(bytes.size() + stride * static_cast<std::size_t>(height < 0 ? -height : height));
    return bytes;
}

// The side limit also keeps row sizes from overflowing where size_t has 32
// bits, so it holds even when every row is there.
TEST(DibDecoderTest, SidesUpToTheLimitOnly) {
    struct Case {
        std::int32_t width;
        std::int32_t height;
        bool accepted;
    };
    for (const Case& c :
         {Case{kMaxDibSide, 1, true}, Case{kMaxDibSide + 1, 1, false}, Case{1, kMaxDibSide, true},
          Case{1, kMaxDibSide + 1, false}, Case{1, -kMaxDibSide, true}, Case{1, -kMaxDibSide - 1, false}}) {
        const Bytes bytes = oneBitBlank(c.width, c.height);
        PixelBuffer out;
        EXPECT_EQ(decodeDib(bytes.data(), bytes.size(), out), c.accepted) << c.width << " x " << c.height;
    }
}

// Every cut short of the last pixel byte is refused, never half-read.
TEST(DibDecoderTest, EveryTruncationIsRefused) {
    const Bytes whole = fourBitPicture();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        PixelBuffer out;
        EXPECT_FALSE(decodeDib(cut.data(), cut.size(), out)) << size << " bytes";
    }
}

// Random damage to the header and palette: whatever the answer, the decoder
// stays inside the bytes (checked by the sanitizer build) and a picture it
// accepts has the size the header gives.
TEST(DibDecoderTest, RandomHeaderDamageNeverReadsOutside) {
    std::mt19937 random(1234);
    const Bytes whole = fourBitPicture();
    int accepted = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        Bytes bytes = whole;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            bytes[random() % (40 + 12)] = static_cast<unsigned char>(random());
        }
        bytes.resize(bytes.size() - random() % 3);
        PixelBuffer out;
        if (decodeDib(bytes.data(), bytes.size(), out)) {
            ++accepted;
            const auto height = static_cast<std::int32_t>(bytes[8] | bytes[9] << 8 | bytes[10] << 16 |
                                                          static_cast<std::uint32_t>(bytes[11]) << 24);
            EXPECT_EQ(out.width(), bytes[4] | bytes[5] << 8);
            EXPECT_EQ(out.height(), height < 0 ? -height : height);
        }
    }
    EXPECT_GT(accepted, 0);  // some damage leaves a readable picture: the check above did run
}

}  // namespace
