// The entry's two export names, refusals, independent instances and effClose.
#include <dlfcn.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/host/probe_effect.h"
#include "tests/support/plugin_host.h"

namespace {

VstIntPtr VSTCALLBACK hostAnsweringVersionZero(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

TEST(Entry, ExportsExactlyTheTwoEntryNamesForOneFunction) {
    const std::string command = "nm -D --defined-only '" + PluginLibrary::instance().path() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::map<std::string, std::string> addressBySymbol;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        char address[64], type[8], name[256];
        if (std::sscanf(line, "%63s %7s %255s", address, type, name) == 3) addressBySymbol[name] = address;
    }
    ASSERT_EQ(pclose(pipe), 0);
    ASSERT_EQ(addressBySymbol.size(), 2u);
    ASSERT_EQ(addressBySymbol.count("VSTPluginMain"), 1u);
    ASSERT_EQ(addressBySymbol.count("main"), 1u);
    EXPECT_EQ(addressBySymbol["VSTPluginMain"], addressBySymbol["main"]);
}

TEST(Entry, BothNamesGiveNullToAHostThatAnswersVersionZero) {
    for (const char* name : {"VSTPluginMain", "main"}) {
        PluginLibrary::EntryFunction entry = PluginLibrary::instance().entry(name);
        ASSERT_NE(entry, nullptr) << name;
        EXPECT_EQ(entry(hostAnsweringVersionZero), nullptr) << name;
        EXPECT_EQ(entry(nullptr), nullptr) << name;
    }
}

TEST(Entry, AsksTheHostForItsVersionFirstWithoutARecord) {
    RecordingHost host;
    host.versionAnswer = 1;  // any non-zero answer is accepted
    AEffect* effect = PluginLibrary::instance().entry("main")(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls.front().opcode, audioMasterVersion);
    EXPECT_EQ(host.calls.front().effect, nullptr);
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(Entry, EachCallMakesAnIndependentInstance) {
    RecordingHost host;
    PluginLibrary::EntryFunction entry = PluginLibrary::instance().entry("VSTPluginMain");
    AEffect* first = entry(RecordingHost::callback);
    AEffect* second = entry(RecordingHost::callback);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->object, second->object);

    first->dispatcher(first, effSetProgram, 0, 5, nullptr, 0.0f);
    EXPECT_EQ(first->dispatcher(first, effGetProgram, 0, 0, nullptr, 0.0f), 5);
    EXPECT_EQ(second->dispatcher(second, effGetProgram, 0, 0, nullptr, 0.0f), 0);

    EXPECT_EQ(first->dispatcher(first, effClose, 0, 0, nullptr, 0.0f), 1);
    // The other instance lives on untouched.
    EXPECT_EQ(second->magic, kEffectMagic);
    EXPECT_EQ(second->dispatcher(second, effGetVendorVersion, 0, 0, nullptr, 0.0f), 1000);
    EXPECT_EQ(second->dispatcher(second, effClose, 0, 0, nullptr, 0.0f), 1);
}

using EntryRecordTest = PluginTest;

TEST_F(EntryRecordTest, AccumulatingAndDoubleProcessingLeaveTheBuffersAlone) {
    std::vector<float> input(64, 0.5f), first(64, 7.0f), second(64, 8.0f);
    float* inputs[] = {input.data()};
    float* outputs[] = {first.data(), second.data()};
    effect->process(effect, inputs, outputs, 64);
    for (float sample : first) ASSERT_EQ(sample, 7.0f);
    for (float sample : second) ASSERT_EQ(sample, 8.0f);

    std::vector<double> inputD(64, 0.5), firstD(64, 7.0), secondD(64, 8.0);
    double* inputsD[] = {inputD.data()};
    double* outputsD[] = {firstD.data(), secondD.data()};
    effect->processDoubleReplacing(effect, inputsD, outputsD, 64);
    for (double sample : firstD) ASSERT_EQ(sample, 7.0);
    for (double sample : secondD) ASSERT_EQ(sample, 8.0);
}

TEST_F(EntryRecordTest, EffCloseAnswersOneToTheHost) { EXPECT_EQ(close(), 1); }

// effClose through the record: the effect's close runs, then the effect and
// its editor are destroyed.
class ClosingProbe : public ProbeEffect {
public:
    ClosingProbe(bool* destroyedFlag, bool* closedFlag)
        : ProbeEffect(RecordingHost::callback), destroyed(destroyedFlag), closed(closedFlag) {}
    ~ClosingProbe() override { *destroyed = true; }
    void close() override { *closed = true; }

private:
    bool* destroyed;
    bool* closed;
};

TEST(EffectLifetime, EffCloseRunsCloseThenDestroysTheEffectAndItsEditor) {
    bool effectDestroyed = false, effectClosed = false, editorDestroyed = false;
    auto* effect = new ClosingProbe(&effectDestroyed, &effectClosed);
    new ProbeEditor(effect, &editorDestroyed);
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(effectClosed);
    EXPECT_TRUE(effectDestroyed);
    EXPECT_TRUE(editorDestroyed);
}

TEST(EffectLifetime, RecordEntriesWithoutAnObjectDoNothing) {
    ProbeEffect effect(RecordingHost::callback);
    AEffect orphan = *effect.getAeffect();
    orphan.object = nullptr;
    EXPECT_EQ(orphan.dispatcher(&orphan, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(orphan.getParameter(&orphan, 0), 0.0f);
    orphan.setParameter(&orphan, 0, 1.0f);
    orphan.processReplacing(&orphan, nullptr, nullptr, 16);
    EXPECT_EQ(orphan.dispatcher(nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
}

// The handle the loaded module stored for itself at load time is that
// module's own base address. The variable is not exported, so its place is
// read from the module's symbol table and looked up in the loaded image.
TEST(ModuleHandle, TheLoadedModuleStoresItsOwnBaseAddress) {
    const std::string& path = PluginLibrary::instance().path();
    const std::string command = "nm '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    unsigned long long offset = 0;
    bool found = false;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        unsigned long long address = 0;
        char type = 0;
        char name[256];
        if (std::sscanf(line, "%llx %c %255s", &address, &type, name) == 3 && std::string(name) == "hInstance") {
            offset = address;
            found = true;
        }
    }
    ASSERT_EQ(pclose(pipe), 0);
    ASSERT_TRUE(found) << "no hInstance in the symbol table of " << path;

    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(PluginLibrary::instance().entry("VSTPluginMain")), &info), 0);
    ASSERT_EQ(std::string(info.dli_fname), path);
    void* const* storedHandle = reinterpret_cast<void* const*>(static_cast<char*>(info.dli_fbase) + offset);
    EXPECT_EQ(*storedHandle, info.dli_fbase);
}

}  // namespace
