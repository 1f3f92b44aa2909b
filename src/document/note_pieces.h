#pragma once
// Where a note's text is cut into the pieces the memo takes one after another while a file
// opens, and how large the pieces are. The system's edit control wraps what it is given in time
// that grows with the square of the length of each paragraph it lands in, so a long line given
// whole costs the square of its length, while appended in small pieces it costs its length; and
// every piece also costs time in proportion to the whole text so far, so ordinary lines go
// fastest in pieces as large as the note's answering allows. Needs no operating system.
#include <cstddef>
#include <string_view>

namespace note {

// A line longer than this many bytes goes to the memo in pieces of at most this size, one piece
// of the line at a time.
inline constexpr std::size_t kLongLinePiece = 2048;

// The memo's work for a line (or the part of one) of `bytes` bytes, in bytes of short lines:
// wrapping a line takes time that grows with its length times its number of rows.
inline std::size_t LineWork(std::size_t bytes) {
    return bytes + bytes * bytes / 128;
}

struct Piece {
    std::size_t End;  // where the piece ends in the text
    std::size_t Work; // the memo's work for it (LineWork of its lines)
};

// The piece that starts at `start` of a UTF-8 text with CR LF breaks. A line longer
// than kLongLinePiece (counted from `start` when the piece starts inside it) is cut after its
// last blank within kLongLinePiece bytes, or where a character starts; otherwise the piece takes
// whole lines, at least one, while their work stays within `work`, and ends after a line break,
// before a long line or at the text's end. A piece never ends between a CR and its LF, nor
// inside a character, and is never empty.
Piece NextPiece(std::string_view text, std::size_t start, std::size_t work);

// How much work the next piece of lines is given: as much as the memo does in about
// kPieceMilliseconds, from how fast it took the pieces so far. The first piece is small, so that
// the first screen of text shows at once. A piece's time is taken as a fixed part (the system's
// control walks its whole text on every append, so that part grows with the text) and a part in
// proportion to its work, both estimated from the last two pieces; once the fixed part is more
// than half of kPieceMilliseconds, pieces take twice the fixed part, so that the text goes in at
// no less than half the memo's speed however large it grows.
class PieceSizer {
public:
    static constexpr double kPieceMilliseconds = 120;
    static constexpr std::size_t kFirstWork = 16 * 1024;
    static constexpr std::size_t kMostWork = 4 * 1024 * 1024;

    std::size_t Work() const { return work_; }
    // The memo took `work` in `milliseconds`: the next piece is sized from that, growing at most
    // fourfold a step so that one quick piece does not make the next one huge.
    void Took(std::size_t work, double milliseconds);

private:
    std::size_t work_ = kFirstWork;
    double fixed_ = 0;          // milliseconds every piece costs, whatever its work
    std::size_t lastWork_ = 0;  // the piece before, for the estimate
    double lastMilliseconds_ = 0;
};

} // namespace note
