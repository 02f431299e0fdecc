#include "tests/tools/tool_runner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

const char* const kGainPluginPath = GAIN_PLUGIN_PATH;
const char* const kOscindaPluginPath = OSCINDA_PLUGIN_FILE;

namespace {

void removeTree(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            const std::string child = path + "/" + name;
            struct stat info {};
            if (lstat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
                chmod(child.c_str(), 0700);
                removeTree(child);
            } else {
                unlink(child.c_str());
            }
        }
        closedir(dir);
    }
    rmdir(path.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/oscinda-tool-test-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

ScratchFolder::~ScratchFolder() { removeTree(path_); }

std::vector<std::string> ScratchFolder::entries() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(path_.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

ToolResult runTool(const std::vector<std::string>& args, const Environment& environment) {
    ScratchFolder capture;
    const std::string outPath = capture / "stdout";
    const std::string errPath = capture / "stderr";

    std::vector<std::string> argStorage{OSCINDA_HOST_PATH};
    argStorage.insert(argStorage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStorage) argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStorage;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced =
            std::any_of(environment.begin(), environment.end(), [&](const auto& pair) { return pair.first == name; });
        if (!replaced) envStorage.push_back(entry);
    }
    for (const auto& pair : environment) envStorage.push_back(pair.first + "=" + pair.second);
    std::vector<char*> envp;
    for (std::string& entry : envStorage) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || in < 0) _exit(127);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {}
    ToolResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

void writeAudio(const std::string& path, const Audio& audio) {
    SF_INFO info{};
    info.channels = audio.channels;
    info.samplerate = audio.sampleRate;
    info.format = audio.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) throw std::runtime_error("cannot write test audio " + path + ": " + sf_strerror(nullptr));
    sf_writef_float(file, audio.samples.data(), static_cast<sf_count_t>(audio.frames()));
    sf_close(file);
}

Audio readAudio(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) throw std::runtime_error("cannot read test audio " + path + ": " + sf_strerror(nullptr));
    Audio audio;
    audio.channels = info.channels;
    audio.sampleRate = info.samplerate;
    audio.format = info.format;
    audio.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, audio.samples.data(), info.frames);
    audio.samples.resize(static_cast<std::size_t>(got * info.channels));
    sf_close(file);
    return audio;
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

Audio testSignal(int channels, int frames, int sampleRate, int format) {
    Audio audio;
    audio.channels = channels;
    audio.sampleRate = sampleRate;
    audio.format = format;
    audio.samples.resize(static_cast<std::size_t>(channels) * static_cast<std::size_t>(frames));
    unsigned noise = 12345u;
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double decay = std::exp(-3.0 * std::fmod(t, 0.5));
        for (int c = 0; c < channels; ++c) {
            noise = noise * 1664525u + 1013904223u;
            const double hiss = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.05;
            const double tone = std::sin(2.0 * pi * (220.0 + 110.0 * c) * t) + 0.5 * std::sin(2.0 * pi * 330.0 * t);
            audio.samples[static_cast<std::size_t>(i * channels + c)] = static_cast<float>(0.5 * decay * tone + hiss);
        }
    }
    return audio;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) result.push_back(line);
    return result;
}
