#include "device_names.h"

#include <string>

namespace notetext {
namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// "COM" or "LPT" followed by one of the digits the system counts as a port number.
bool IsPortName(std::string_view name) {
    if (name.size() < 4) return false;
    const std::string_view prefix = name.substr(0, 3);
    if (prefix != "COM" && prefix != "LPT") return false;
    const std::string_view number = name.substr(3);
    if (number.size() == 1) return number[0] >= '1' && number[0] <= '9';
    // Superscript one, two and three (U+00B9, U+00B2, U+00B3) in UTF-8.
    return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

} // namespace

bool IsDeviceName(std::string_view path) {
    if (path.starts_with("\\\\.\\") || path.starts_with("//./")) return true;
    const size_t slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    // A drive-relative name ("C:NUL") names the device too.
    if (name.size() >= 2 && name[1] == ':' && slash == std::string_view::npos)
        name = name.substr(2);
    // The part before an extension, a colon or trailing blanks and full stops.
    const size_t end = name.find_first_of(".:");
    name = name.substr(0, end);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    std::string upper;
    for (char c : name)
        upper += Upper(c);
    return upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" ||
           upper == "CONIN$" || upper == "CONOUT$" || IsPortName(upper);
}

} // namespace notetext
