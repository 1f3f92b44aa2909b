#include "line_breaks.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace notetext {
namespace {

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
    // At least `n` writable bytes at the end of the output; Commit(end) keeps those up to `end`.
    char* Room(size_t n) {
        Reserve(n);
        return &text_[used_];
    }
    void Commit(const char* end) { used_ = static_cast<size_t>(end - text_.data()); }
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

constexpr size_t kWindow = 64;

// Where the 64 bytes at p hold CRs and LFs: bit j set where p[j] is one.
struct BreakMasks {
    std::uint64_t Cr = 0;
    std::uint64_t Lf = 0;
};

BreakMasks FindBreaks(const char* p) {
    BreakMasks masks;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    __m128i crHits[4], anyCr = _mm_setzero_si128();
    for (int part = 0; part < 4; ++part) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
        crHits[part] = _mm_cmpeq_epi8(block, cr);
        anyCr = _mm_or_si128(anyCr, crHits[part]);
        masks.Lf |= static_cast<std::uint64_t>(static_cast<unsigned>(
                        _mm_movemask_epi8(_mm_cmpeq_epi8(block, lf))))
                    << (16 * part);
    }
    // Most windows hold no CR: their CR mask needs no more than one test.
    if (_mm_movemask_epi8(anyCr) != 0)
        for (int part = 0; part < 4; ++part)
            masks.Cr |=
                static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(crHits[part])))
                << (16 * part);
#else
    for (size_t j = 0; j < kWindow; ++j) {
        masks.Cr |= static_cast<std::uint64_t>(p[j] == '\r') << j;
        masks.Lf |= static_cast<std::uint64_t>(p[j] == '\n') << j;
    }
#endif
    return masks;
}

// Copies a run of `n` bytes in whole 64-byte pieces, the first 128 bytes always: a fixed copy
// is cheaper than a branch on the run's length, which varies with every line. Up to 128 bytes
// past the run's end are read and written; the caller keeps room for that on both sides.
void CopyRun(char* to, const char* from, size_t n) {
#if defined(__SSE2__) || defined(_M_X64)
    auto copy64 = [](char* t, const char* f) {
        for (size_t k = 0; k < kWindow; k += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(t + k),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + k)));
    };
    copy64(to, from);
    copy64(to + kWindow, from + kWindow);
    for (size_t k = 2 * kWindow; k < n; k += kWindow)
        copy64(to + k, from + k);
#else
    std::memcpy(to, from, n);
#endif
}

// The lone breaks among the 64 bytes at text + i: a CR is lone unless an LF follows, an LF
// unless a CR precedes it, looking past the window's ends where the text goes on.
std::uint64_t LoneBreaks(const char* text, size_t i, size_t size) {
    const auto [cr, lf] = FindBreaks(text + i);
    const bool crBeforeWindow = i > 0 && text[i - 1] == '\r';
    // Most windows hold no CR: then only an LF right after the previous window's last CR
    // is not lone.
    if (cr == 0) return lf & ~static_cast<std::uint64_t>(crBeforeWindow);
    const std::uint64_t lfAfter =
        (lf >> 1) |
        (static_cast<std::uint64_t>(i + kWindow < size && text[i + kWindow] == '\n') << 63);
    const std::uint64_t crBefore = (cr << 1) | static_cast<std::uint64_t>(crBeforeWindow);
    return (cr & ~lfAfter) | (lf & ~crBefore);
}

} // namespace

// Only a lone CR or a lone LF changes, so the text is copied in runs between them; the runs are
// found 64 bytes at a time. CR LF text is copied in one piece.
std::string NormalizeLineBreaks(std::string_view bytes) {
    const char* const text = bytes.data();
    const size_t size = bytes.size();
    Output out(size + size / 16 + 4 * kWindow);
    size_t copied = 0; // bytes before this are in the output
    size_t i = 0;
    // Windows with three more after them, so that a run's copy may read past its end.
    for (; i + 3 * kWindow <= size; i += kWindow) {
        std::uint64_t lone = LoneBreaks(text, i, size);
        if (lone == 0) continue;
        // Room for everything up to this window's end, each of its (at most 64) lone breaks
        // growing by one byte, and the 128 bytes a copy may write past its run.
        char* to = out.Room(i + kWindow - copied + kWindow + 2 * kWindow);
        for (; lone != 0; lone &= lone - 1) {
            const size_t at = i + static_cast<size_t>(std::countr_zero(lone));
            CopyRun(to, text + copied, at - copied);
            to += at - copied;
            *to++ = '\r';
            *to++ = '\n';
            copied = at + 1;
        }
        out.Commit(to);
    }
    // The last bytes, one at a time, by the same rule.
    for (; i < size; ++i) {
        const char c = text[i];
        const bool lone = (c == '\r' && !(i + 1 < size && text[i + 1] == '\n')) ||
                          (c == '\n' && !(i > 0 && text[i - 1] == '\r'));
        if (!lone) continue;
        out.Append(text + copied, i - copied);
        out.AppendBreak();
        copied = i + 1;
    }
    out.Append(text + copied, size - copied);
    return out.Take();
}

LineBreak LineBreakOf(std::string_view bytes) {
    bool crlf = false, lf = false, cr = false;
    for (size_t at = bytes.find_first_of("\r\n"); at != std::string_view::npos;
         at = bytes.find_first_of("\r\n", at + 1)) {
        if (bytes[at] == '\n') {
            lf = true;
        } else if (at + 1 < bytes.size() && bytes[at + 1] == '\n') {
            crlf = true;
            ++at;
        } else {
            cr = true;
        }
        if (crlf + lf + cr > 1) return LineBreak::CrLf;
    }
    return lf ? LineBreak::Lf : cr ? LineBreak::Cr : LineBreak::CrLf;
}

std::string WithLineBreaks(std::string_view crlfText, LineBreak kind) {
    if (kind == LineBreak::CrLf) return std::string(crlfText);
    const char single = kind == LineBreak::Lf ? '\n' : '\r';
    std::string out;
    out.reserve(crlfText.size());
    for (size_t at = 0; at < crlfText.size();) {
        const size_t pair = crlfText.find("\r\n", at);
        const size_t end = pair == std::string_view::npos ? crlfText.size() : pair;
        out.append(crlfText.substr(at, end - at));
        if (pair == std::string_view::npos) break;
        out += single;
        at = pair + 2;
    }
    return out;
}

} // namespace notetext
