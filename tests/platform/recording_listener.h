// A PlatformWindowListener that keeps every call it gets, with a pixel
// buffer for the backend to show.
#pragma once

#include <string>
#include <vector>

#include "gui/platform/platform_window.h"

struct ListenerCall {
    std::string kind;  // down, moved, up, wheel, keydown, keyup, expose
    CPoint where;
    CButtonState buttons = 0;
    float distance = 0.0f;
    VstKeyCode key{};
    CRect area;
};

class RecordingListener : public PlatformWindowListener {
public:
    RecordingListener(int width, int height) : pixels(width, height) {}

    void onPlatformMouseDown(CPoint where, CButtonState buttons) override { add("down", where, buttons); }
    void onPlatformMouseMoved(CPoint where, CButtonState buttons) override { add("moved", where, buttons); }
    void onPlatformMouseUp(CPoint where, CButtonState buttons) override { add("up", where, buttons); }
    void onPlatformWheel(CPoint where, float distance, CButtonState buttons) override {
        add("wheel", where, buttons).distance = distance;
    }
    bool onPlatformKeyDown(const VstKeyCode& key) override {
        add("keydown", {}, 0).key = key;
        return true;
    }
    bool onPlatformKeyUp(const VstKeyCode& key) override {
        add("keyup", {}, 0).key = key;
        return true;
    }
    void onPlatformExpose(const CRect& area) override { add("expose", {}, 0).area = area; }
    const PixelBuffer& platformPixels() const override { return pixels; }

    std::vector<ListenerCall> callsOf(const std::string& kind) const {
        std::vector<ListenerCall> matching;
        for (const ListenerCall& call : calls)
            if (call.kind == kind) matching.push_back(call);
        return matching;
    }

    PixelBuffer pixels;
    std::vector<ListenerCall> calls;

private:
    ListenerCall& add(const char* kind, CPoint where, CButtonState buttons) {
        ListenerCall call;
        call.kind = kind;
        call.where = where;
        call.buttons = buttons;
        calls.push_back(call);
        return calls.back();
    }
};

// A picture in which every pixel differs from its neighbours in all three
// channels, so a shifted, swapped or truncated copy shows.
inline void paintGradient(PixelBuffer& pixels, int seed = 0) {
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.at(x, y) = pixelOf(static_cast<std::uint8_t>(x * 7 + seed), static_cast<std::uint8_t>(y * 5 + x),
                                      static_cast<std::uint8_t>(x * 3 + y * 11 + seed * 3));
}
