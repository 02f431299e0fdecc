// The words after a subcommand: "--name=value" and "--name value" alike,
// positionals in order, and "--" ending the options.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ArgumentReader {
public:
    explicit ArgumentReader(std::vector<std::string> args);

    // Reads every argument of `command`. Each option goes by name to
    // `takeOption`, which reads its value with value() or refuses one with
    // noValue(), and returns false for a name the command does not know.
    // Returns the positionals; throws ToolError on an unknown option.
    std::vector<std::string> readAll(const std::string& command,
                                     const std::function<bool(const std::string& name)>& takeOption);

    // The current option's value: after '=' or the next argument.
    std::string value(const std::string& option);
    // Throws ToolError when the current option came with "=value".
    void noValue(const std::string& option) const;
    // For an option without a value: when `name` is `flag`, sets `target`
    // and returns true.
    bool flag(const std::string& name, const char* flag, bool& target) const;

private:
    // The next option's name (its value kept back) in `name`, or a
    // positional in `positional`; false at the end.
    bool next(std::string& name, std::string& positional);

    std::vector<std::string> args_;
    std::size_t index_ = 0;
    bool optionsEnded_ = false;
    std::optional<std::string> inlineValue_;
};

// Splits an option value of the form "NAME=REST" at its last '='. Throws
// ToolError "<option> '<text>': expected <form>" when there is no name.
std::pair<std::string, std::string> splitAssignment(const std::string& text, const std::string& option,
                                                    const std::string& form);
