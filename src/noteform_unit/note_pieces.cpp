#include "note_pieces.h"

namespace note {
namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::size_t NextPieceEnd(std::string_view text, std::size_t start) {
    if (text.size() - start <= kLinesPiece) return text.size();
    const std::string_view window = text.substr(start, kLinesPiece);
    const std::size_t lastBreak = window.rfind('\n');
    if (lastBreak != std::string_view::npos) return start + lastBreak + 1;
    // Inside a long line: after a blank where there is one, else where a character starts.
    const std::string_view small = window.substr(0, kLongLinePiece);
    const std::size_t blank = small.find_last_of(" \t");
    if (blank != std::string_view::npos) return start + blank + 1;
    std::size_t end = start + kLongLinePiece;
    while (end > start + 1 && IsContinuationByte(text[end]))
        --end;
    return end;
}

} // namespace note
