#pragma once
// A number as upper-case hexadecimal digits, zero-padded to a width. Written out by hand: the
// run-time's formatted printing would bring its whole floating-point formatter into the program
// for a few numbers.
#include <cstdint>
#include <string>

namespace tk {

inline std::string HexDigits(std::uint64_t value, int width) {
    std::string digits(static_cast<size_t>(width), '0');
    for (size_t i = digits.size(); i-- > 0 && value; value >>= 4)
        digits[i] = "0123456789ABCDEF"[value & 0xF];
    return digits;
}

} // namespace tk
