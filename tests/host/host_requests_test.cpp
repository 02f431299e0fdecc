// What the frame asks of its host, and that it asks nothing without one.
#include <vector>

#include "tests/host/probe_effect.h"
#include "tests/support/plugin_host.h"

namespace {

TEST(HostRequests, EachRequestCarriesTheRecordAndItsArguments) {
    RecordingHost host;
    ProbeEffect effect(RecordingHost::callback);
    auto* editor = new ProbeEditor(&effect, nullptr);

    effect.setParameterAutomated(2, 0.625f);
    effect.updateDisplay();
    editor->beginEdit(3);
    editor->endEdit(3);
    effect.masterIdle();

    const struct {
        VstInt32 opcode;
        VstInt32 index;
        float opt;
    } expected[] = {
        {audioMasterAutomate, 2, 0.625f}, {audioMasterUpdateDisplay, 0, 0.0f}, {audioMasterBeginEdit, 3, 0.0f},
        {audioMasterEndEdit, 3, 0.0f},    {audioMasterIdle, 0, 0.0f},
    };
    ASSERT_EQ(host.calls.size(), std::size(expected));
    for (std::size_t i = 0; i < host.calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(host.calls[i].effect, effect.getAeffect());
        EXPECT_EQ(host.calls[i].opcode, expected[i].opcode);
        EXPECT_EQ(host.calls[i].index, expected[i].index);
        EXPECT_EQ(host.calls[i].value, 0);
        EXPECT_EQ(host.calls[i].ptr, nullptr);
        EXPECT_EQ(host.calls[i].opt, expected[i].opt);
    }
}

// An effect that keeps what it is set to, so a host can read it back.
class KeepingEffect : public ProbeEffect {
public:
    using ProbeEffect::ProbeEffect;
    void setParameter(VstInt32 index, float value) override {
        if (index >= 0 && index < kKept) values_[index] = value;
    }
    float getParameter(VstInt32 index) override { return index >= 0 && index < kKept ? values_[index] : 0.0f; }

private:
    static constexpr VstInt32 kKept = 8;
    float values_[kKept] = {};
};

// What the effect held, read through its record, when it reported automation.
float heldWhenReported = -1.0f;

VstIntPtr VSTCALLBACK readBackOnAutomate(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                         float opt) {
    if (opcode == audioMasterAutomate && effect != nullptr) heldWhenReported = effect->getParameter(effect, index);
    return RecordingHost::callback(effect, opcode, index, value, ptr, opt);
}

TEST(HostRequests, AutomationReportsTheValueAfterSettingIt) {
    RecordingHost host;
    heldWhenReported = -1.0f;
    KeepingEffect effect(readBackOnAutomate);
    effect.setParameterAutomated(1, 0.25f);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[0].index, 1);
    EXPECT_EQ(host.calls[0].opt, 0.25f);
    EXPECT_EQ(heldWhenReported, 0.25f) << "the host heard of the change before the parameter held it";
}

TEST(HostRequests, WithoutACallbackNothingIsAskedAndNothingBreaks) {
    RecordingHost host;
    ProbeEffect effect(nullptr);
    effect.setParameterAutomated(0, 1.0f);
    EXPECT_FALSE(effect.updateDisplay());
    EXPECT_FALSE(effect.beginEdit(0));
    EXPECT_FALSE(effect.endEdit(0));
    effect.masterIdle();
    EXPECT_EQ(effect.getMasterVersion(), 1);
    char text[8] = "x";
    EXPECT_FALSE(effect.getHostVendorString(text));
    EXPECT_STREQ(text, "");
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
