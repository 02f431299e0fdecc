#include "tools/oscinda-host/automation.h"

#include <utility>

#include "tools/oscinda-host/argument_reader.h"
#include "tools/oscinda-host/number_parse.h"
#include "tools/oscinda-host/tool_error.h"

double AutomationCurve::valueAt(double seconds) const {
    if (points.empty()) return 0.0;
    if (seconds <= points.front().seconds) return points.front().value;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const AutomationPoint& a = points[i - 1];
        const AutomationPoint& b = points[i];
        if (seconds < b.seconds) {
            // a.seconds < seconds < b.seconds here, so the span is never zero.
            const double t = (seconds - a.seconds) / (b.seconds - a.seconds);
            return a.value + (b.value - a.value) * t;
        }
    }
    return points.back().value;
}

AutomationCurve parseAutomation(const std::string& text) {
    auto [parameter, list] = splitAssignment(text, "--automate", "NAME=SECONDS:VALUE,...");
    AutomationCurve curve;
    curve.parameter = std::move(parameter);
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string point = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::size_t colon = point.find(':');
        if (colon == std::string::npos)
            throw ToolError("--automate " + curve.parameter + ": point '" + point + "' is not SECONDS:VALUE");
        const std::string what = "--automate " + curve.parameter;
        const double seconds = parseNumber(point.substr(0, colon), what + " time");
        const double value = parseNumber(point.substr(colon + 1), what + " value");
        if (seconds < 0.0) throw ToolError(what + ": time " + point.substr(0, colon) + " is negative");
        if (value < 0.0 || value > 1.0)
            throw ToolError(what + ": value " + point.substr(colon + 1) + " is outside 0..1");
        if (!curve.points.empty() && seconds < curve.points.back().seconds)
            throw ToolError(what + ": times must not decrease");
        curve.points.push_back({seconds, value});
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return curve;
}
