// The two dispatcher layers: one table of handlers each, indexed by opcode.
// AudioEffectX's table covers opcodes 25..79 and hands every other opcode on;
// AudioEffect's covers 0..24 and answers 0 to the rest.
#include <array>

#include "host/aeffeditor.h"
#include "host/audioeffectx.h"
#include "host/saturating_cast.h"

namespace {

struct Call {
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

VstIntPtr answer(bool truth) { return truth ? 1 : 0; }

// A key event built from the dispatcher's arguments: the character from
// index, the virtual key from value's low byte, the modifiers from opt.
VstKeyCode keyCodeFrom(const Call& call) {
    VstKeyCode key{};
    key.character = call.index;
    key.virt = static_cast<unsigned char>(call.value & 0xFF);
    key.modifier = static_cast<unsigned char>(truncateToInt32(call.opt) & 0xFF);
    return key;
}

// A key event for the editor, when there is one; the editor's answer as 1 or 0.
VstIntPtr sendKey(AudioEffect& e, const Call& call, bool (AEffEditor::*handler)(VstKeyCode&)) {
    AEffEditor* editor = e.getEditor();
    if (editor == nullptr) return 0;
    VstKeyCode key = keyCodeFrom(call);
    return answer((editor->*handler)(key));
}

using BaseHandler = VstIntPtr (*)(AudioEffect&, const Call&);

constexpr VstInt32 kBaseOpcodeCount = effNumOpcodes;  // 0..24

std::array<BaseHandler, kBaseOpcodeCount> makeBaseTable() {
    std::array<BaseHandler, kBaseOpcodeCount> table{};
    table[effOpen] = [](AudioEffect& e, const Call&) -> VstIntPtr {
        e.open();
        return 0;
    };
    table[effClose] = [](AudioEffect& e, const Call&) -> VstIntPtr {
        e.close();
        return 0;
    };
    table[effSetProgram] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        // A negative index must never become the current program.
        if (c.value >= 0 && c.value < e.getNumPrograms()) e.setProgram(static_cast<VstInt32>(c.value));
        return 0;
    };
    table[effGetProgram] = [](AudioEffect& e, const Call&) -> VstIntPtr { return e.getProgram(); };
    table[effSetProgramName] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        e.setProgramName(static_cast<char*>(c.ptr));
        return 0;
    };
    table[effGetProgramName] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        e.getProgramName(static_cast<char*>(c.ptr));
        return 0;
    };
    table[effGetParamLabel] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        e.getParameterLabel(c.index, static_cast<char*>(c.ptr));
        return 0;
    };
    table[effGetParamDisplay] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        e.getParameterDisplay(c.index, static_cast<char*>(c.ptr));
        return 0;
    };
    table[effGetParamName] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        e.getParameterName(c.index, static_cast<char*>(c.ptr));
        return 0;
    };
    table[effSetSampleRate] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        e.setSampleRate(c.opt);
        return 0;
    };
    table[effSetBlockSize] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        e.setBlockSize(static_cast<VstInt32>(c.value));
        return 0;
    };
    table[effMainsChanged] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        if (c.value == 0)
            e.suspend();
        else
            e.resume();
        return 0;
    };
    table[effEditGetRect] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        AEffEditor* editor = e.getEditor();
        return editor != nullptr ? answer(editor->getRect(static_cast<ERect**>(c.ptr))) : 0;
    };
    table[effEditOpen] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        AEffEditor* editor = e.getEditor();
        return editor != nullptr ? answer(editor->open(c.ptr)) : 0;
    };
    table[effEditClose] = [](AudioEffect& e, const Call&) -> VstIntPtr {
        if (AEffEditor* editor = e.getEditor()) editor->close();
        return 0;
    };
    table[effEditIdle] = [](AudioEffect& e, const Call&) -> VstIntPtr {
        if (AEffEditor* editor = e.getEditor()) editor->idle();
        return 0;
    };
    table[effIdentify] = [](AudioEffect&, const Call&) -> VstIntPtr { return kEffectIdentifyAnswer; };
    table[effGetChunk] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        return e.getChunk(static_cast<void**>(c.ptr), c.index != 0);
    };
    table[effSetChunk] = [](AudioEffect& e, const Call& c) -> VstIntPtr {
        return e.setChunk(c.ptr, static_cast<VstInt32>(c.value), c.index != 0);
    };
    return table;
}

const std::array<BaseHandler, kBaseOpcodeCount> kBaseTable = makeBaseTable();

using ExtensionHandler = VstIntPtr (*)(AudioEffectX&, const Call&);

constexpr VstInt32 kFirstExtensionOpcode = effProcessEvents;  // 25
constexpr VstInt32 kExtensionOpcodeCount = effGetNumMidiOutputChannels - kFirstExtensionOpcode + 1;

template <typename T>
T* as(void* ptr) {
    return static_cast<T*>(ptr);
}

