// Writes the editor's glyph table: Liberation Sans Regular, found through
// fontconfig, rasterised by FreeType at 11 pixels per em for printable ASCII,
// as a C++ source file the plug-in compiles in.
//
//     make_glyph_table OUTPUT.cpp
//
// Hinting: the font's own TrueType instructions at full strength (hinted as
// for a one-bit target, rendered with 256 levels). At 11 pixels they put the
// 1-pixel stems of digits and capitals on whole columns and rows, so read-outs
// are crisp; vertical-only (light) hinting leaves stems smeared over two grey
// columns. These are also the instructions the font carries for Windows, so
// the text looks as Arial does there.
//
// The output depends only on the font file and the FreeType version, both
// named in its header; the same pair always gives the same bytes.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kPixelsPerEm = 11;
constexpr int kFirstCharacter = ' ';
constexpr int kLastCharacter = '~';
const char* const kFamily = "Liberation Sans";
const char* const kStyle = "Regular";
const char* const kOutputName = "gui/small_font_glyphs.cpp";

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A glyph's picture cut to its ink, and its place against the pen.
struct RenderedGlyph {
    int character = 0;
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;  // height rows of width bytes
};

struct FontFile {
    std::string path;
    int index = 0;
};

// Asks fontconfig for the family, then for "Arial", which Debian aliases to
// it; only a face that really is Liberation Sans Regular is taken, never a
// stand-in such as DejaVu.
FontFile findFont() {
    if (!FcInit()) throw Failure("cannot initialise fontconfig");
    FontFile found;
    for (const char* request : {"Liberation Sans:style=Regular", "Arial:style=Regular"}) {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
        if (pattern == nullptr) continue;
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr) continue;
        FcChar8* family = nullptr;
        FcChar8* style = nullptr;
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
            FcPatternGetString(match, FC_STYLE, 0, &style) == FcResultMatch &&
            FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
            FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch &&
            std::string(reinterpret_cast<const char*>(family)) == kFamily &&
            std::string(reinterpret_cast<const char*>(style)) == kStyle) {
            found = FontFile{reinterpret_cast<const char*>(file), index};
        }
        FcPatternDestroy(match);
        if (!found.path.empty()) break;
    }
    FcFini();
    if (found.path.empty()) {
        throw Failure("fontconfig finds no Liberation Sans Regular (Debian package fonts-liberation)");
    }
    return found;
}

// The font's version string (name 5), as ASCII.
std::string fontVersion(FT_Face face) {
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != TT_NAME_ID_VERSION_STRING) continue;
        std::string text;
        if (name.platform_id == TT_PLATFORM_MACINTOSH) {
            text.assign(reinterpret_cast<const char*>(name.string), name.string_len);
        } else if (name.platform_id == TT_PLATFORM_MICROSOFT) {
            for (FT_UInt at = 0; at + 1 < name.string_len; at += 2) {
                if (name.string[at] == 0) text += static_cast<char>(name.string[at + 1]);
            }
        } else {
            continue;
        }
        if (!text.empty()) return text;
    }
    return "unknown";
}

std::string freetypeVersion(FT_Library library) {
    FT_Int major = 0;
    FT_Int minor = 0;
    FT_Int patch = 0;
    FT_Library_Version(library, &major, &minor, &patch);
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
}

int wholePixels(FT_Pos value) { return static_cast<int>((value + 32) / 64); }

RenderedGlyph renderGlyph(FT_Face face, int character) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(character));
    if (index == 0) throw Failure("the font has no glyph for character " + std::to_string(character));
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        throw Failure("FreeType cannot render character " + std::to_string(character));
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.num_grays != 256) {
        throw Failure("FreeType gave no 8-bit coverage for character " + std::to_string(character));
    }
    const int columns = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    const auto at = [&](int column, int row) -> std::uint8_t {
        return bitmap.buffer[static_cast<std::ptrdiff_t>(row) * bitmap.pitch + column];
    };

    // Cut the picture to its ink: centring measures ink, so blank edges
    // would pull text off centre.
    int firstColumn = columns;
    int endColumn = 0;
    int firstRow = rows;
    int endRow = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (at(column, row) == 0) continue;
            firstColumn = std::min(firstColumn, column);
            endColumn = std::max(endColumn, column + 1);
            firstRow = std::min(firstRow, row);
            endRow = std::max(endRow, row + 1);
        }
    }

    RenderedGlyph glyph;
    glyph.character = character;
    glyph.advance = wholePixels(slot->advance.x);
    if (endColumn > firstColumn) {
        glyph.width = endColumn - firstColumn;
        glyph.height = endRow - firstRow;
        glyph.left = slot->bitmap_left + firstColumn;
        glyph.top = slot->bitmap_top - firstRow;
        for (int row = firstRow; row < endRow; ++row) {
            for (int column = firstColumn; column < endColumn; ++column) glyph.coverage.push_back(at(column, row));
        }
    }
    const bool fits = glyph.width <= 255 && glyph.height <= 255 && glyph.left >= -128 && glyph.left <= 127 &&
                      glyph.top >= -128 && glyph.top <= 127 && glyph.advance >= 0 && glyph.advance <= 255;
    if (!fits) throw Failure("character " + std::to_string(character) + " is too large for the table");
    return glyph;
}

