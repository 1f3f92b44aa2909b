#include "line_breaks.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace notefiles {
namespace {

using LeadTable = std::array<bool, 256>;

// The output, written through a pointer and grown by doubling: appending byte by byte to a
// string costs a capacity check per byte.
class Output {
public:
    explicit Output(size_t expected) { text_.resize(expected); }
    void Append(const char* from, size_t n) {
        Reserve(n);
        std::memcpy(&text_[used_], from, n);
        used_ += n;
    }
    void AppendBreak() { Append("\r\n", 2); }
    std::string Take() {
        text_.resize(used_);
        return std::move(text_);
    }

private:
    void Reserve(size_t n) {
        if (text_.size() - used_ < n) text_.resize(std::max(text_.size() * 2, used_ + n));
    }
    std::string text_;
    size_t used_ = 0;
};

// Single-byte code pages: only lone CRs and lone LFs change, so the text is copied in runs
// between them, found with memchr. CR LF text is copied in one piece.
std::string NormalizeSingleByte(std::string_view bytes) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    Output out(bytes.size() + bytes.size() / 16 + 16);
    auto find = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    const char* copied = begin; // bytes before this are in the output
    const char* nextCr = find(begin, '\r');
    const char* nextLf = find(begin, '\n');
    while (nextCr != end || nextLf != end) {
        if (nextCr < nextLf) {
            if (nextLf != end && nextCr + 1 == nextLf) { // a CR LF pair stays as it is
                nextCr = find(nextLf + 1, '\r');
                nextLf = find(nextLf + 1, '\n');
                continue;
            }
            out.Append(copied, static_cast<size_t>(nextCr - copied));
            out.AppendBreak();
            copied = nextCr + 1;
            nextCr = find(copied, '\r');
        } else {
            out.Append(copied, static_cast<size_t>(nextLf - copied));
            out.AppendBreak();
            copied = nextLf + 1;
            nextLf = find(copied, '\n');
        }
    }
    out.Append(copied, static_cast<size_t>(end - copied));
    return out.Take();
}

// Multi-byte code pages: byte by byte, a lead byte taking its trail byte along.
std::string NormalizeMultiByte(std::string_view bytes, const LeadTable& lead) {
    Output out(bytes.size() + bytes.size() / 8 + 16);
    size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r') {
            out.AppendBreak();
            i += (i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        } else if (c == '\n') {
            out.AppendBreak();
            ++i;
        } else if (lead[static_cast<unsigned char>(c)] && i + 1 < bytes.size()) {
            out.Append(&bytes[i], 2);
            i += 2;
        } else {
            out.Append(&bytes[i], 1);
            ++i;
        }
    }
    return out.Take();
}

} // namespace

std::string NormalizeLineBreaks(std::string_view bytes, const LeadBytePredicate& isLeadByte) {
    LeadTable lead{};
    bool anyLead = false;
    if (isLeadByte) {
        for (int c = 0; c < 256; ++c)
            anyLead |= lead[static_cast<size_t>(c)] = isLeadByte(static_cast<unsigned char>(c));
    }
    return anyLead ? NormalizeMultiByte(bytes, lead) : NormalizeSingleByte(bytes);
}

} // namespace notefiles
