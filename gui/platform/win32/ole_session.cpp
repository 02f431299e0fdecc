#include "gui/platform/win32/ole_session.h"

#include <ole2.h>

bool beginOleSession() {
    // S_FALSE: already on for this thread, but counted all the same.
    const HRESULT result = OleInitialize(nullptr);
    return result == S_OK || result == S_FALSE;
}

void endOleSession() { OleUninitialize(); }
