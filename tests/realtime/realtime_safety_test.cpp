// processReplacing makes no call that can block or allocate: no malloc or
// free, no operator new or delete, no mutex, rwlock or condition wait, no
// sleep and no write, in any scene a host can set up between blocks. The
// audio call counter (preloaded) counts such calls while a thread is inside
// processReplacing; the test first proves it sees each kind of call.
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tests/realtime/audio_call_counter.h"
#include "tests/support/plugin_host.h"
#include "tests/support/row_name.h"

namespace {

// The counter's functions as this process finds them: all null when the
// library was not preloaded.
class AudioCallCounter {
public:
    static AudioCallCounter& instance() {
        static AudioCallCounter counter;
        return counter;
    }
    bool present() const {
        return enter != nullptr && leave != nullptr && kinds != nullptr && name != nullptr && count != nullptr;
    }

    decltype(&oscindaAudioRegionEnter) enter = nullptr;
    decltype(&oscindaAudioRegionLeave) leave = nullptr;
    decltype(&oscindaAudioCallKinds) kinds = nullptr;
    decltype(&oscindaAudioCallName) name = nullptr;
    decltype(&oscindaAudioCallCount) count = nullptr;

private:
    AudioCallCounter() {
        enter = reinterpret_cast<decltype(enter)>(dlsym(RTLD_DEFAULT, "oscindaAudioRegionEnter"));
        leave = reinterpret_cast<decltype(leave)>(dlsym(RTLD_DEFAULT, "oscindaAudioRegionLeave"));
        kinds = reinterpret_cast<decltype(kinds)>(dlsym(RTLD_DEFAULT, "oscindaAudioCallKinds"));
        name = reinterpret_cast<decltype(name)>(dlsym(RTLD_DEFAULT, "oscindaAudioCallName"));
        count = reinterpret_cast<decltype(count)>(dlsym(RTLD_DEFAULT, "oscindaAudioCallCount"));
    }
};

// Counts by function name over any number of regions.
class CallTally {
public:
    // Adds what the calling thread's last region counted.
    void addLastRegion() {
        AudioCallCounter& counter = AudioCallCounter::instance();
        if (calls.empty()) calls.assign(static_cast<std::size_t>(counter.kinds()), 0);
        for (int kind = 0; kind < counter.kinds(); ++kind) calls[static_cast<std::size_t>(kind)] += counter.count(kind);
        ++regions;
    }
    unsigned long of(const std::string& function) const {
        AudioCallCounter& counter = AudioCallCounter::instance();
        for (int kind = 0; kind < counter.kinds(); ++kind)
            if (function == counter.name(kind)) return calls[static_cast<std::size_t>(kind)];
        ADD_FAILURE() << "the counter does not count " << function;
        return 0;
    }
    // "malloc: 3, pthread_mutex_lock: 1" for every function counted.
    std::string nonZero() const {
        AudioCallCounter& counter = AudioCallCounter::instance();
        std::string list;
        for (std::size_t kind = 0; kind < calls.size(); ++kind) {
            if (calls[kind] == 0) continue;
            if (!list.empty()) list += ", ";
            list += std::string(counter.name(static_cast<int>(kind))) + ": " + std::to_string(calls[kind]);
        }
        return list;
    }
    int kindsCounted() const { return static_cast<int>(calls.size()); }
    long regions = 0;

private:
    std::vector<unsigned long> calls;
};

class RealtimeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AudioCallCounter::instance().present())
            << "the audio call counter is not loaded: run with LD_PRELOAD=<build>/tests/realtime/"
               "liboscinda_audio_call_counter.so (ctest sets it)";
    }
    template <class Body>
    void inAudioRegion(Body body) {
        AudioCallCounter::instance().enter();
        body();
        AudioCallCounter::instance().leave();
        tally.addLastRegion();
    }
    CallTally tally;
};

// ---- The counter sees each kind of call made on purpose. ----

void* volatile keep;  // so that no call below can be left out as unused

struct DeliberateRow {
    std::string name;
    std::string function;  // as the counter names it
    std::function<void()> call;
    friend void PrintTo(const DeliberateRow& row, std::ostream* out) { *out << row.name; }
};

