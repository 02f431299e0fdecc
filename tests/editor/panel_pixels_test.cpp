// The panel as a user sees it: the whole picture at a known state against a
// committed reference, and the facts of its layout checked pixel by pixel.
#include <cstdlib>
#include <string>

#include "gui/bitmap_resources.h"
#include "gui/cbitmap.h"
#include "tests/editor/editor_fixture.h"
#include "tests/support/png_file.h"

namespace {

const std::string kReferenceFolder = OSCINDA_SOURCE_DIR "/tests/editor/reference/";

class PanelPixelsTest : public EditorTest {
protected:
    const PixelBuffer& pixels() { return frame().getPixels(); }
    Pixel at(int x, int y) { return pixels().at(x, y); }

    // The pixels of rect equal source's from sourceTop on, where source is
    // not pure white when keyed.
    void expectPicture(const CRect& rect, const PixelBuffer& source, int sourceTop, bool keyed) {
        int differing = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) {
                const Pixel wanted = source.at(x - rect.left, y - rect.top + sourceTop);
                if (keyed && (wanted & 0xFFFFFFu) == 0xFFFFFFu) continue;
                if (at(x, y) != wanted) ++differing;
            }
        EXPECT_EQ(differing, 0) << "pixels differing in (" << rect.left << ", " << rect.top << ")";
    }
};

// Compares the panel with a committed picture. OSCINDA_UPDATE_REFERENCES=1
// writes the picture instead (look at it before committing it).
void expectMatchesReference(const PixelBuffer& actual, const std::string& name) {
    const std::string reference = kReferenceFolder + name;
    if (std::getenv("OSCINDA_UPDATE_REFERENCES") != nullptr) {
        ASSERT_TRUE(writePng(reference, actual));
        return;
    }
    PixelBuffer expected;
    ASSERT_TRUE(readPng(reference, expected)) << "cannot read " << reference;
    if (actual == expected) return;
    const std::string written = testing::TempDir() + "actual-" + name;
    writePng(written, actual);
    int differing = 0;
    if (actual.width() == expected.width() && actual.height() == expected.height())
        for (int y = 0; y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x) differing += actual.at(x, y) != expected.at(x, y);
    ADD_FAILURE() << differing << " pixels differ from " << reference << "; the panel drawn is in " << written;
}

TEST_F(PanelPixelsTest, DefaultProgramMatchesTheReferencePicture) {
    openPanel();
    expectMatchesReference(pixels(), "panel-default.png");
}

TEST_F(PanelPixelsTest, MovedSettingsMatchTheReferencePicture) {
    setParameter(kDepthParam, 0.0f);
    setParameter(kMaxSpeedParam, 0.05f);
    setParameter(kSpeedParam, 0.1f);
    setParameter(kChangeRateParam, 0.5f);
    setParameter(kRandomParam, 1.0f);
    openPanel();
    expectMatchesReference(pixels(), "panel-moved.png");
}

TEST_F(PanelPixelsTest, HandleSitsAtTheTopForOneAndAtTheBottomForZero) {
    setParameter(kDepthParam, 0.0f);      // slider 0 at 1: top
    setParameter(kDepthParam + 3, 0.0f);  // Change Rate 0: slider 3 at 0, bottom
    openPanel();
    const CBitmap handle(kHandleBitmapId);
    ASSERT_TRUE(handle.isLoaded());
    expectPicture(CRect(66, 75, 80, 87), handle.getPixels(), 0, true);
    expectPicture(CRect(294, 222, 308, 234), handle.getPixels(), 0, true);
    // A value set while open moves the handle at the next idle, not before.
    setParameter(kDepthParam, 1.0f);
    expectPicture(CRect(66, 75, 80, 87), handle.getPixels(), 0, true);
    dispatch(effEditIdle);
    expectPicture(CRect(66, 222, 80, 234), handle.getPixels(), 0, true);
}

TEST_F(PanelPixelsTest, ReadoutBoxesAreFilledAndFramedInTheDisplayGrey) {
    openPanel();
    const Pixel grey = pixelOf(51, 51, 51);
    for (int left : {60, 136, 212, 288}) {
        SCOPED_TRACE(left);
        for (CPoint corner : {CPoint(left, 250), CPoint(left + 31, 250), CPoint(left, 263), CPoint(left + 31, 263)})
            EXPECT_EQ(at(corner.h, corner.v), grey);
        EXPECT_EQ(at(left + 1, 251), grey);  // inside, clear of the text
        EXPECT_NE(at(left - 1, 250), grey);  // the panel around it
    }
}

TEST_F(PanelPixelsTest, ButtonShowsOnForRandomOnAndOffForRandomOff) {
    const CBitmap onOff(kOnOffBitmapId);
    ASSERT_EQ(onOff.getHeight(), 30);
    const CRect buttonArea(288, 338, 318, 353);
    openPanel();  // Random off
    expectPicture(buttonArea, onOff.getPixels(), 15, false);
    setParameter(kRandomParam, 1.0f);
    dispatch(effEditIdle);
    expectPicture(buttonArea, onOff.getPixels(), 0, false);
}

}  // namespace
