// The window class of the editor's windows. Window classes belong to the
// process, so each loaded copy of the module registers its own, named after
// its module handle: two copies (a 32-bit bridge, a renamed DLL) never share
// one whose window procedure lives in the other. The class stays registered
// while any editor window of this module holds it and goes with the last, so
// that nothing points into a module the host unloads.
#pragma once

#include <windows.h>

#include <string>

// The module's instance handle; the program's own when the code is linked
// into a program rather than a DLL.
HINSTANCE editorModuleInstance();
// This module's class name, e.g. "OscindaEditor6A400000".
std::wstring editorWindowClassName();

// Registers the class with procedure on the first hold; false (and no hold)
// when it cannot be registered. Any thread; each hold ends with one release.
bool holdEditorWindowClass(WNDPROC procedure);
// Ends one hold; the last one unregisters the class. Every window of the
// class must be destroyed by then.
void releaseEditorWindowClass();
