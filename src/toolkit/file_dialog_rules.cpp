#include "file_dialog_rules.h"

namespace tk {

std::string FilterForSystem(const std::string& filter) {
    std::string out = filter;
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

std::string ExtensionForSystem(const std::string& defaultExt) {
    size_t start = defaultExt.find_first_not_of('.');
    return start == std::string::npos ? std::string() : defaultExt.substr(start);
}

TPoint FileDialogPlace(const TRect& monitor, int dialogWidth, int dialogHeight) {
    return {monitor.Left + (monitor.Width() - dialogWidth) / 2,
            monitor.Top + (monitor.Height() - dialogHeight) / 3};
}

} // namespace tk
