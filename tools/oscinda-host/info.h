// `info`: what a host sees of a plug-in, as text for people or JSON for programs.
#pragma once

#include <ostream>

#include "tools/oscinda-host/options.h"

void runInfo(const InfoOptions& options, std::ostream& out);
