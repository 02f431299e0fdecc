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

// setParameterAutomated stores the value first and tells the host after, so
// a host that reads the parameter back on audioMasterAutomate sees it.
class SetParameterProbe : public ProbeEffect {
public:
    explicit SetParameterProbe(const RecordingHost& recordingHost)
        : ProbeEffect(RecordingHost::callback), host(recordingHost) {}
    void setParameter(VstInt32 index, float value) override {
        setIndex = index;
        setValue = value;
        hostCallsBeforeSet = host.calls.size();
    }

    const RecordingHost& host;
    VstInt32 setIndex = -1;
    float setValue = -1.0f;
    std::size_t hostCallsBeforeSet = 99;
};

TEST(HostRequests, AutomationStoresTheValueThenReportsIt) {
    RecordingHost host;
    SetParameterProbe effect(host);
    effect.setParameterAutomated(1, 0.25f);
    EXPECT_EQ(effect.setIndex, 1);
    EXPECT_EQ(effect.setValue, 0.25f);
    EXPECT_EQ(effect.hostCallsBeforeSet, 0u);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[0].index, 1);
    EXPECT_EQ(host.calls[0].opt, 0.25f);
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
