#pragma once
// The program's command line: the note to open, as Explorer, shortcuts and consoles pass it.
#include <string>
#include <string_view>

namespace app {

// The first argument after the program's own name: in double quotes up to the closing quote
// (blanks and all), otherwise up to the next blank. Empty when there is none; further arguments
// are ignored.
std::string FirstArgument(std::string_view commandLine);

} // namespace app
