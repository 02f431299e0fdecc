// A VST 2.4 plug-in with an editor, for testing hosts: on effEditOpen it
// makes a child of the host's X11 window on a display connection of its own
// and paints editor_pattern.h with plain Xlib, but only when idle comes, as
// editors that draw from a timer do. One parameter, "Width", sets the bar;
// program 1 sets it to 0.75. Built from host/aeffect.h and Xlib alone.
//
// Test switches, read from the environment when the entry is called:
//   EDITOR_PLUGIN_LOG=path    append "open VALUE_GIVEN DISPLAY", "idle" and
//                             "close" lines as the editor calls arrive
//                             ("crash DISPLAY" before a crash)
//   EDITOR_PLUGIN_FAULT=...   noeditor (the record announces none), refuse
//                             (effEditOpen answers 0), norect (no rectangle),
//                             huge (a 30000 x 30000 rectangle), crash (dies
//                             in effEditOpen)
#include <X11/Xlib.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "host/aeffect.h"
#include "tests/tools/editor_pattern.h"

namespace {

struct EditorPlugin {
    AEffect effect{};
    float level = 0.25f;
    VstIntPtr program = 0;
    ERect rect{0, 0, editor_pattern::kHeight, editor_pattern::kWidth};
    bool giveRect = true;
    bool refuseOpen = false;
    bool crashOnOpen = false;
    std::FILE* log = nullptr;
    Display* display = nullptr;
    Window window = 0;
    GC gc = nullptr;
};

EditorPlugin* self(AEffect* effect) { return static_cast<EditorPlugin*>(effect->object); }

void note(EditorPlugin* plugin, const char* line) {
    if (plugin->log == nullptr) return;
    std::fprintf(plugin->log, "%s\n", line);
    std::fflush(plugin->log);
}

unsigned long pixelFor(Visual* visual, std::uint32_t rgb) {
    const auto channel = [](unsigned long mask, std::uint32_t value8) {
        int shift = 0;
        while (mask != 0 && (mask & 1ul) == 0) {
            mask >>= 1;
            ++shift;
        }
        return ((value8 * mask + 127ul) / 255ul) << shift;
    };
    return channel(visual->red_mask, (rgb >> 16) & 0xff) | channel(visual->green_mask, (rgb >> 8) & 0xff) |
           channel(visual->blue_mask, rgb & 0xff);
}

void paint(EditorPlugin* plugin) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(plugin->display, plugin->window, &attributes);
    for (const editor_pattern::Block& block : editor_pattern::blocks(plugin->level)) {
        XSetForeground(plugin->display, plugin->gc, pixelFor(attributes.visual, block.rgb));
        XFillRectangle(plugin->display, plugin->window, plugin->gc, block.x, block.y,
                       static_cast<unsigned>(block.width), static_cast<unsigned>(block.height));
    }
    XFlush(plugin->display);
}

bool openEditor(EditorPlugin* plugin, VstIntPtr value, void* parent) {
    if (plugin->crashOnOpen) {
        if (plugin->log != nullptr) {
            const char* display = std::getenv("DISPLAY");
            std::fprintf(plugin->log, "crash %s\n", display != nullptr ? display : "");
            std::fflush(plugin->log);
        }
        std::raise(SIGSEGV);
    }
    if (plugin->refuseOpen || parent == nullptr || plugin->display != nullptr) return false;
    plugin->display = XOpenDisplay(nullptr);
    if (plugin->display == nullptr) return false;
    if (plugin->log != nullptr) {
        std::fprintf(plugin->log, "open %s %s\n", value != 0 ? "display" : "none", DisplayString(plugin->display));
        std::fflush(plugin->log);
    }
    plugin->window = XCreateSimpleWindow(plugin->display, static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent)),
                                         0, 0, editor_pattern::kWidth, editor_pattern::kHeight, 0, 0, 0);
    XSelectInput(plugin->display, plugin->window, ExposureMask);
    plugin->gc = XCreateGC(plugin->display, plugin->window, 0, nullptr);
    XMapWindow(plugin->display, plugin->window);
    XFlush(plugin->display);
    return true;
}

