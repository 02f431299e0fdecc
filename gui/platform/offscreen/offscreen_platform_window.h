// The backend without a window: the frame draws into its pixel buffer and
// nothing is shown. Used when the host gives no parent window and whenever a
// real window cannot be made, so an editor always has somewhere to draw.
#pragma once

#include "gui/platform/platform_window.h"

class OffscreenPlatformWindow : public PlatformWindow {
public:
    void processEvents() override {}
    void present(const CRect& /*area*/) override {}
    bool isAlive() const override { return true; }
    void* nativeHandle() const override { return nullptr; }
};
