// oscinda-host: a command-line VST 2.4 host. Loads any plug-in module that
// follows the interface, shows what a host sees and renders audio through it.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tools/oscinda-host/editor.h"
#include "tools/oscinda-host/info.h"
#include "tools/oscinda-host/options.h"
#include "tools/oscinda-host/pending_file.h"
#include "tools/oscinda-host/plot.h"
#include "tools/oscinda-host/render.h"
#include "tools/oscinda-host/tool_error.h"

int main(int argc, char** argv) {
    installCleanupHandlers();
    try {
        const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        switch (line.command) {
        case Command::Help: std::cout << usageText(); break;
        case Command::Info: runInfo(line.info, std::cout); break;
        case Command::Render: runRender(line.render); break;
        case Command::Plot: runPlot(line.plot); break;
        case Command::Editor: runEditor(line.editor); break;
        }
        std::cout.flush();
        if (!std::cout) throw ToolError("cannot write to standard output");
        return 0;
    } catch (const ToolError& error) {
        std::cerr << "oscinda-host: " << error.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << "oscinda-host: out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << "oscinda-host: " << error.what() << "\n";
    }
    return kExitFailure;
}
