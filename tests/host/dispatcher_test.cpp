// Every opcode a host may send, with the answer it gets and what it reaches.
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/host/probe_effect.h"
#include "tests/support/plugin_host.h"

namespace {

constexpr unsigned char kSentinel = 0xA5;

struct AnswerRow {
    const char* name;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    VstIntPtr expected;
};

// Opcodes whose answer does not depend on the effect's own state. Each gets
// a sentinel-filled buffer as ptr, which none of them may write.
const std::vector<AnswerRow> kFixedAnswers = {
    {"effOpen", effOpen, 0, 0, 0},
    {"effGetVu", effGetVu, 0, 0, 0},
    {"effSetBlockSize", effSetBlockSize, 0, 512, 0},
    {"effMainsChanged off", effMainsChanged, 0, 0, 0},
    {"effMainsChanged on", effMainsChanged, 0, 1, 0},
    {"effMainsChanged 2", effMainsChanged, 0, 2, 0},
    {"effEditDraw", effEditDraw, 0, 0, 0},
    {"effEditMouse", effEditMouse, 0, 0, 0},
    {"effEditKey", effEditKey, 0, 0, 0},
    {"effEditTop", effEditTop, 0, 0, 0},
    {"effEditSleep", effEditSleep, 0, 0, 0},
    {"effIdentify", effIdentify, 0, 0, 0x4E764566},
    {"effGetChunk program", effGetChunk, 1, 0, 0},
    {"effGetChunk bank", effGetChunk, 0, 0, 0},
    {"effSetChunk", effSetChunk, 0, 64, 0},
    {"effProcessEvents", effProcessEvents, 0, 0, 0},
    {"effCanBeAutomated 0", effCanBeAutomated, 0, 0, 1},
    {"effCanBeAutomated 5", effCanBeAutomated, 5, 0, 1},
    {"effCanBeAutomated 99", effCanBeAutomated, 99, 0, 1},
    {"effCanBeAutomated -1", effCanBeAutomated, -1, 0, 1},
    {"effString2Parameter", effString2Parameter, 0, 0, 0},
    {"effGetNumProgramCategories", effGetNumProgramCategories, 0, 0, 0},
    {"effCopyProgram", effCopyProgram, 1, 0, 0},
    {"effConnectInput", effConnectInput, 0, 1, 0},
    {"effConnectOutput", effConnectOutput, 0, 1, 0},
    {"effGetInputProperties", effGetInputProperties, 0, 0, 0},
    {"effGetOutputProperties", effGetOutputProperties, 1, 0, 0},
    {"effGetPlugCategory", effGetPlugCategory, 0, 0, kPlugCategEffect},
    {"effGetCurrentPosition", effGetCurrentPosition, 0, 0, 0},
    {"effGetDestinationBuffer", effGetDestinationBuffer, 0, 0, 0},
    {"effOfflineNotify", effOfflineNotify, 1, 2, 0},
    {"effOfflinePrepare", effOfflinePrepare, 0, 1, 0},
    {"effOfflineRun", effOfflineRun, 0, 1, 0},
    {"effProcessVarIo", effProcessVarIo, 0, 0, 0},
    {"effSetSpeakerArrangement", effSetSpeakerArrangement, 0, 0, 0},
    {"effSetBlockSizeAndSampleRate", effSetBlockSizeAndSampleRate, 0, 256, 0},
    {"effSetBypass on", effSetBypass, 0, 1, 0},
    {"effGetErrorText", effGetErrorText, 0, 0, 0},
    {"effGetVendorVersion", effGetVendorVersion, 0, 0, 1000},
    {"effVendorSpecific", effVendorSpecific, 7, 9, 0},
    {"effGetTailSize", effGetTailSize, 0, 0, 0},
    {"effIdle", effIdle, 0, 0, 0},
    {"effGetIcon", effGetIcon, 0, 0, 0},
    {"effSetViewPosition", effSetViewPosition, 10, 20, 0},
    {"effGetParameterProperties", effGetParameterProperties, 0, 0, 0},
    {"effKeysRequired", effKeysRequired, 0, 0, 0},
    {"effGetVstVersion", effGetVstVersion, 0, 0, 2400},
    {"effGetMidiProgramName", effGetMidiProgramName, 0, 0, 0},
    {"effGetCurrentMidiProgram", effGetCurrentMidiProgram, 0, 0, -1},
    {"effGetMidiProgramCategory", effGetMidiProgramCategory, 0, 0, 0},
    {"effHasMidiProgramsChanged", effHasMidiProgramsChanged, 0, 0, 0},
    {"effGetMidiKeyName", effGetMidiKeyName, 0, 0, 0},
    {"effBeginSetProgram", effBeginSetProgram, 0, 0, 0},
    {"effEndSetProgram", effEndSetProgram, 0, 0, 0},
    {"effShellGetNextPlugin", effShellGetNextPlugin, 0, 0, 0},
    {"effStartProcess", effStartProcess, 0, 0, 0},
    {"effStopProcess", effStopProcess, 0, 0, 0},
    {"effSetTotalSampleToProcess", effSetTotalSampleToProcess, 0, 4096, 4096},
    {"effSetTotalSampleToProcess negative", effSetTotalSampleToProcess, 0, -1, -1},
    {"effSetPanLaw", effSetPanLaw, 0, 1, 0},
    {"effBeginLoadBank", effBeginLoadBank, 0, 0, 0},
    {"effBeginLoadProgram", effBeginLoadProgram, 0, 0, 0},
    {"effSetProcessPrecision double", effSetProcessPrecision, 0, 1, 0},
    {"effGetNumMidiInputChannels", effGetNumMidiInputChannels, 0, 0, 0},
    {"effGetNumMidiOutputChannels", effGetNumMidiOutputChannels, 0, 0, 0},
    {"opcode 80", 80, 0, 0, 0},
    {"opcode 1000", 1000, 0, 0, 0},
    {"opcode -1", -1, 0, 0, 0},
    {"opcode INT_MIN", INT_MIN, 0, 0, 0},
};

using DispatcherTest = PluginTest;

TEST_F(DispatcherTest, EveryFixedOpcodeAnswersAndLeavesTheHostsBufferAlone) {
    for (const AnswerRow& row : kFixedAnswers) {
        SCOPED_TRACE(row.name);
        unsigned char buffer[512];
        std::memset(buffer, kSentinel, sizeof buffer);
        EXPECT_EQ(dispatch(row.opcode, row.index, row.value, buffer, 0.0f), row.expected);
        for (unsigned char byte : buffer) ASSERT_EQ(byte, kSentinel);
    }
}

TEST_F(DispatcherTest, IdentityTextsAnswerOne) {
    const struct {
        VstInt32 opcode;
        const char* expected;
    } rows[] = {
        {effGetEffectName, "Oscinda"},
        {effGetVendorString, "Zelmora"},
        {effGetProductString, "Oscinda"},
    };
    for (const auto& row : rows) {
        char buffer[256];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(dispatch(row.opcode, 0, 0, buffer), 1);
        EXPECT_STREQ(buffer, row.expected);
    }
}

TEST_F(DispatcherTest, CanDoAnswersZeroToEveryCapability) {
    for (const char* capability : {"receiveVstMidiEvent", "sendVstEvents", "bypass", "plugAsChannelInsert", ""}) {
        std::string text = capability;
        EXPECT_EQ(dispatch(effCanDo, 0, 0, text.data()), 0) << capability;
    }
    EXPECT_EQ(dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(DispatcherTest, ProgramIndexOnlyTakesValuesInsideTheBank) {
    EXPECT_EQ(dispatch(effGetProgram), 0);
    const struct {
        VstIntPtr value;
        VstIntPtr programAfter;
    } rows[] = {{3, 3}, {16, 3}, {100, 3}, {-1, 3}, {15, 15}, {0, 0}, {INT_MIN, 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(dispatch(effSetProgram, 0, row.value), 0);
        EXPECT_EQ(dispatch(effGetProgram), row.programAfter) << "after effSetProgram " << row.value;
    }
}

TEST_F(DispatcherTest, SpeakerArrangementQueryClearsOnlyTheLocationsGiven) {
    void* input = &input;
    void* output = &output;
    EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);

    output = &output;
    EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ(output, nullptr);
    input = &input;
    EXPECT_EQ(dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), nullptr), 0);
    EXPECT_EQ(input, nullptr);
}

TEST_F(DispatcherTest, ChunkRequestLeavesTheLocationUnwritten) {
    void* location = &location;
    EXPECT_EQ(dispatch(effGetChunk, 0, 0, &location), 0);
    EXPECT_EQ(location, &location);
    EXPECT_EQ(dispatch(effGetChunk, 1, 0, nullptr), 0);
}

// The frame alone, on an effect that records what the dispatcher reached.
class FrameDispatchTest : public testing::Test {
protected:
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) {
        AEffect* record = effect->getAeffect();
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }

