#include "note_title.h"

namespace note {

std::string FileNameWithoutFolder(const std::string& path) {
    size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace note
