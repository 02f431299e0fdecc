// `render`: an audio file through a plug-in, block by block, into a new file.
#pragma once

#include "tools/oscinda-host/options.h"

void runRender(const RenderOptions& options);