// How a character is named in a comment: never ending in a backslash, which
// would carry the comment on to the next line.
std::string quoted(int character) {
    if (character == '\\') return "'\\\\'";
    if (character == '\'') return "'\\''";
    return std::string("'") + static_cast<char>(character) + "'";
}

struct Table {
    std::string fontName;
    std::string fontVersion;
    std::string freetypeVersion;
    int ascent = 0;
    int descent = 0;
    int capHeight = 0;
    std::vector<RenderedGlyph> glyphs;
};

Table renderTable() {
    const FontFile file = findFont();
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw Failure("cannot initialise FreeType");
    FT_Face face = nullptr;
    Table table;
    try {
        if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) {
            throw Failure("FreeType cannot open " + file.path);
        }
        if (FT_Set_Pixel_Sizes(face, 0, kPixelsPerEm) != 0) throw Failure("the font cannot be set to 11 pixels");
        const std::string::size_type slash = file.path.find_last_of('/');
        table.fontName = slash == std::string::npos ? file.path : file.path.substr(slash + 1);
        table.fontVersion = fontVersion(face);
        table.freetypeVersion = freetypeVersion(library);
        // With hinting on, FreeType rounds the line metrics outwards to whole pixels.
        table.ascent = wholePixels(face->size->metrics.ascender);
        table.descent = wholePixels(-face->size->metrics.descender);
        for (int character = kFirstCharacter; character <= kLastCharacter; ++character) {
            table.glyphs.push_back(renderGlyph(face, character));
        }
        table.capHeight = table.glyphs['H' - kFirstCharacter].top;
    } catch (...) {
        if (face != nullptr) FT_Done_Face(face);
        FT_Done_FreeType(library);
        throw;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return table;
}

std::string tableSource(const Table& table) {
    std::ostringstream out;
    out << "// Liberation Sans Regular at 11 pixels per em, printable ASCII, as 8-bit\n"
           "// coverage: the widget font kNormalFontSmall. Generated by\n"
           "// resources/fonts/make_glyph_table from "
        << table.fontName << " (" << table.fontVersion << ")\n"
        << "// with FreeType " << table.freetypeVersion
        << "; do not edit. To regenerate after a change of font or\n"
           "// FreeType: cmake --build build --target small_font_glyphs\n"
           "#include \"gui/glyph_font.h\"\n"
           "\n"
           "// clang-format off\n"
           "namespace {\n"
           "\n"
           "// Each glyph's rows, top first.\n"
           "const std::uint8_t kCoverage[] = {\n";
    std::uint32_t offset = 0;
    std::vector<std::uint32_t> offsets;
    for (const RenderedGlyph& glyph : table.glyphs) {
        offsets.push_back(offset);
        if (glyph.coverage.empty()) continue;
        out << "    // " << quoted(glyph.character) << "\n";
        for (int row = 0; row < glyph.height; ++row) {
            out << "   ";
            for (int column = 0; column < glyph.width; ++column) {
                out << ' ' << std::setw(3) << int{glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)]}
                    << ',';
            }
            out << '\n';
        }
        offset += static_cast<std::uint32_t>(glyph.coverage.size());
    }
    out << "};\n"
           "\n"
           "}  // namespace\n"
           "\n"
           "const GlyphFont kSmallFontGlyphs = {\n"
        << "    " << table.ascent << ", " << table.descent << ", " << table.capHeight
        << ",  // ascent, descent, capital height\n"
           "    {\n"
           "        // offset, width, height, left, top, advance\n";
    for (std::size_t i = 0; i < table.glyphs.size(); ++i) {
        const RenderedGlyph& glyph = table.glyphs[i];
        out << "        {" << std::setw(4) << offsets[i] << ", " << std::setw(2) << glyph.width << ", " << std::setw(2)
            << glyph.height << ", " << std::setw(2) << glyph.left << ", " << std::setw(2) << glyph.top << ", "
            << std::setw(2) << glyph.advance << "},  // " << quoted(glyph.character) << "\n";
    }
    out << "    },\n"
           "    kCoverage,\n"
           "    sizeof(kCoverage),\n"
           "};\n"
           "// clang-format on\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_glyph_table OUTPUT.cpp (the table lives in %s)\n", kOutputName);
        return 2;
    }
    try {
        const std::string source = tableSource(renderTable());
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        file << source;
        file.close();
        if (!file) throw Failure(std::string("cannot write ") + argv[1]);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "make_glyph_table: %s\n", failure.what());
        return 1;
    }
    return 0;
}
