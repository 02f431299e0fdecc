// The artwork as the module's own RT_BITMAP resources (resources/oscinda.rc,
// linked in by windres): the packed DIB bytes Windows keeps mapped for as
// long as the module is loaded.
#include <windows.h>

#include "gui/bitmap_resources.h"
#include "host/module_handle.h"

ResourceBytes findBitmapResource(int id) {
    if (id <= 0 || id > 0xFFFF) return {nullptr, 0};  // not a resource ordinal
    // Null outside a DLL: then the code is linked into a program, whose own
    // resources are the ones meant.
    const auto module = static_cast<HMODULE>(hInstance);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (found == nullptr) return {nullptr, 0};
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr || size == 0) return {nullptr, 0};
    const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
    if (bytes == nullptr) return {nullptr, 0};
    return {bytes, size};
}
