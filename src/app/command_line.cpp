#include "command_line.h"

namespace app {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// One argument from `at`, moving `at` past it.
std::string TakeArgument(std::string_view line, size_t& at) {
    while (at < line.size() && IsBlank(line[at]))
        ++at;
    std::string argument;
    if (at < line.size() && line[at] == '"') {
        size_t end = line.find('"', at + 1);
        if (end == std::string_view::npos) end = line.size();
        argument = line.substr(at + 1, end - at - 1);
        at = end < line.size() ? end + 1 : end;
        return argument;
    }
    while (at < line.size() && !IsBlank(line[at]))
        argument += line[at++];
    return argument;
}

} // namespace

std::string FirstArgument(std::string_view commandLine) {
    size_t at = 0;
    TakeArgument(commandLine, at); // the program's own name
    return TakeArgument(commandLine, at);
}

} // namespace app
