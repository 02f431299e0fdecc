// Every failure the user can cause (bad arguments, unreadable files, a
// plug-in that misbehaves) travels up as a ToolError and ends as one line on
// stderr with exit status 2.
#pragma once

#include <stdexcept>
#include <string>

class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
};

constexpr int kExitFailure = 2;
