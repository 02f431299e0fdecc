// An output file that appears only when complete: written under a temporary
// name in the destination folder and renamed over the final name on commit().
// Until then every exit path removes it: the destructor on errors, a signal
// handler on interruption or a crash inside the plug-in.
#pragma once

#include <string>

class PendingFile {
public:
    // Creates the temporary file; throws ToolError if the folder refuses.
    explicit PendingFile(const std::string& finalPath);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& temporaryPath() const { return temporaryPath_; }
    const std::string& finalPath() const { return finalPath_; }
    // The open descriptor; the caller takes ownership (it is closed here only
    // if nobody took it).
    int takeDescriptor();
    void commit();

private:
    std::string finalPath_;
    std::string temporaryPath_;
    int descriptor_ = -1;
    int slot_ = -1;
    bool committed_ = false;
};

// Installs the handlers that remove pending files when the process is
// interrupted or a plug-in crashes; the crash then ends with one line and
// status 2 like every other failure.
void installCleanupHandlers();
