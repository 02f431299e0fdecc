// The loaded module's own handle: what the editor needs to find the
// plug-in's artwork. The only state instances share.
#pragma once

// On Windows the HINSTANCE stored at library load; elsewhere the base address
// of the loaded module, which identifies it as uniquely.
extern void* hInstance;

// The file the module was loaded from, or an empty text when unknown.
const char* modulePath();