    RecordingHost host;
    std::unique_ptr<ProbeEffect> effect = std::make_unique<ProbeEffect>(RecordingHost::callback);
};

TEST_F(FrameDispatchTest, OpcodesReachTheirOperationWithTheirArguments) {
    char text[64] = "name";
    int chunkLocation = 0;
    const struct {
        const char* operation;
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        void* ptr;
        float opt;
        OperationRecord expected;
    } rows[] = {
        {"effOpen", effOpen, 0, 0, nullptr, 0.0f, {"open"}},
        {"effClose via dispatcher", effClose, 0, 0, nullptr, 0.0f, {"close"}},
        {"effSetProgram", effSetProgram, 0, 7, nullptr, 0.0f, {"setProgram", 7}},
        {"effSetProgramName", effSetProgramName, 0, 0, text, 0.0f, {"setProgramName", 0, 0, text}},
        {"effGetProgramName", effGetProgramName, 0, 0, text, 0.0f, {"getProgramName", 0, 0, text}},
        {"effGetParamLabel", effGetParamLabel, 3, 0, text, 0.0f, {"getParameterLabel", 3, 0, text}},
        {"effGetParamDisplay", effGetParamDisplay, 4, 0, text, 0.0f, {"getParameterDisplay", 4, 0, text}},
        {"effGetParamName", effGetParamName, 5, 0, text, 0.0f, {"getParameterName", 5, 0, text}},
        {"effSetSampleRate", effSetSampleRate, 0, 0, nullptr, 48000.0f, {"setSampleRate", 0, 0, nullptr, 48000.0f}},
        {"effSetBlockSize", effSetBlockSize, 0, 333, nullptr, 0.0f, {"setBlockSize", 333}},
        {"effMainsChanged 0", effMainsChanged, 0, 0, nullptr, 0.0f, {"suspend"}},
        {"effMainsChanged 2", effMainsChanged, 0, 2, nullptr, 0.0f, {"resume"}},
        {"effGetChunk preset", effGetChunk, 1, 0, &chunkLocation, 0.0f, {"getChunk", 1, 0, &chunkLocation}},
        {"effSetChunk bank", effSetChunk, 0, 99, text, 0.0f, {"setChunk", 0, 99, text}},
        {"effGetProgramNameIndexed", effGetProgramNameIndexed, 4, 2, text, 0.0f, {"getProgramNameIndexed", 2, 4, text}},
        {"effSetSpeakerArrangement",
         effSetSpeakerArrangement,
         0,
         0x1234,
         text,
         0.0f,
         {"setSpeakerArrangement", 0x1234, 0, text}},
        {"effSetBypass", effSetBypass, 0, 5, nullptr, 0.0f, {"setBypass", 1}},
        {"effSetPanLaw", effSetPanLaw, 0, 2, nullptr, 0.5f, {"setPanLaw", 2, 0, nullptr, 0.5f}},
        {"effVendorSpecific", effVendorSpecific, 11, 22, text, 1.5f, {"vendorSpecific", 11, 22, text, 1.5f}},
        {"effOfflineNotify", effOfflineNotify, 1, 3, text, 0.0f, {"offlineNotify", 3, 1, text}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.operation);
        effect->last = OperationRecord{};
        // The effect's own dispatcher: through the record, effClose would
        // also destroy the effect.
        effect->dispatcher(row.opcode, row.index, row.value, row.ptr, row.opt);
        EXPECT_EQ(effect->last.name, row.expected.name);
        EXPECT_EQ(effect->last.first, row.expected.first);
        EXPECT_EQ(effect->last.second, row.expected.second);
        EXPECT_EQ(effect->last.pointer, row.expected.pointer);
        EXPECT_EQ(effect->last.number, row.expected.number);
    }
    EXPECT_EQ(effect->getSampleRate(), 48000.0f);
    EXPECT_EQ(effect->getBlockSize(), 333);
}

