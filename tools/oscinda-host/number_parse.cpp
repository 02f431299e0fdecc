#include "tools/oscinda-host/number_parse.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "tools/oscinda-host/tool_error.h"

namespace {

long long parseInteger(const std::string& text, const std::string& what) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(begin, &end, 10);
    if (text.empty() || end != begin + text.size() || errno == ERANGE)
        throw ToolError(what + ": '" + text + "' is not a whole number");
    return value;
}

}  // namespace

double parseNumber(const std::string& text, const std::string& what) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (text.empty() || end != begin + text.size() || errno == ERANGE || !std::isfinite(value))
        throw ToolError(what + ": '" + text + "' is not a number");
    return value;
}

int parseIntegerIn(const std::string& text, const std::string& what, int low, int high) {
    const long long number = parseInteger(text, what);
    if (number < low || number > high)
        throw ToolError(what + " " + text + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    return static_cast<int>(number);
}