std::array<ExtensionHandler, kExtensionOpcodeCount> makeExtensionTable() {
    std::array<ExtensionHandler, kExtensionOpcodeCount> table{};
    auto row = [&table](VstInt32 opcode, ExtensionHandler handler) { table[opcode - kFirstExtensionOpcode] = handler; };
    row(effProcessEvents,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return e.processEvents(as<VstEvents>(c.ptr)); });
    row(effCanBeAutomated,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return answer(e.canParameterBeAutomated(c.index)); });
    row(effString2Parameter, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.string2parameter(c.index, as<char>(c.ptr)));
    });
    row(effGetProgramNameIndexed, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.getProgramNameIndexed(static_cast<VstInt32>(c.value), c.index, as<char>(c.ptr)));
    });
    row(effGetInputProperties, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.getInputProperties(c.index, as<VstPinProperties>(c.ptr)));
    });
    row(effGetOutputProperties, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.getOutputProperties(c.index, as<VstPinProperties>(c.ptr)));
    });
    row(effGetPlugCategory, [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.getPlugCategory(); });
    row(effOfflineNotify, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.offlineNotify(as<VstAudioFile>(c.ptr), static_cast<VstInt32>(c.value), c.index != 0));
    });
    row(effOfflinePrepare, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.offlinePrepare(as<VstOfflineTask>(c.ptr), static_cast<VstInt32>(c.value)));
    });
    row(effOfflineRun, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.offlineRun(as<VstOfflineTask>(c.ptr), static_cast<VstInt32>(c.value)));
    });
    row(effProcessVarIo, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.processVariableIo(as<VstVariableIo>(c.ptr)));
    });
    row(effSetSpeakerArrangement, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(c.value),
                                              as<VstSpeakerArrangement>(c.ptr)));
    });
    row(effSetBypass, [](AudioEffectX& e, const Call& c) -> VstIntPtr { return answer(e.setBypass(c.value != 0)); });
    row(effGetEffectName,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return answer(e.getEffectName(as<char>(c.ptr))); });
    row(effGetVendorString,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return answer(e.getVendorString(as<char>(c.ptr))); });
    row(effGetProductString,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return answer(e.getProductString(as<char>(c.ptr))); });
    row(effGetVendorVersion, [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.getVendorVersion(); });
    row(effVendorSpecific,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return e.vendorSpecific(c.index, c.value, c.ptr, c.opt); });
    row(effCanDo, [](AudioEffectX& e, const Call& c) -> VstIntPtr { return e.canDo(as<char>(c.ptr)); });
    row(effGetTailSize, [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.getGetTailSize(); });
    row(effGetParameterProperties, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.getParameterProperties(c.index, as<VstParameterProperties>(c.ptr)));
    });
    row(effGetVstVersion, [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.getVstVersion(); });
    row(effEditKeyDown,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return sendKey(e, c, &AEffEditor::onKeyDown); });
    row(effEditKeyUp, [](AudioEffectX& e, const Call& c) -> VstIntPtr { return sendKey(e, c, &AEffEditor::onKeyUp); });
    row(effSetEditKnobMode, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        AEffEditor* editor = e.getEditor();
        return editor != nullptr ? answer(editor->setKnobMode(static_cast<VstInt32>(c.value))) : 0;
    });
    row(effGetMidiProgramName, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return e.getMidiProgramName(c.index, as<VstMidiProgramName>(c.ptr));
    });
    row(effGetCurrentMidiProgram, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return e.getCurrentMidiProgram(c.index, as<VstMidiProgramName>(c.ptr));
    });
    row(effGetMidiProgramCategory, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return e.getMidiProgramCategory(c.index, as<VstMidiProgramCategory>(c.ptr));
    });
    row(effHasMidiProgramsChanged,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return answer(e.hasMidiProgramsChanged(c.index)); });
    row(effGetMidiKeyName, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.getMidiKeyName(c.index, as<VstMidiKeyName>(c.ptr)));
    });
    row(effBeginSetProgram, [](AudioEffectX& e, const Call&) -> VstIntPtr { return answer(e.beginSetProgram()); });
    row(effEndSetProgram, [](AudioEffectX& e, const Call&) -> VstIntPtr { return answer(e.endSetProgram()); });
    row(effGetSpeakerArrangement, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(c.value),
                                              as<VstSpeakerArrangement*>(c.ptr)));
    });
    row(effShellGetNextPlugin,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return e.getNextShellPlugin(as<char>(c.ptr)); });
    row(effStartProcess, [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.startProcess(); });
    row(effStopProcess, [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.stopProcess(); });
    row(effSetTotalSampleToProcess, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return e.setTotalSampleToProcess(static_cast<VstInt32>(c.value));
    });
    row(effSetPanLaw, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.setPanLaw(static_cast<VstInt32>(c.value), c.opt));
    });
    row(effBeginLoadBank,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return e.beginLoadBank(as<VstPatchChunkInfo>(c.ptr)); });
    row(effBeginLoadProgram,
        [](AudioEffectX& e, const Call& c) -> VstIntPtr { return e.beginLoadProgram(as<VstPatchChunkInfo>(c.ptr)); });
    row(effSetProcessPrecision, [](AudioEffectX& e, const Call& c) -> VstIntPtr {
        return answer(e.setProcessPrecision(static_cast<VstInt32>(c.value)));
    });
    row(effGetNumMidiInputChannels,
        [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.getNumMidiInputChannels(); });
    row(effGetNumMidiOutputChannels,
        [](AudioEffectX& e, const Call&) -> VstIntPtr { return e.getNumMidiOutputChannels(); });
    return table;
}

const std::array<ExtensionHandler, kExtensionOpcodeCount> kExtensionTable = makeExtensionTable();

}  // namespace

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    // Unsigned comparison: negative opcodes land far above the table.
    if (static_cast<std::uint32_t>(opcode) >= static_cast<std::uint32_t>(kBaseOpcodeCount)) return 0;
    const BaseHandler handler = kBaseTable[static_cast<std::size_t>(opcode)];
    return handler != nullptr ? handler(*this, Call{index, value, ptr, opt}) : 0;
}

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    const std::uint32_t row = static_cast<std::uint32_t>(opcode) - static_cast<std::uint32_t>(kFirstExtensionOpcode);
    if (row < static_cast<std::uint32_t>(kExtensionOpcodeCount)) {
        if (const ExtensionHandler handler = kExtensionTable[row]) return handler(*this, Call{index, value, ptr, opt});
    }
    return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
}
