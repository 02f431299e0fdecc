#include "tools/oscinda-host/plot.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tools/oscinda-host/audio_file.h"
#include "tools/oscinda-host/envelope.h"
#include "tools/oscinda-host/file_paths.h"
#include "tools/oscinda-host/pending_file.h"
#include "tools/oscinda-host/tool_error.h"

extern char** environ;

namespace {

const char* const kColours[] = {"#6b6b6b", "#1f5fbf", "#d9531e", "#2a9d3a", "#8e44ad", "#b8860b"};

// A scratch file in the temporary folder, removed when it goes out of scope.
class ScratchFile {
public:
    explicit ScratchFile(const char* suffix) {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern =
            std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/oscinda-host-XXXXXX" + suffix;
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        const int descriptor = mkstemps(buffer.data(), static_cast<int>(std::strlen(suffix)));
        if (descriptor < 0) throw ToolError(std::string("cannot create a temporary file: ") + std::strerror(errno));
        close(descriptor);
        path_ = buffer.data();
    }
    ~ScratchFile() { unlink(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// gnuplot's single-quoted strings know one escape: '' for '.
std::string gnuplotString(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line, last;
    // gnuplot names the failing line first and the reason after: keep the
    // last non-empty line, which carries the reason.
    while (std::getline(in, line))
        if (line.find_first_not_of(" \t^") != std::string::npos) last = line;
    return last;
}

void runGnuplot(const std::string& scriptPath, const std::string& errorPath) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorPath.c_str(), O_WRONLY | O_TRUNC, 0);
    std::string program = "gnuplot";
    std::vector<char*> argv = {program.data(), const_cast<char*>(scriptPath.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, "gnuplot", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        if (spawned == ENOENT) throw ToolError("cannot draw: gnuplot is not installed (Debian package gnuplot-nox)");
        throw ToolError(std::string("cannot run gnuplot: ") + std::strerror(spawned));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) throw ToolError(std::string("cannot wait for gnuplot: ") + std::strerror(errno));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string reason = firstLine(errorPath);
        throw ToolError("gnuplot failed" + (reason.empty() ? std::string() : ": " + reason));
    }
}

// The envelope of every channel of `path` between two times (end < 0: to
// the end), one point per `windowSeconds`.
EnvelopeTracker readEnvelope(const std::string& path, double windowSeconds, double startSeconds, double endSeconds) {
    AudioReader reader(path);
    const int rate = reader.sampleRate();
    const auto window = static_cast<std::int64_t>(std::llround(windowSeconds * rate));
    const auto first = static_cast<sf_count_t>(std::llround(startSeconds * rate));
    const sf_count_t last = endSeconds < 0.0 ? -1 : static_cast<sf_count_t>(std::llround(endSeconds * rate));
    EnvelopeTracker tracker(reader.channels(), window);
    constexpr sf_count_t kChunk = 4096;
    std::vector<float> buffer(static_cast<std::size_t>(kChunk * reader.channels()));
    sf_count_t position = 0;
    sf_count_t got = 0;
    while ((last < 0 || position < last) && (got = reader.read(buffer.data(), kChunk)) > 0) {
        const sf_count_t from = std::clamp<sf_count_t>(first - position, 0, got);
        const sf_count_t to = last < 0 ? got : std::clamp<sf_count_t>(last - position, 0, got);
        if (to > from) tracker.addInterleaved(buffer.data() + from * reader.channels(), to - from);
        position += got;
    }
    tracker.finish();
    return tracker;
}

}  // namespace

void drawEnvelopes(const std::vector<PlotTrack>& tracks, double startSeconds, double secondsPerPoint,
                   const std::string& title, const std::string& picturePath) {
    std::size_t points = 0;
    float loudest = 0.0f;
    for (const PlotTrack& track : tracks) {
        points = std::max(points, track.peaks.size());
        for (float peak : track.peaks) loudest = std::max(loudest, peak);
    }
    if (points == 0) throw ToolError("nothing to draw: no audio in the chosen time range");
    // Full scale unless something goes over it; never a zero-height axis.
    const double range = std::max(1.0, static_cast<double>(loudest)) * 1.05;
    const double duration = std::max(static_cast<double>(points) * secondsPerPoint, secondsPerPoint);

    ScratchFile data(".dat");
    {
        std::ofstream out(data.path());
        char line[64];
        for (std::size_t i = 0; i < points; ++i) {
            std::snprintf(line, sizeof line, "%.6f", startSeconds + static_cast<double>(i) * secondsPerPoint);
            out << line;
            for (const PlotTrack& track : tracks) {
                std::snprintf(line, sizeof line, " %.6g", i < track.peaks.size() ? track.peaks[i] : 0.0f);
                out << line;
            }
            out << '\n';
        }
        if (!out) throw ToolError("cannot write a temporary file for gnuplot");
    }

    const int panelHeight = 230;
    const int height = static_cast<int>(tracks.size()) * panelHeight + 70;
    std::ostringstream script;
    script << "if (strstrt(GPVAL_TERMINALS, 'pngcairo') > 0) {\n"
           << "  set terminal pngcairo size 1400," << height << " noenhanced font 'sans,10'\n"
           << "} else {\n"
           << "  set terminal png size 1400," << height << " noenhanced\n"
           << "}\n"
           << "set output " << gnuplotString(picturePath) << "\n"
           << "set multiplot layout " << tracks.size() << ",1 title " << gnuplotString(title) << "\n"
           << "set lmargin 9\nset rmargin 3\nset tmargin 1.5\nset bmargin 2\n"
           << "set xrange [" << startSeconds << ":" << startSeconds + duration << "]\n"
           << "set yrange [-" << range << ":" << range << "]\n"
           << "set grid xtics ytics lc rgb '#dddddd'\n"
           << "set mxtics 5\nset ytics 0.5\nset key top right box opaque\n"
           << "set style fill solid 0.55 noborder\n"
           << "set ylabel 'level'\n";
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const int column = static_cast<int>(i) + 2;
        const char* colour = kColours[i % (sizeof kColours / sizeof kColours[0])];
        if (i + 1 == tracks.size()) script << "set xlabel 'time (s)'\n";
        script << "plot " << gnuplotString(data.path()) << " using 1:(-$" << column << "):" << column
               << " with filledcurves lc rgb '" << colour << "' title " << gnuplotString(tracks[i].title) << ", \\\n"
               << "     '' using 1:" << column << " with lines lw 1 lc rgb '" << colour << "' notitle\n";
    }
    script << "unset multiplot\n";

