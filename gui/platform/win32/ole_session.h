// OLE on the thread that builds the editor: hosts and the system expect it
// there for drag and drop and the clipboard of the plug-in's window.
#pragma once

// Initialises OLE for the calling thread; true when it succeeded (also when
// it was already on), and then one endOleSession() must follow on the same
// thread.
bool beginOleSession();
void endOleSession();
