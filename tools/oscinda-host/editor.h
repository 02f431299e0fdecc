// `editor`: a plug-in's editor opened in an X11 window and saved as PNG,
// optionally left open for a person to try.
#pragma once

#include "tools/oscinda-host/options.h"

void runEditor(const EditorOptions& options);
