// Every program selected and its name read, then named and read back by
// both name opcodes, as a validator walks a plug-in's program bank.
#include <string>

#include "tests/support/plugin_host.h"
#include "tests/validator/text_probe.h"

namespace {

using ValidatorPrograms = PluginTest;

constexpr VstInt32 kPrograms = 16;

TEST_F(ValidatorPrograms, EveryProgramSelectsAndNamesItself) {
    ASSERT_EQ(effect->numPrograms, kPrograms);
    TextProbe texts(*this);
    for (VstInt32 program = 0; program < kPrograms; ++program) {
        dispatch(effSetProgram, 0, program);
        EXPECT_EQ(dispatch(effGetProgram), program);
        EXPECT_EQ(texts.read(effGetProgramName), "Init " + std::to_string(program + 1));
        EXPECT_EQ(texts.read(effGetProgramNameIndexed, program), "Init");
        for (VstInt32 index = 0; index < effect->numParams; ++index) {
            const float value = getParameter(index);
            EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << "program " << program << " parameter " << index;
            texts.readAll(index, program);
        }
    }
}

TEST_F(ValidatorPrograms, NamesGivenAreReadBackByBothOpcodes) {
    TextProbe texts(*this);
    for (VstInt32 program = 0; program < kPrograms; ++program) {
        dispatch(effSetProgram, 0, program);
        // Every other name is longer than the 23 characters a name holds.
        std::string name =
            program % 2 ? std::string(30, static_cast<char>('a' + program)) : "Take " + std::to_string(program);
        dispatch(effSetProgramName, 0, 0, name.data());
        const std::string kept = name.substr(0, kVstMaxProgNameLen - 1);
        EXPECT_EQ(texts.read(effGetProgramName), kept);
        EXPECT_EQ(texts.read(effGetProgramNameIndexed, program), kept);
    }
    // Each name stayed with its own program.
    for (VstInt32 program = 0; program < kPrograms; ++program) {
        dispatch(effSetProgram, 0, program);
        EXPECT_EQ(texts.read(effGetProgramName), texts.read(effGetProgramNameIndexed, program)) << program;
    }
}

TEST_F(ValidatorPrograms, ProgramsOutsideTheBankChangeNothing) {
    TextProbe texts(*this);
    dispatch(effSetProgram, 0, 5);
    for (VstIntPtr outside : {VstIntPtr{-1}, VstIntPtr{kPrograms}, VstIntPtr{1000}, VstIntPtr{-2147483647 - 1}}) {
        dispatch(effSetProgram, 0, outside);
        EXPECT_EQ(dispatch(effGetProgram), 5) << outside;
        EXPECT_EQ(texts.read(effGetProgramNameIndexed, static_cast<VstInt32>(outside)), "") << outside;
    }
    EXPECT_EQ(texts.read(effGetProgramName), "Init 6");
}

}  // namespace
