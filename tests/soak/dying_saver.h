#pragma once
// Another process that saves a note and is killed part way through writing it, as a power cut or
// a killed program would end a save: no code of the save runs after that.
#include <string>

namespace soak {

// Starts this test program again as "--die-saving <path> <kept folder> <text>", which saves
// `text` onto `path` in place, keeping copies in `keptFolder`, and ends itself after writing half
// of the text into the file. Returns the child's exit code (kDiedSaving when it died where
// planned), or -1 when it could not be started or did not end within 20 s.
int SaveAndDie(const std::string& path, const std::string& keptFolder, const std::string& text);
inline constexpr int kDiedSaving = 77;

// The child's side: runs when the program was started with "--die-saving".
int RunDyingSave(int argc, char** argv);

} // namespace soak
