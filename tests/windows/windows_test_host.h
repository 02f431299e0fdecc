// The host side of the Windows editor check: the plug-in module loaded with
// LoadLibrary as a host loads it, effects created through VSTPluginMain with
// a callback that records every request, and top-level windows to open the
// editor in, with a message pump.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/aeffect.h"

struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
};

// Every request any effect made, in order.
std::vector<HostCall>& hostCalls();
// The edit requests alone (BeginEdit, Automate, EndEdit) since the calls were
// last cleared.
std::vector<HostCall> editRequests();
// How many requests with this opcode were made since the calls were cleared.
int requestCount(VstInt32 opcode);

// The next Automate request is answered by closing that effect's editor, as a
// host may do from inside a request.
void closeEditorOnNextAutomate();

class PluginModule {
public:
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const { return entry != nullptr; }
    HMODULE handle() const { return module; }
    // A new effect with the recording callback, or null.
    AEffect* createEffect() const;

private:
    using EntryFunction = AEffect* (*)(audioMasterCallback);
    HMODULE module = nullptr;
    EntryFunction entry = nullptr;
};

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f);

// A visible top-level window at (x, y) on the screen whose client area is
// width x height, as a host's editor window is.
HWND createHostWindow(int x, int y, int width, int height);
// The key messages (WM_KEYDOWN's virtual keys) that reached a host window.
std::vector<WPARAM>& keysReachingHostWindows();
// Delivers every message waiting for this thread's windows, paints included.
void pumpMessages();
