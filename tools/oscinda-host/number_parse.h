// Numbers typed on the command line: the whole text must be the number.
#pragma once

#include <string>

// Anything else (empty, trailing junk, nan, inf, out of range) throws
// ToolError with `what` in the message.
double parseNumber(const std::string& text, const std::string& what);

// A whole number in low..high; throws ToolError for anything else.
int parseIntegerIn(const std::string& text, const std::string& what, int low, int high);