class RealtimeCounterSees : public RealtimeTest, public testing::WithParamInterface<DeliberateRow> {};

TEST_P(RealtimeCounterSees, ACallMadeOnPurpose) {
    const DeliberateRow& row = GetParam();
    inAudioRegion(row.call);
    EXPECT_GE(tally.of(row.function), 1u);
    // Outside a region nothing counts.
    AudioCallCounter::instance().enter();
    AudioCallCounter::instance().leave();
    row.call();
    CallTally outside;
    outside.addLastRegion();
    EXPECT_EQ(outside.of(row.function), 0u);
}

pthread_mutex_t deliberateMutex = PTHREAD_MUTEX_INITIALIZER;
pthread_rwlock_t deliberateLock = PTHREAD_RWLOCK_INITIALIZER;
pthread_cond_t deliberateCondition = PTHREAD_COND_INITIALIZER;
const timespec kNoTime{0, 0};

INSTANTIATE_TEST_SUITE_P(
    EveryKind, RealtimeCounterSees,
    testing::Values(
        DeliberateRow{"Malloc", "malloc", [] { std::free(keep = std::malloc(32)); }},
        DeliberateRow{"Calloc", "calloc", [] { std::free(keep = std::calloc(4, 8)); }},
        DeliberateRow{"Realloc", "realloc", [] { std::free(keep = std::realloc(keep = std::malloc(8), 64)); }},
        DeliberateRow{"Free", "free", [] { std::free(keep = std::malloc(32)); }},
        DeliberateRow{"New", "operator new", [] { delete static_cast<int*>(keep = new int(1)); }},
        DeliberateRow{"NewArray", "operator new[]", [] { delete[] static_cast<int*>(keep = new int[4]); }},
        DeliberateRow{"NewNothrow", "operator new(nothrow)",
                      [] { delete static_cast<int*>(keep = new (std::nothrow) int(1)); }},
        DeliberateRow{"Delete", "operator delete", [] { ::operator delete(keep = ::operator new(8)); }},
        DeliberateRow{"DeleteSized", "operator delete(size)", [] { delete static_cast<int*>(keep = new int(1)); }},
        DeliberateRow{"MutexLock", "pthread_mutex_lock",
                      [] {
                          pthread_mutex_lock(&deliberateMutex);
                          pthread_mutex_unlock(&deliberateMutex);
                      }},
        DeliberateRow{"MutexUnlock", "pthread_mutex_unlock",
                      [] {
                          pthread_mutex_lock(&deliberateMutex);
                          pthread_mutex_unlock(&deliberateMutex);
                      }},
        DeliberateRow{"MutexTrylock", "pthread_mutex_trylock",
                      [] {
                          if (pthread_mutex_trylock(&deliberateMutex) == 0) pthread_mutex_unlock(&deliberateMutex);
                      }},
        DeliberateRow{"RwlockRead", "pthread_rwlock_rdlock",
                      [] {
                          pthread_rwlock_rdlock(&deliberateLock);
                          pthread_rwlock_unlock(&deliberateLock);
                      }},
        DeliberateRow{"RwlockWrite", "pthread_rwlock_wrlock",
                      [] {
                          pthread_rwlock_wrlock(&deliberateLock);
                          pthread_rwlock_unlock(&deliberateLock);
                      }},
        DeliberateRow{"ConditionTimedWait", "pthread_cond_timedwait",
                      [] {
                          // A deadline long past: returns at once.
                          pthread_mutex_lock(&deliberateMutex);
                          pthread_cond_timedwait(&deliberateCondition, &deliberateMutex, &kNoTime);
                          pthread_mutex_unlock(&deliberateMutex);
                      }},
        DeliberateRow{"Nanosleep", "nanosleep", [] { nanosleep(&kNoTime, nullptr); }},
        DeliberateRow{"ClockNanosleep", "clock_nanosleep",
                      [] { clock_nanosleep(CLOCK_MONOTONIC, 0, &kNoTime, nullptr); }},
        DeliberateRow{"Usleep", "usleep", [] { usleep(0); }}, DeliberateRow{"Sleep", "sleep", [] { sleep(0); }},
        DeliberateRow{"Write", "write", [] { keep = reinterpret_cast<void*>(write(-1, "x", 1)); }}),
    rowName<DeliberateRow>);

