#pragma once
// Where a note's text is cut into the pieces the memo takes one after another while a file
// opens. The system's edit control wraps what it is given in time that grows with the length of
// the paragraph it lands in, so a whole long line at once costs the square of its length, while
// appended in small pieces it costs its length; ordinary lines go fastest in large pieces. Needs
// no operating system.
#include <cstddef>
#include <string_view>

namespace note {

// The most bytes of ordinary lines one piece takes (it ends after its last line break).
inline constexpr std::size_t kLinesPiece = 64 * 1024;
// The bytes of a piece cut inside a line that has no break within kLinesPiece.
inline constexpr std::size_t kLongLinePiece = 1024;

// The end of the piece that starts at `start` of a UTF-8 text with CR LF breaks: after the last
// line break within kLinesPiece bytes; inside a longer line, after the last blank within
// kLongLinePiece bytes, or where a character starts; the text's end when the rest is shorter. A
// piece never ends between a CR and its LF, nor inside a character, and is never empty.
std::size_t NextPieceEnd(std::string_view text, std::size_t start);

} // namespace note
