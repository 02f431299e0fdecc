// Program names renamed on one host thread while another reads them: every
// name read is one of the names written, whole, never a mixture of two. In
// the ThreadSanitizer tree any unsynchronised access fails the test as well.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/plugin_host.h"
#include "tests/support/row_name.h"

namespace {

// Two names of different lengths with no character in common: a read that
// overlaps a rename would show a mixture or a cut.
const std::string kLongName(kVstMaxProgNameLen - 1, 'a');
const std::string kShortName = "bb";
// Long enough for many overlaps on a loaded machine; in the sanitizer trees
// any single overlap is already reported.
constexpr std::chrono::milliseconds kRaceTime{300};

struct RaceRow {
    std::string name;
    VstInt32 readOpcode;  // effGetProgramName or effGetProgramNameIndexed
    int renamingThreads;
    friend void PrintTo(const RaceRow& row, std::ostream* out) { *out << row.name; }
};

class ProgramNameRace : public testing::Test, public testing::WithParamInterface<RaceRow> {};

TEST_P(ProgramNameRace, EveryReadIsOneWholeName) {
    const RaceRow& row = GetParam();
    PluginInstance plugin;
    ASSERT_NE(plugin.effect, nullptr);
    std::string first = kLongName;
    plugin.dispatch(effSetProgramName, 0, 0, first.data());

    std::atomic<bool> stop{false};
    std::vector<std::thread> renamers;
    for (int thread = 0; thread < row.renamingThreads; ++thread) {
        renamers.emplace_back([&plugin, &stop, thread] {
            std::string names[] = {kLongName, kShortName};
            for (int rename = thread; !stop.load(); ++rename)
                plugin.dispatch(effSetProgramName, 0, 0, names[rename % 2].data());
        });
    }

    long reads = 0;
    std::vector<std::string> mixtures;
    const auto end = std::chrono::steady_clock::now() + kRaceTime;
    while (std::chrono::steady_clock::now() < end) {
        char text[256] = {};
        plugin.dispatch(row.readOpcode, 0, 0, text);
        ++reads;
        if (text != kLongName && text != kShortName && mixtures.size() < 5) mixtures.emplace_back(text);
    }
    stop.store(true);
    for (std::thread& renamer : renamers) renamer.join();

    EXPECT_TRUE(mixtures.empty()) << "read \"" << mixtures.front() << "\" (" << mixtures.size()
                                  << " or more torn reads in " << reads << ")";
}

INSTANTIATE_TEST_SUITE_P(Concurrency, ProgramNameRace,
                         testing::Values(RaceRow{"RenameAgainstCurrentName", effGetProgramName, 1},
                                         RaceRow{"RenameAgainstIndexedName", effGetProgramNameIndexed, 1},
                                         RaceRow{"TwoRenamersAgainstCurrentName", effGetProgramName, 2}),
                         rowName<RaceRow>);

}  // namespace