TEST_F(FrameDispatchTest, EditorOpcodesWithoutAnEditorAnswerZeroAndTouchNothing) {
    ASSERT_EQ(effect->getAeffect()->flags & effFlagsHasEditor, 0);
    ERect* rect = reinterpret_cast<ERect*>(&rect);
    const struct {
        VstInt32 opcode;
        VstIntPtr value;
        void* ptr;
    } rows[] = {{effEditGetRect, 0, &rect},      {effEditOpen, 0, &rect},       {effEditClose, 0, nullptr},
                {effEditIdle, 0, nullptr},       {effEditKeyDown, 65, nullptr}, {effEditKeyUp, 65, nullptr},
                {effSetEditKnobMode, 2, nullptr}};
    for (const auto& row : rows) EXPECT_EQ(dispatch(row.opcode, 0, row.value, row.ptr), 0) << row.opcode;
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(&rect));
}

TEST_F(FrameDispatchTest, EditorOpcodesReachTheEditorAndCarryItsAnswers) {
    auto* editor = new ProbeEditor(effect.get(), nullptr);
    EXPECT_EQ(effect->getAeffect()->flags, effFlagsCanReplacing | effFlagsHasEditor);

    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 355);
    EXPECT_EQ(rect->right, 462);

    int window = 0;
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, &window), 1);
    EXPECT_TRUE(editor->isOpen());
    editor->openAnswer = false;
    EXPECT_EQ(dispatch(effEditOpen, 0, 0, &window), 0);
    EXPECT_EQ(dispatch(effEditIdle), 0);
    EXPECT_EQ(editor->idleCount, 1);
    EXPECT_EQ(dispatch(effEditClose), 0);
    EXPECT_FALSE(editor->isOpen());

    EXPECT_EQ(dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->getKnobMode(), 2);

    editor->keyAnswer = false;
    EXPECT_EQ(dispatch(effEditKeyUp, 65, 0, nullptr, 0.0f), 0);
    editor->keyAnswer = true;
    EXPECT_EQ(dispatch(effEditKeyDown, 65, 0, nullptr, 0.0f), 1);
}