// ---- processReplacing makes none of them. ----

const float kSampleRates[] = {1.0f, 8000.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 384000.0f, 768000.0f};
const VstInt32 kBlockSizes[] = {1, 17, 64, 512, 4096, 16384};

struct SceneRow {
    std::string name;
    std::function<void(PluginInstance&)> setUp;
    // What the host does between two blocks; block counts from 0.
    std::function<void(PluginInstance&, int block)> betweenBlocks;
    friend void PrintTo(const SceneRow& row, std::ostream* out) { *out << row.name; }
};

class RealtimeScene : public RealtimeTest, public testing::WithParamInterface<SceneRow> {};

TEST_P(RealtimeScene, ProcessReplacingMakesNoCountedCall) {
    const SceneRow& row = GetParam();
    PluginInstance plugin;
    ASSERT_NE(plugin.effect, nullptr);
    row.setUp(plugin);
    plugin.dispatch(effMainsChanged, 0, 1);

    std::vector<float> input(16384), first(16384), second(16384);
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<float>((i * 7919) % 2001) / 1000.0f - 1.0f;
    float* inputs[] = {input.data()};
    float* outputs[] = {first.data(), second.data()};
    long samples = 0;
    int block = 0;
    for (float rate : kSampleRates) {
        plugin.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        for (VstInt32 size : kBlockSizes) {
            plugin.dispatch(effSetBlockSize, 0, size);
            for (int repeat = 0; repeat < 3; ++repeat) {
                row.betweenBlocks(plugin, block++);
                inAudioRegion([&] { plugin.effect->processReplacing(plugin.effect, inputs, outputs, size); });
                samples += size;
            }
        }
    }
    plugin.dispatch(effEditClose);
    EXPECT_EQ(tally.nonZero(), "") << "calls made inside processReplacing";
    std::cout << "[ realtime ] " << row.name << ": " << tally.regions << " blocks, " << samples << " samples, "
              << tally.kindsCounted() << " kinds of call watched, none made\n";
}

void nothing(PluginInstance&) {}
void nothingBetween(PluginInstance&, int) {}

void automateEveryParameter(PluginInstance& plugin, int block) {
    for (VstInt32 index = 0; index < 6; ++index)
        plugin.setParameter(index, static_cast<float>((block * 37 + index * 11) % 101) / 100.0f);
}

void switchAndRenamePrograms(PluginInstance& plugin, int block) {
    plugin.dispatch(effSetProgram, 0, block % 16);
    std::string name = "Block " + std::to_string(block);
    plugin.dispatch(effSetProgramName, 0, 0, name.data());
}

void fastRandomGate(PluginInstance& plugin) {
    plugin.setParameter(0, 0.0f);
    plugin.setParameter(2, 0.0f);
    plugin.setParameter(1, 0.06f);
    plugin.setParameter(3, 0.0f);
    plugin.setParameter(4, 1.0f);
}

void openEditor(PluginInstance& plugin) {
    plugin.dispatch(effEditOpen);
    plugin.dispatch(effEditIdle);
}

void automateWithEditorOpen(PluginInstance& plugin, int block) {
    automateEveryParameter(plugin, block);
    plugin.dispatch(effEditIdle);
}

void powerCycle(PluginInstance& plugin, int) {
    plugin.dispatch(effMainsChanged, 0, 0);
    plugin.dispatch(effMainsChanged, 0, 1);
}

INSTANTIATE_TEST_SUITE_P(Scenes, RealtimeScene,
                         testing::Values(SceneRow{"RatesAndBlockSizes", nothing, nothingBetween},
                                         SceneRow{"ParameterChangesBetweenBlocks", nothing, automateEveryParameter},
                                         SceneRow{"ProgramChangesBetweenBlocks", nothing, switchAndRenamePrograms},
                                         SceneRow{"RandomOnFastGate", fastRandomGate, nothingBetween},
                                         SceneRow{"EditorOpen", openEditor, automateWithEditorOpen},
                                         SceneRow{"PowerSwitchedBetweenBlocks", fastRandomGate, powerCycle}),
                         rowName<SceneRow>);

}  // namespace
