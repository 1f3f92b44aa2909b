#include "access_keys.h"

namespace dialogs {

char AccessKey(std::string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i; // "&&" is a literal ampersand
    }
    return '\0';
}

std::string WithoutAmpersands(std::string_view caption) {
    std::string out;
    out.reserve(caption.size());
    for (char c : caption)
        if (c != '&') out += c;
    return out;
}

} // namespace dialogs
