// Pictures of envelopes, drawn by gnuplot: one panel per track, each showing
// the per-window peak as a filled band around zero.
#pragma once

#include <string>
#include <vector>

#include "tools/oscinda-host/options.h"

struct PlotTrack {
    std::string title;
    std::vector<float> peaks;
};

// Draws `tracks` (all sampled every `secondsPerPoint`, the first point at
// `startSeconds`) into `picturePath`. Throws ToolError when gnuplot is
// missing or fails.
void drawEnvelopes(const std::vector<PlotTrack>& tracks, double startSeconds, double secondsPerPoint,
                   const std::string& title, const std::string& picturePath);

// The heading of a picture of `audioPath`.
std::string envelopeTitle(const std::string& audioPath);

// `plot`: reads AUDIO (and the optional dry input) and draws them.
void runPlot(const PlotOptions& options);
