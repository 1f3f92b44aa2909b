#pragma once
// Marks along the way from the program's start to its first painted window, for the start-up
// benchmark's table of phases. They are written only when the environment variable
// PINLET_STARTUP_MARKS names a file: each mark appends a line "<milliseconds since the process
// was created> <phase>". Otherwise a mark costs the test of one flag.

namespace tk {

void StartupMark(const char* phase);

} // namespace tk
