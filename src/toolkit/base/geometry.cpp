#include "geometry.h"

#include <cstdint>

namespace tk {

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1; // the system routine's answer for a zero divisor
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    bool negative = (product < 0) != (c < 0);
    std::int64_t num = product < 0 ? -product : product;
    std::int64_t den = c < 0 ? -static_cast<std::int64_t>(c) : c;
    std::int64_t q = (num + den / 2) / den;
    if (q > INT32_MAX) return -1; // overflow, as the system routine reports it
    return static_cast<int>(negative ? -q : q);
}

} // namespace tk
