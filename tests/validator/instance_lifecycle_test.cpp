// Instances opened and closed in random order, as a host loads and unloads a
// project: each keeps its own state until it is closed, whatever happened
// to the others.
#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "tests/support/plugin_host.h"

namespace {

constexpr int kInstances = 100;

// Depth is stored exactly: a value of its own per instance shows whether
// instances share anything.
float depthOf(int serial) { return static_cast<float>(serial) / kInstances; }

struct LiveInstance {
    int serial;
    std::unique_ptr<PluginInstance> plugin;
};

LiveInstance openInstance(int serial) {
    LiveInstance live{serial, std::make_unique<PluginInstance>()};
    if (live.plugin->effect != nullptr) {
        live.plugin->dispatch(effOpen);
        live.plugin->setParameter(0, depthOf(serial));
        live.plugin->dispatch(effMainsChanged, 0, 1);
    }
    return live;
}

// Checks that the instance still holds its own Depth, runs a block, closes it.
void closeInstance(LiveInstance& live) {
    ASSERT_NE(live.plugin->effect, nullptr) << "instance " << live.serial;
    EXPECT_EQ(live.plugin->getParameter(0), depthOf(live.serial)) << "instance " << live.serial;
    std::vector<float> input(64, 0.5f), first, second;
    live.plugin->process(input, first, second);
    live.plugin->dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(live.plugin->close(), 1) << "instance " << live.serial;
}

TEST(ValidatorLifecycle, HundredInstancesClosedInRandomOrder) {
    std::mt19937 generator(2024);
    std::vector<LiveInstance> live;
    for (int serial = 0; serial < kInstances; ++serial) live.push_back(openInstance(serial));
    std::shuffle(live.begin(), live.end(), generator);
    for (LiveInstance& instance : live) closeInstance(instance);
}

TEST(ValidatorLifecycle, HundredInstancesOpenedAndClosedInterleaved) {
    std::mt19937 generator(7);
    std::vector<LiveInstance> live;
    int opened = 0;
    while (opened < kInstances || !live.empty()) {
        const bool open = opened < kInstances && (live.empty() || generator() % 3 != 0);
        if (open) {
            live.push_back(openInstance(opened++));
        } else {
            const std::size_t victim = generator() % live.size();
            closeInstance(live[victim]);
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(victim));
        }
    }
}

}  // namespace
