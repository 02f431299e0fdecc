// The committed glyph table is exactly what the generator makes from the
// installed font, and the generator fails cleanly.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool exists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

// The generator's exit status, its messages out of the way.
int runGenerator(const std::string& arguments) {
    const std::string command = std::string("'") + MAKE_GLYPH_TABLE_PATH + "' " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string scratchPath(const std::string& name) {
    return testing::TempDir() + "glyph_table_" + std::to_string(getpid()) + "_" + name;
}

// Reports the first line that differs rather than two 900-line texts.
std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream left(expected);
    std::istringstream right(actual);
    std::string expectedLine;
    std::string actualLine;
    for (int line = 1;; ++line) {
        const bool moreExpected = static_cast<bool>(std::getline(left, expectedLine));
        const bool moreActual = static_cast<bool>(std::getline(right, actualLine));
        if (!moreExpected && !moreActual) return "no line differs";
        if (!moreExpected || !moreActual || expectedLine != actualLine) {
            return "line " + std::to_string(line) + ": committed \"" + (moreExpected ? expectedLine : "<end>") +
                   "\", generated \"" + (moreActual ? actualLine : "<end>") + "\"";
        }
    }
}

TEST(GlyphTableGeneration, RegeneratedTableMatchesTheCommittedOneByteForByte) {
    const std::string output = scratchPath("regenerated.cpp");
    ASSERT_EQ(runGenerator("'" + output + "'"), 0);
    const std::string generated = readFile(output);
    std::remove(output.c_str());
    const std::string committed = readFile(COMMITTED_TABLE_PATH);
    ASSERT_FALSE(committed.empty());
    EXPECT_TRUE(generated == committed)
        << firstDifference(committed, generated)
        << "\nIf the font or FreeType changed on purpose, regenerate: cmake --build build --target small_font_glyphs";
}

struct FailureRow {
    const char* name;
    std::string arguments;  // {output} stands for a path in a scratch folder
    int status;
    friend void PrintTo(const FailureRow& row, std::ostream* out) { *out << row.name; }
};

class GeneratorFailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(GeneratorFailureTest, ExitsWithStatusAndWritesNothing) {
    const FailureRow& row = GetParam();
    const std::string output = scratchPath(std::string(row.name) + ".cpp");
    std::string arguments = row.arguments;
    const std::string::size_type slot = arguments.find("{output}");
    if (slot != std::string::npos) arguments.replace(slot, 8, "'" + output + "'");
    EXPECT_EQ(runGenerator(arguments), row.status);
    EXPECT_FALSE(exists(output));
}

INSTANTIATE_TEST_SUITE_P(Table, GeneratorFailureTest,
                         testing::Values(FailureRow{"no_output", "", 2},
                                         FailureRow{"two_outputs", "{output} second.cpp", 2},
                                         FailureRow{"output_in_missing_folder", "/nonexistent-folder/table.cpp", 1}),
                         [](const testing::TestParamInfo<FailureRow>& entry) { return entry.param.name; });

}  // namespace
