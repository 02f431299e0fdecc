#include "tools/oscinda-host/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include "tools/oscinda-host/tool_error.h"

namespace {

// A loaded machine can be slow to start a server; a broken one never does.
constexpr int kStartTimeoutMilliseconds = 20000;
constexpr auto kStopTimeout = std::chrono::seconds(5);
constexpr int kExecFailed = 127;

class Pipe {
public:
    Pipe() {
        if (pipe2(ends_, O_CLOEXEC) != 0) throw ToolError(std::string("cannot start Xvfb: ") + std::strerror(errno));
    }
    ~Pipe() {
        closeRead();
        closeWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int read() const { return ends_[0]; }
    int write() const { return ends_[1]; }
    void closeRead() { closeEnd(0); }
    void closeWrite() { closeEnd(1); }

private:
    void closeEnd(int end) {
        if (ends_[end] >= 0) close(ends_[end]);
        ends_[end] = -1;
    }
    int ends_[2] = {-1, -1};
};

// Runs in the forked child: only calls that are safe after fork.
[[noreturn]] void runXvfb(int displayFd, const char* displayFdText, const char* screen, bool endWithParent,
                          pid_t parent) {
    if (endWithParent) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(kExecFailed);  // the parent is already gone
    }
    // The display number goes to displayFd, which must survive exec.
    fcntl(displayFd, F_SETFD, 0);
    const int quiet = open("/dev/null", O_RDWR);
    if (quiet >= 0) {
        dup2(quiet, STDIN_FILENO);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
    }
    execlp("Xvfb", "Xvfb", "-displayfd", displayFdText, "-screen", "0", screen, "-nolisten", "tcp", "-noreset",
           static_cast<char*>(nullptr));
    _exit(kExecFailed);
}

std::string readFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// The display number Xvfb writes when it is ready; empty if it ended first.
std::string readDisplayNumber(int fd) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMilliseconds);
    while (text.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) throw ToolError("Xvfb did not come up within 20 seconds");
        pollfd ready{fd, POLLIN, 0};
        const int polled = poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) continue;
        char chunk[32];
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return {};
        text.append(chunk, static_cast<std::size_t>(got));
    }
    text.resize(text.find('\n'));
    return text;
}

// True while the process runs; a zombie nobody reaps has ended too.
bool running(pid_t pid) {
    if (kill(pid, 0) != 0) return false;
    const std::string stat = readFirstLine("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() || stat[close + 2] != 'Z';
}

}  // namespace

XvfbServer::XvfbServer(const std::string& screen, bool endWithThisProcess) {
    Pipe ready;
    const pid_t parent = getpid();
    const std::string fdText = std::to_string(ready.write());
    pid_ = fork();
    if (pid_ < 0) throw ToolError(std::string("cannot start Xvfb: ") + std::strerror(errno));
    if (pid_ == 0) runXvfb(ready.write(), fdText.c_str(), screen.c_str(), endWithThisProcess, parent);
    ready.closeWrite();
    std::string number;
    try {
        number = readDisplayNumber(ready.read());
    } catch (...) {
        stopXvfb(pid_);
        throw;
    }
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
        pid_ = -1;
        if (WIFEXITED(status) && WEXITSTATUS(status) == kExecFailed)
            throw ToolError("cannot run Xvfb (Debian package xvfb) to open the editor without a display");
        throw ToolError("Xvfb stopped before it was ready");
    }
    displayName_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (pid_ > 0) stopXvfb(pid_);
}

void stopXvfb(pid_t pid) {
    if (pid <= 0 || kill(pid, SIGTERM) != 0) return;
    const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
    while (true) {
        const pid_t ended = waitpid(pid, nullptr, WNOHANG);
        // Not our child (a fixture stopping a server another process started):
        // nothing to reap, so wait for it to disappear.
        if (ended == pid || (ended < 0 && errno == ECHILD && !running(pid))) return;
        if (ended < 0 && errno != ECHILD && errno != EINTR) return;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
