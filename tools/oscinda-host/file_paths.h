// Questions about paths the user names, answered before anything is read or
// written, so that a mistake ends as one clear line instead of a half-done run.
#pragma once

#include <string>

// The last component of `path`; `path` itself when it has no slash.
std::string baseName(const std::string& path);

// The folder holding `path`: "." without a slash, "/" for a file at the root.
std::string folderOf(const std::string& path);

// Throws ToolError "cannot read <what>'path': reason" unless `path` is an
// existing, readable file that is no directory. `what` is empty or ends in a
// space ("plug-in ").
void checkReadableFile(const std::string& path, const std::string& what);

// True when both paths name one file: the same spelling (even of a file that
// does not exist yet) or the same file on disk under different spellings.
bool sameFile(const std::string& a, const std::string& b);

// Refuses to read and write the same file, whatever the spelling of the paths,
// and to write over a directory.
void checkDistinctFiles(const std::string& input, const std::string& output, const char* outputRole);
