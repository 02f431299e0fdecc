#include "tools/oscinda-host/argument_reader.h"

#include "tools/oscinda-host/tool_error.h"

ArgumentReader::ArgumentReader(std::vector<std::string> args) : args_(std::move(args)) {}

std::vector<std::string> ArgumentReader::readAll(const std::string& command,
                                                 const std::function<bool(const std::string& name)>& takeOption) {
    std::vector<std::string> positionals;
    std::string name, positional;
    while (next(name, positional)) {
        if (name.empty())
            positionals.push_back(positional);
        else if (!takeOption(name))
            throw ToolError("unknown option " + name + " for " + command);
    }
    return positionals;
}

bool ArgumentReader::next(std::string& name, std::string& positional) {
    name.clear();
    positional.clear();
    inlineValue_.reset();
    while (index_ < args_.size()) {
        const std::string& arg = args_[index_++];
        if (!optionsEnded_ && arg == "--") {
            optionsEnded_ = true;
            continue;
        }
        if (optionsEnded_ || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional = arg;
            return true;
        }
        const std::size_t equals = arg.find('=');
        name = arg.substr(0, equals);
        if (equals != std::string::npos) inlineValue_ = arg.substr(equals + 1);
        return true;
    }
    return false;
}

std::string ArgumentReader::value(const std::string& option) {
    if (inlineValue_) return *inlineValue_;
    if (index_ >= args_.size()) throw ToolError(option + " needs a value");
    return args_[index_++];
}

void ArgumentReader::noValue(const std::string& option) const {
    if (inlineValue_) throw ToolError(option + " takes no value");
}

bool ArgumentReader::flag(const std::string& name, const char* flag, bool& target) const {
    if (name != flag) return false;
    noValue(name);
    target = true;
    return true;
}

std::pair<std::string, std::string> splitAssignment(const std::string& text, const std::string& option,
                                                    const std::string& form) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) throw ToolError(option + " '" + text + "': expected " + form);
    return {text.substr(0, equals), text.substr(equals + 1)};
}
