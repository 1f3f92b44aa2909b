#pragma once
// The running program's own file, to start another instance of it with.
#include <string>

namespace tk {

// The full path of this process's program (UTF-8), however long.
std::string ProgramPath();

} // namespace tk
