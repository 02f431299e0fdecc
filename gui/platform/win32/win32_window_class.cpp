#include "gui/platform/win32/win32_window_class.h"

#include <cstdint>

#include "host/module_handle.h"

namespace {

// Editors of several instances may open on different host threads.
SRWLOCK classLock = SRWLOCK_INIT;
int holds = 0;

bool registerClass(WNDPROC procedure) {
    const std::wstring name = editorWindowClassName();
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = procedure;
    description.hInstance = editorModuleInstance();
    description.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    description.lpszClassName = name.c_str();
    if (RegisterClassExW(&description) != 0) return true;
    // Left behind by an earlier load of this module at the same address that
    // never unregistered: replace it, unless windows of it still exist.
    if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    if (UnregisterClassW(name.c_str(), description.hInstance) == 0) return false;
    return RegisterClassExW(&description) != 0;
}

}  // namespace

HINSTANCE editorModuleInstance() {
    return hInstance != nullptr ? static_cast<HINSTANCE>(hInstance) : GetModuleHandleW(nullptr);
}

std::wstring editorWindowClassName() {
    auto value = reinterpret_cast<std::uintptr_t>(editorModuleInstance());
    std::wstring digits;
    do {
        digits.insert(digits.begin(), L"0123456789ABCDEF"[value % 16]);
        value /= 16;
    } while (value != 0);
    return L"OscindaEditor" + digits;
}

bool holdEditorWindowClass(WNDPROC procedure) {
    AcquireSRWLockExclusive(&classLock);
    const bool held = holds > 0 || registerClass(procedure);
    if (held) ++holds;
    ReleaseSRWLockExclusive(&classLock);
    return held;
}

void releaseEditorWindowClass() {
    AcquireSRWLockExclusive(&classLock);
    if (holds > 0 && --holds == 0) UnregisterClassW(editorWindowClassName().c_str(), editorModuleInstance());
    ReleaseSRWLockExclusive(&classLock);
}
