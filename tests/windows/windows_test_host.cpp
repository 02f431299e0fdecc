#include "tests/windows/windows_test_host.h"

namespace {

bool closingOnAutomate = false;

VstIntPtr VSTCALLBACK recordingCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*,
                                        float opt) {
    hostCalls().push_back({effect, opcode, index, value, opt});
    if (opcode == audioMasterAutomate && closingOnAutomate && effect != nullptr) {
        closingOnAutomate = false;
        effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

LRESULT CALLBACK hostWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        keysReachingHostWindows().push_back(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t kHostWindowClass[] = L"OscindaEditorCheckHost";

}  // namespace

void closeEditorOnNextAutomate() { closingOnAutomate = true; }

std::vector<HostCall>& hostCalls() {
    static std::vector<HostCall> calls;
    return calls;
}

std::vector<HostCall> editRequests() {
    std::vector<HostCall> edits;
    for (const HostCall& call : hostCalls())
        if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
            call.opcode == audioMasterEndEdit)
            edits.push_back(call);
    return edits;
}

int requestCount(VstInt32 opcode) {
    int count = 0;
    for (const HostCall& call : hostCalls()) count += call.opcode == opcode;
    return count;
}

PluginModule::PluginModule(const std::string& path) {
    module = LoadLibraryA(path.c_str());
    if (module == nullptr) return;
    entry = reinterpret_cast<EntryFunction>(reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
}

PluginModule::~PluginModule() {
    if (module != nullptr) FreeLibrary(module);
}

AEffect* PluginModule::createEffect() const {
    if (entry == nullptr) return nullptr;
    AEffect* effect = entry(recordingCallback);
    return effect != nullptr && effect->magic == kEffectMagic ? effect : nullptr;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

HWND createHostWindow(int x, int y, int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = hostWindowProcedure;
        description.hInstance = GetModuleHandleW(nullptr);
        description.lpszClassName = kHostWindowClass;
        registered = RegisterClassExW(&description) != 0;
    }
    // A popup shown without activation: wine leaves such a window to itself,
    // where a managed one would wait 2 s on every destroy for a window
    // manager that Xvfb does not have.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    RECT outer{0, 0, width, height};
    AdjustWindowRect(&outer, style, FALSE);
    HWND window = CreateWindowExW(0, kHostWindowClass, L"editor_check", style, x, y, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
    }
    return window;
}

std::vector<WPARAM>& keysReachingHostWindows() {
    static std::vector<WPARAM> keys;
    return keys;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
