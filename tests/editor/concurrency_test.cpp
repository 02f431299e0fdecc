// Host automation moves the editor's controls from its own thread while the
// editor's thread opens, draws and closes the panel: every value the two
// share is handed over whole (ThreadSanitizer checks it in the thread tree).
#include <atomic>
#include <random>
#include <thread>

#include "tests/editor/editor_fixture.h"

namespace {

TEST_F(EditorTest, EditorConcurrencyAutomationWhileThePanelOpensDrawsAndCloses) {
    std::atomic<bool> stop{false};
    std::thread automation([&] {
        std::mt19937 generator(3);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        while (!stop.load()) {
            const auto index = static_cast<VstInt32>(generator() % 6);
            setParameter(index, unit(generator));
        }
    });
    for (int cycle = 0; cycle < 200; ++cycle) {
        dispatch(effEditOpen);
        for (int frameIdle = 0; frameIdle < 5; ++frameIdle) dispatch(effEditIdle);
        if (cycle % 2 == 0) dispatch(effEditClose);
    }
    stop.store(true);
    automation.join();
    dispatch(effEditClose);
    // The panel still shows what the effect holds once the thread has stopped.
    openPanel();
    EXPECT_EQ(slider(kChangeRateParam)->getValue(), getParameter(kChangeRateParam));
}

}  // namespace
