#include "tools/oscinda-host/file_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/oscinda-host/tool_error.h"

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void checkReadableFile(const std::string& path, const std::string& what) {
    const std::string cannot = "cannot read " + what + "'" + path + "': ";
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) throw ToolError(cannot + std::strerror(errno));
    if (S_ISDIR(status.st_mode)) throw ToolError(cannot + "is a directory");
    if (access(path.c_str(), R_OK) != 0) throw ToolError(cannot + std::strerror(errno));
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat first {
    }, second{};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

void checkDistinctFiles(const std::string& input, const std::string& output, const char* outputRole) {
    struct stat out {};
    if (stat(output.c_str(), &out) != 0) return;  // a new file cannot be the input
    if (sameFile(input, output))
        throw ToolError(std::string("refusing to overwrite the input '") + input + "' with the " + outputRole);
    if (S_ISDIR(out.st_mode)) throw ToolError(std::string("the ") + outputRole + " '" + output + "' is a directory");
}