    ScratchFile scriptFile(".gp");
    {
        std::ofstream out(scriptFile.path());
        out << script.str();
        if (!out) throw ToolError("cannot write a temporary file for gnuplot");
    }
    ScratchFile errors(".err");
    runGnuplot(scriptFile.path(), errors.path());
}

std::string envelopeTitle(const std::string& audioPath) { return baseName(audioPath) + ": peak level over time"; }

void runPlot(const PlotOptions& options) {
    checkDistinctFiles(options.audio, options.picture, "picture");
    if (!options.dryInput.empty()) checkDistinctFiles(options.dryInput, options.picture, "picture");

    double windowSeconds = 0.0;
    {
        AudioReader reader(options.audio);
        const int rate = reader.sampleRate();
        const sf_count_t length = reader.frames() > 0 ? reader.frames() : sf_count_t{rate} * 10;
        const auto first = static_cast<sf_count_t>(std::llround(options.fromSeconds * rate));
        const sf_count_t last = options.toSeconds < 0.0
                                    ? length
                                    : std::min(length, static_cast<sf_count_t>(std::llround(options.toSeconds * rate)));
        windowSeconds =
            static_cast<double>(EnvelopeTracker::windowFor(std::max<sf_count_t>(last - first, 1), rate)) / rate;
    }
    std::vector<PlotTrack> tracks;
    if (!options.dryInput.empty()) {
        const EnvelopeTracker dry =
            readEnvelope(options.dryInput, windowSeconds, options.fromSeconds, options.toSeconds);
        for (int c = 0; c < dry.channels(); ++c)
            tracks.push_back({dry.channels() == 1 ? "input" : "input " + std::to_string(c + 1), dry.peaks(c)});
    }
    const EnvelopeTracker wet = readEnvelope(options.audio, windowSeconds, options.fromSeconds, options.toSeconds);
    for (int c = 0; c < wet.channels(); ++c)
        tracks.push_back({baseName(options.audio) + ", channel " + std::to_string(c + 1), wet.peaks(c)});

    PendingFile picture(options.picture);
    drawEnvelopes(tracks, options.fromSeconds, windowSeconds, envelopeTitle(options.audio), picture.temporaryPath());
    picture.commit();
}
