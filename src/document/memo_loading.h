#pragma once
// A file's text handed to the memo piece by piece, so that the note answers throughout. Written
// against any memo that offers Text, TextLength, Modified, SetModified, SetTextSilently,
// EmptyWithRoom, AppendSilently, SetReadOnly, ShowStart, EmptyUndo and NotifyChange, so that it
// needs no operating system and is tested with a memo of the tests' own.
#include "note_pieces.h"
#include "notetext/error_text.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/text/unicode_text.h"

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <utility>

namespace note {

// Whether the memo holds exactly `text`. The memo counts its length in UTF-16 code units: a
// length that differs settles the question without fetching a large text.
template <typename Memo> bool MemoHolds(const Memo& memo, const std::string& text) {
    return memo.TextLength() == tk::Utf16Length(text) && memo.Text() == text;
}

template <typename Memo> class MemoLoad {
public:
    // Starts taking `text`: the memo is emptied and made read-only; what it held is kept to be
    // given back should the load be cancelled.
    MemoLoad(Memo& memo, std::string text)
        : memo_(memo), text_(std::move(text)), before_(memo.Text()),
          modifiedBefore_(memo.Modified()) {
        memo_.SetReadOnly(true);
        if (!memo_.EmptyWithRoom(tk::Utf16Length(text_))) Fail();
    }
    MemoLoad(const MemoLoad&) = delete;
    MemoLoad& operator=(const MemoLoad&) = delete;

    // Appends the next piece; true once the whole text is in. `now()` gives milliseconds, to
    // size the pieces from how fast the memo takes them. When the memo does not take a piece
    // whole, the load is cancelled and EInvalidOperation raised ("Text exceeds memo capacity").
    template <typename Now> bool Step(Now&& now) {
        if (done_ == text_.size()) return true;
        const Piece piece = NextPiece(text_, done_, sizer_.Work());
        const double started = now();
        bool taken = false;
        try {
            taken = memo_.AppendSilently(std::string_view(text_).substr(done_, piece.End - done_));
        } catch (const std::bad_alloc&) {
        }
        if (!taken) Fail();
        sizer_.Took(piece.Work, now() - started);
        done_ = piece.End;
        return done_ == text_.size();
    }

    // How much of the text is in, in per cent (rounded down).
    int Percent() const {
        // In 64 bits: a 32-bit size_t times 100 overflows from 43 MB on.
        return text_.empty() ? 100
                             : static_cast<int>(std::uint64_t{done_} * 100 / text_.size());
    }

    // The memo holds the whole text: caret at the start, view at the top, nothing to undo, no
    // longer read-only, and the change notified once.
    void Complete() {
        memo_.ShowStart();
        memo_.EmptyUndo();
        memo_.SetModified(false);
        memo_.SetReadOnly(false);
        memo_.NotifyChange();
    }

    // The memo gets back what it held before, unchanged, with its modified state.
    void Cancel() {
        memo_.SetTextSilently(before_);
        memo_.SetModified(modifiedBefore_);
        memo_.SetReadOnly(false);
    }

private:
    [[noreturn]] void Fail() {
        Cancel();
        throw tk::EInvalidOperation(notetext::kTextExceedsMemo);
    }

    Memo& memo_;
    std::string text_;
    std::size_t done_ = 0;
    PieceSizer sizer_;
    std::string before_;
    bool modifiedBefore_;
};

} // namespace note
