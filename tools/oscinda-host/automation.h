// Parameter automation: breakpoints in seconds, linearly interpolated and held
// flat before the first and after the last point.
#pragma once

#include <string>
#include <vector>

struct AutomationPoint {
    double seconds;
    double value;
};

struct AutomationCurve {
    std::string parameter;  // name or index, as typed
    std::vector<AutomationPoint> points;

    double valueAt(double seconds) const;
};

// Parses "NAME=T:V,T:V,...". Times must be finite, >= 0 and not decreasing;
// values must lie in 0..1. Throws ToolError otherwise.
AutomationCurve parseAutomation(const std::string& text);
