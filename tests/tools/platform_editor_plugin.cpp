// A VST 2.4 plug-in whose editor is the widget layer's window seam: on
// effEditOpen it asks createPlatformWindow for a window inside the host's
// and shows editor_pattern.h, drawn into a pixel buffer, through it. So a
// host (the command-line tool) shows what the X11 backend really puts on
// screen inside a host's window. Its one parameter, "Width", sets the bar.
//
// EDITOR_PLUGIN_LOG=path appends "open display DISPLAY" (or "open offscreen"
// when the backend fell back), "idle" and "close" lines, as editor_plugin does.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "gui/platform/platform_window.h"
#include "host/aeffect.h"
#include "tests/tools/editor_pattern.h"

namespace {

class PatternFrame : public PlatformWindowListener {
public:
    void draw(float level) {
        pixels_ = PixelBuffer(editor_pattern::kWidth, editor_pattern::kHeight);
        for (const editor_pattern::Block& block : editor_pattern::blocks(level))
            for (int y = block.y; y < block.y + block.height; ++y)
                for (int x = block.x; x < block.x + block.width; ++x) pixels_.at(x, y) = 0xFF000000u | block.rgb;
    }

    void onPlatformMouseDown(CPoint, CButtonState) override {}
    void onPlatformMouseMoved(CPoint, CButtonState) override {}
    void onPlatformMouseUp(CPoint, CButtonState) override {}
    void onPlatformWheel(CPoint, float, CButtonState) override {}
    bool onPlatformKeyDown(const VstKeyCode&) override { return false; }
    bool onPlatformKeyUp(const VstKeyCode&) override { return false; }
    void onPlatformExpose(const CRect&) override {}
    const PixelBuffer& platformPixels() const override { return pixels_; }

private:
    PixelBuffer pixels_;
};

struct PlatformEditorPlugin {
    AEffect effect{};
    float level = 0.25f;
    ERect rect{0, 0, editor_pattern::kHeight, editor_pattern::kWidth};
    PatternFrame frame;
    std::unique_ptr<PlatformWindow> window;
    std::FILE* log = nullptr;
};

PlatformEditorPlugin* self(AEffect* effect) { return static_cast<PlatformEditorPlugin*>(effect->object); }

void note(PlatformEditorPlugin* plugin, const char* line, const char* detail = "") {
    if (plugin->log == nullptr) return;
    std::fprintf(plugin->log, "%s%s\n", line, detail);
    std::fflush(plugin->log);
}

VstIntPtr VSTCALLBACK dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void* ptr, float) {
    PlatformEditorPlugin* plugin = self(effect);
    switch (opcode) {
    case effClose:
        plugin->window.reset();
        if (plugin->log != nullptr) std::fclose(plugin->log);
        delete plugin;
        return 1;
    case effGetParamName:
        if (index == 0 && ptr != nullptr) std::strcpy(static_cast<char*>(ptr), "Width");
        return 0;
    case effEditGetRect:
        if (ptr != nullptr) *static_cast<ERect**>(ptr) = &plugin->rect;
        return 1;
    case effEditOpen: {
        plugin->frame.draw(plugin->level);
        plugin->window =
            createPlatformWindow(ptr, CRect(0, 0, editor_pattern::kWidth, editor_pattern::kHeight), plugin->frame);
        const char* display = std::getenv("DISPLAY");
        if (plugin->window->nativeHandle() != nullptr)
            note(plugin, "open display ", display != nullptr ? display : "");
        else
            note(plugin, "open offscreen");
        return 1;
    }
    case effEditIdle:
        if (plugin->window) {
            note(plugin, "idle");
            plugin->window->processEvents();
        }
        return 1;
    case effEditClose:
        if (plugin->window) note(plugin, "close");
        plugin->window.reset();
        return 1;
    default: return 0;
    }
}

void VSTCALLBACK setParameter(AEffect* effect, VstInt32 index, float value) {
    if (index == 0) self(effect)->level = value;
}

float VSTCALLBACK getParameter(AEffect* effect, VstInt32 index) { return index == 0 ? self(effect)->level : 0.0f; }

void VSTCALLBACK processReplacing(AEffect*, float** inputs, float** outputs, VstInt32 frames) {
    for (VstInt32 i = 0; i < frames; ++i) outputs[0][i] = inputs[0][i];
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback host) {
    if (host == nullptr) return nullptr;
    auto* plugin = new (std::nothrow) PlatformEditorPlugin;
    if (plugin == nullptr) return nullptr;
    AEffect& e = plugin->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.processReplacing = processReplacing;
    e.numParams = 1;
    e.numInputs = 1;
    e.numOutputs = 1;
    e.flags = effFlagsCanReplacing | effFlagsHasEditor;
    e.ioRatio = 1.0f;
    e.object = plugin;
    e.uniqueID = fourCharCode('P', 'f', 'E', 'd');
    e.version = 1;
    if (const char* path = std::getenv("EDITOR_PLUGIN_LOG")) plugin->log = std::fopen(path, "a");
    return &e;
}