TEST_F(FrameDispatchTest, KeyEventsAreBuiltFromIndexValueAndOpt) {
    auto* editor = new ProbeEditor(effect.get(), nullptr);
    const struct {
        VstInt32 index;
        VstIntPtr value;
        float opt;
        VstInt32 character;
        unsigned char virt;
        unsigned char modifier;
    } rows[] = {
        {65, 0x1FF, 2.9f, 65, 0xFF, 2},      {65, 0x1FF, -1.5f, 65, 0xFF, 0xFF}, {-3, 7, 0.0f, -3, 7, 0},
        {0, -1, 257.0f, 0, 0xFF, 1},         {0, 0, 1e30f, 0, 0, 0xFF},  // saturates rather than overflowing
        {0, 0, __builtin_nanf(""), 0, 0, 0},
    };
    for (const auto& row : rows) {
        for (VstInt32 opcode : {effEditKeyDown, effEditKeyUp}) {
            editor->lastKey = VstKeyCode{-1, 0, 0};
            dispatch(opcode, row.index, row.value, nullptr, row.opt);
            EXPECT_EQ(editor->lastKey.character, row.character);
            EXPECT_EQ(editor->lastKey.virt, row.virt);
            EXPECT_EQ(editor->lastKey.modifier, row.modifier) << "opt " << row.opt;
        }
    }
}

TEST(EditorBase, AnEditorThatReplacesNothingOffersNoRectangleAndDoesNotOpen) {
    ProbeEffect effect(RecordingHost::callback);
    auto* editor = new AEffEditor(&effect);
    AEffect* record = effect.getAeffect();
    ERect* rect = reinterpret_cast<ERect*>(&rect);
    EXPECT_EQ(record->dispatcher(record, effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(rect, nullptr);
    int window = 0;
    EXPECT_EQ(record->dispatcher(record, effEditOpen, 0, 0, &window, 0.0f), 0);
    EXPECT_TRUE(editor->isOpen());
    editor->close();
    EXPECT_FALSE(editor->isOpen());
    EXPECT_EQ(record->dispatcher(record, effSetEditKnobMode, 0, 1, nullptr, 0.0f), 0);
    VstKeyCode key{};
    EXPECT_FALSE(editor->onKeyDown(key));
    EXPECT_FALSE(editor->onWheel(1.0f));
}

}  // namespace