void idleEditor(EditorPlugin* plugin) {
    if (plugin->display == nullptr) return;
    note(plugin, "idle");
    while (XPending(plugin->display) > 0) {
        XEvent event;
        XNextEvent(plugin->display, &event);
    }
    paint(plugin);
}

void closeEditor(EditorPlugin* plugin) {
    if (plugin->display == nullptr) return;
    note(plugin, "close");
    XFreeGC(plugin->display, plugin->gc);
    XDestroyWindow(plugin->display, plugin->window);
    XCloseDisplay(plugin->display);
    plugin->display = nullptr;
}

void VSTCALLBACK setParameter(AEffect* effect, VstInt32 index, float value) {
    if (index == 0) self(effect)->level = value;
}

float VSTCALLBACK getParameter(AEffect* effect, VstInt32 index) { return index == 0 ? self(effect)->level : 0.0f; }

void VSTCALLBACK processReplacing(AEffect*, float** inputs, float** outputs, VstInt32 frames) {
    for (VstInt32 i = 0; i < frames; ++i) outputs[0][i] = inputs[0][i];
}

void copy(void* ptr, const char* text, std::size_t capacity) {
    if (ptr == nullptr) return;
    std::strncpy(static_cast<char*>(ptr), text, capacity);
    static_cast<char*>(ptr)[capacity - 1] = '\0';
}

VstIntPtr VSTCALLBACK dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float) {
    EditorPlugin* plugin = self(effect);
    switch (opcode) {
    case effClose:
        closeEditor(plugin);
        if (plugin->log != nullptr) std::fclose(plugin->log);
        delete plugin;
        return 1;
    case effSetProgram:
        if (value >= 0 && value < 2) {
            plugin->program = value;
            plugin->level = value == 0 ? 0.25f : 0.75f;
        }
        return 0;
    case effGetProgram: return plugin->program;
    case effGetProgramNameIndexed:
        if (index < 0 || index >= 2) return 0;
        copy(ptr, index == 0 ? "Narrow" : "Wide", kVstMaxProgNameLen);
        return 1;
    case effGetParamName:
        if (index == 0) copy(ptr, "Width", kVstMaxParamStrLen);
        return 0;
    case effGetEffectName: copy(ptr, "Pattern Editor", kVstMaxEffectNameLen); return 1;
    case effEditGetRect:
        if (ptr != nullptr) *static_cast<ERect**>(ptr) = plugin->giveRect ? &plugin->rect : nullptr;
        return plugin->giveRect ? 1 : 0;
    case effEditOpen: return openEditor(plugin, value, ptr) ? 1 : 0;
    case effEditIdle: idleEditor(plugin); return 1;
    case effEditClose: closeEditor(plugin); return 1;
    default: return 0;
    }
}

bool fault(const char* name) {
    const char* wanted = std::getenv("EDITOR_PLUGIN_FAULT");
    return wanted != nullptr && std::strcmp(wanted, name) == 0;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback host) {
    if (host == nullptr) return nullptr;
    EditorPlugin* plugin = new (std::nothrow) EditorPlugin;
    if (plugin == nullptr) return nullptr;
    AEffect& e = plugin->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.processReplacing = processReplacing;
    e.numPrograms = 2;
    e.numParams = 1;
    e.numInputs = 1;
    e.numOutputs = 1;
    e.flags = effFlagsCanReplacing | (fault("noeditor") ? 0 : effFlagsHasEditor);
    e.ioRatio = 1.0f;
    e.object = plugin;
    e.uniqueID = fourCharCode('P', 't', 'E', 'd');
    e.version = 1;
    plugin->giveRect = !fault("norect");
    if (fault("huge")) plugin->rect = ERect{0, 0, 30000, 30000};
    plugin->refuseOpen = fault("refuse");
    plugin->crashOnOpen = fault("crash");
    if (const char* path = std::getenv("EDITOR_PLUGIN_LOG")) plugin->log = std::fopen(path, "a");
    return &e;
}
