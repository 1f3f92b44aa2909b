#include "note_pieces.h"

#include <algorithm>
#include <cmath>

namespace note {
namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes from `at` to the next line feed (or the text's end), looking no further than
// kLongLinePiece + 1 bytes: a result above kLongLinePiece means a long line.
std::size_t LineLength(std::string_view text, std::size_t at) {
    const std::string_view window = text.substr(at, kLongLinePiece + 1);
    const std::size_t feed = window.find('\n');
    return feed == std::string_view::npos ? window.size() : feed;
}

// A piece inside a long line: after the last blank within kLongLinePiece bytes, else where a
// character starts.
std::size_t LongLinePieceEnd(std::string_view text, std::size_t start) {
    const std::string_view window = text.substr(start, kLongLinePiece);
    const std::size_t blank = window.find_last_of(" \t");
    if (blank != std::string_view::npos) return start + blank + 1;
    std::size_t end = start + kLongLinePiece;
    while (end > start + 1 && IsContinuationByte(text[end]))
        --end;
    return end;
}

} // namespace

Piece NextPiece(std::string_view text, std::size_t start, std::size_t work) {
    if (LineLength(text, start) > kLongLinePiece) {
        const std::size_t end = LongLinePieceEnd(text, start);
        return {end, LineWork(end - start)};
    }
    std::size_t end = start, done = 0;
    while (end < text.size()) {
        const std::size_t length = LineLength(text, end);
        if (length > kLongLinePiece) break;
        const std::size_t lineWork = LineWork(length);
        if (end > start && done + lineWork > work) break;
        done += lineWork;
        end = std::min(text.size(), end + length + 1);
    }
    return {end, done};
}

void PieceSizer::Took(std::size_t work, double milliseconds) {
    const double w = static_cast<double>(work), t = std::max(milliseconds, 0.0);
    const double lastW = static_cast<double>(lastWork_);
    // Two pieces of clearly different work tell the fixed part apart from the rest.
    if (lastWork_ && std::abs(w - lastW) > 0.25 * std::max(w, lastW)) {
        const double perWork = (t - lastMilliseconds_) / (w - lastW);
        if (perWork > 0) fixed_ = std::clamp(t - perWork * w, 0.0, t);
    }
    fixed_ = std::min(fixed_, t);
    lastWork_ = work;
    lastMilliseconds_ = t;
    const double perWork = (t - fixed_) / std::max(w, 1.0);
    const double target = std::max(kPieceMilliseconds, 2 * fixed_);
    const double most = 4.0 * static_cast<double>(work_);
    double next = perWork > 0 ? std::min((target - fixed_) / perWork, most) : most;
    next = std::clamp(next, static_cast<double>(kFirstWork), static_cast<double>(kMostWork));
    // Pieces of one size that take far too long tell nothing of the fixed part: a piece twice as
    // large does.
    if (std::abs(next - w) <= 0.25 * w && t > 1.5 * target) next = std::min(2 * w, most);
    work_ = std::clamp(static_cast<std::size_t>(next), kFirstWork, kMostWork);
}

} // namespace note
