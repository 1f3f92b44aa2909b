// Fuzz target: line-break normalisation. On every input, with and without a multi-byte code
// page: the output is byte for byte that of the byte-at-a-time reference, no lone CR or LF
// remains, every break is kept as one, normalising twice changes nothing, and all other bytes
// keep their order.
#include "notetext/line_breaks.h"
#include "reference/line_breaks_reference.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The bytes that are not line breaks, walking characters as the normaliser does.
std::string WithoutBreaks(const std::string& s, const notefiles::LeadBytePredicate& lead) {
    std::string out;
    for (size_t i = 0; i < s.size();) {
        if (lead && lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() && s[i] != '\r' &&
            s[i] != '\n') {
            out.append(s, i, 2);
            i += 2;
        } else {
            if (s[i] != '\r' && s[i] != '\n') out += s[i];
            ++i;
        }
    }
    return out;
}

void CheckNoLoneBreak(const std::string& s, const notefiles::LeadBytePredicate& lead) {
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\r') {
            if (i + 1 >= s.size() || s[i + 1] != '\n') std::abort();
            i += 2;
        } else if (c == '\n') {
            std::abort(); // an LF not preceded by CR
        } else if (lead && lead(c) && i + 1 < s.size()) {
            i += 2;
        } else {
            ++i;
        }
    }
}

// How many line breaks the text holds: a CR LF pair is one, a lone CR or LF is one.
size_t Breaks(const std::string& s, const notefiles::LeadBytePredicate& lead) {
    size_t n = 0;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\r' || c == '\n') {
            ++n;
            i += (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
        } else {
            i += (lead && lead(c) && i + 1 < s.size()) ? 2 : 1;
        }
    }
    return n;
}

void Check(const std::string& input, bool (*lead)(unsigned char)) {
    std::string once = notefiles::NormalizeLineBreaks(input, lead);
    if (once != ReferenceLineBreaks(input, lead)) std::abort();
    CheckNoLoneBreak(once, lead);
    if (notefiles::NormalizeLineBreaks(once, lead) != once) std::abort();
    if (WithoutBreaks(once, lead) != WithoutBreaks(input, lead)) std::abort();
    if (Breaks(once, lead) != Breaks(input, lead)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    Check(input, nullptr);
    Check(input, DoubleByteLead);
    return 0;
}
