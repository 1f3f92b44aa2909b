#include "note_text_limits.h"

namespace notefiles {

size_t LongestLine(std::string_view text) {
    size_t longest = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (end - start > longest) longest = end - start;
        start = end + 1;
    }
    return longest;
}

} // namespace notefiles
