#include "line_breaks.h"

namespace notefiles {

std::string NormalizeLineBreaks(std::string_view bytes, const LeadBytePredicate& isLeadByte) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        if (c == '\r') {
            out += "\r\n";
            i += (i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        } else if (c == '\n') {
            out += "\r\n";
            ++i;
        } else if (isLeadByte && isLeadByte(static_cast<unsigned char>(c)) &&
                   i + 1 < bytes.size()) {
            out.append(bytes.substr(i, 2));
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace notefiles
