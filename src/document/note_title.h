#pragma once
// The title a note shows for its file.
#include <string>

namespace note {

// The file's name without its folder: everything after the last "\" or ":" (extension kept).
std::string FileNameWithoutFolder(const std::string& path);

} // namespace note
