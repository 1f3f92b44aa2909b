#include "error_text.h"

namespace notetext {

std::string TrimSystemText(std::string_view text) {
    size_t end = text.size();
    while (end > 0) {
        unsigned char c = static_cast<unsigned char>(text[end - 1]);
        if (c > 32 && c != '.') break;
        --end;
    }
    return std::string(text.substr(0, end));
}

std::string SystemReason(std::string_view systemText, unsigned long code) {
    std::string reason = TrimSystemText(systemText);
    return reason.empty() ? "Error " + std::to_string(code) : reason;
}

std::string FormatMessageText(std::string_view format, const std::vector<std::string>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                if (next < args.size()) out += args[next];
                ++next;
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

std::string WithFullStop(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

} // namespace notetext
