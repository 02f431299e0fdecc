// Starts and stops the X server the X11 suites share, as a CTest fixture:
//   xvfb_fixture start STATE   Xvfb on a free display; STATE gets ":N PID"
//   xvfb_fixture stop STATE    ends that server and removes STATE
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/oscinda-host/tool_error.h"
#include "tools/oscinda-host/xvfb_server.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: xvfb_fixture start|stop STATE\n";
        return 2;
    }
    const std::string command = argv[1];
    const std::string statePath = argv[2];
    try {
        if (command == "start") {
            XvfbServer server("1024x768x24", false);
            std::ofstream state(statePath, std::ios::trunc);
            state << server.displayName() << " " << server.pid() << "\n";
            if (!state.flush()) throw ToolError("cannot write " + statePath);
            std::cout << "Xvfb " << server.displayName() << " (process " << server.pid() << ")\n";
            server.detach();
            return 0;
        }
        if (command == "stop") {
            std::ifstream state(statePath);
            std::string display;
            long pid = 0;
            if (state >> display >> pid) stopXvfb(static_cast<pid_t>(pid));
            std::remove(statePath.c_str());
            return 0;
        }
    } catch (const ToolError& error) {
        std::cerr << "xvfb_fixture: " << error.what() << "\n";
        return 2;
    }
    std::cerr << "xvfb_fixture: unknown command " << command << "\n";
    return 2;
}
