// Fuzz target: line-break normalisation. On every input: the output is byte for byte that of the
// byte-at-a-time reference, no lone CR or LF remains, every break is kept as one, normalising
// twice changes nothing, and all other bytes keep their order.
#include "notetext/line_breaks.h"
#include "reference/line_breaks_reference.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The bytes that are not line breaks.
std::string WithoutBreaks(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

void CheckNoLoneBreak(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            if (i + 1 >= s.size() || s[i + 1] != '\n') std::abort();
            ++i;
        } else if (s[i] == '\n') {
            std::abort(); // an LF not preceded by CR
        }
    }
}

// How many line breaks the text holds: a CR LF pair is one, a lone CR or LF is one.
size_t Breaks(const std::string& s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\r' && s[i] != '\n') continue;
        ++n;
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string once = notetext::NormalizeLineBreaks(input);
    if (once != ReferenceLineBreaks(input)) std::abort();
    CheckNoLoneBreak(once);
    if (notetext::NormalizeLineBreaks(once) != once) std::abort();
    if (WithoutBreaks(once) != WithoutBreaks(input)) std::abort();
    if (Breaks(once) != Breaks(input)) std::abort();
    return 0;
}
