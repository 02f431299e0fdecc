// The effect record as a host finds it, the entry's two names, and the life
// of an instance from creation to effClose.
#include <dlfcn.h>

#include "tests/support/plugin_host.h"

namespace {

using RecordTest = PluginTest;

TEST_F(RecordTest, FreshRecordCarriesTheIdentityAndCounts) {
    EXPECT_EQ(effect->magic, 0x56737450);
    EXPECT_EQ(effect->numPrograms, 16);
    EXPECT_EQ(effect->numParams, 6);
    EXPECT_EQ(effect->numInputs, 1);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->realQualities, 0);
    EXPECT_EQ(effect->offQualities, 0);
    EXPECT_EQ(effect->resvd1, 0);
    EXPECT_EQ(effect->resvd2, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->flags, 0x11);  // replacing processing and an editor
    EXPECT_EQ(effect->uniqueID, 0x4F534344);
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->user, nullptr);
    EXPECT_NE(effect->object, nullptr);
    EXPECT_NE(effect->dispatcher, nullptr);
    EXPECT_NE(effect->process, nullptr);
    EXPECT_NE(effect->setParameter, nullptr);
    EXPECT_NE(effect->getParameter, nullptr);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_NE(effect->processDoubleReplacing, nullptr);
    for (char byte : effect->future) EXPECT_EQ(byte, 0);
}

// A host sizes the editor's window before it ever opens it.
TEST_F(RecordTest, EditorRectangleIsKnownBeforeTheWindowOpens) {
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 462);
    EXPECT_EQ(rect->bottom - rect->top, 355);
    EXPECT_EQ(dispatch(effEditOpen), 1);
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right, 462);
    dispatch(effEditClose);
}

}  // namespace
