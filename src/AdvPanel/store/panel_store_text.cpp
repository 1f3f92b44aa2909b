#include "AdvPanel/store/panel_store_text.h"

#include <charconv>
#include <limits>

namespace advpanel {

std::string StoreIntText(int value) {
    return std::to_string(value);
}

const char* StoreBoolText(bool value) {
    return value ? "1" : "0";
}

int StoreTextToInt(std::string_view text, int fallback) {
    size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) return fallback;
    text.remove_prefix(i);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') return fallback;
    long long magnitude = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec != std::errc() || end != text.data() + text.size()) return fallback;
    long long value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(value);
}

} // namespace advpanel
