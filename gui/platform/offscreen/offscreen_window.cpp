// A frame without a window: it draws into its pixel buffer only. What tests
// and pictures use, and what every platform falls back to without a parent.
#include "gui/platform/platform_window.h"

namespace {

class OffscreenWindow : public PlatformWindow {
public:
    void processEvents() override {}
    void present(const CRect&) override {}
    bool isAlive() const override { return true; }
    void* nativeHandle() const override { return nullptr; }
};

}  // namespace

std::unique_ptr<PlatformWindow> createPlatformWindow(void*, const CRect&, PlatformWindowListener&) {
    return std::make_unique<OffscreenWindow>();
}
