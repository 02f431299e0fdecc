#include "host/module_handle.h"

void* hInstance = nullptr;

#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    hInstance = instance;
    return TRUE;
}

const char* modulePath() {
    static char path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(hInstance), path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH] = '\0';
    return path;
}

#else
#include <dlfcn.h>

namespace {

Dl_info moduleInfo() {
    Dl_info info{};
    // Any address inside this module names it.
    if (dladdr(reinterpret_cast<void*>(&modulePath), &info) == 0) info = Dl_info{};
    return info;
}

// Runs when the library is loaded, as the Windows load notification does.
__attribute__((constructor)) void storeModuleHandle() { hInstance = moduleInfo().dli_fbase; }

}  // namespace

const char* modulePath() {
    const Dl_info info = moduleInfo();
    return info.dli_fname != nullptr ? info.dli_fname : "";
}
#endif
