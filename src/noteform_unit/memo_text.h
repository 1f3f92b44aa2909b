#pragma once
// Handing a note's text to the memo and checking what it holds. Written against any memo that
// offers Text, TextLength, SetTextSilently, Modified, SetModified, BeginUpdate, EndUpdate and
// NotifyChange, so that it needs no operating system and is tested with a memo of the tests' own.
#include "notefiles/error_text.h"
#include "toolkit/exceptions.h"
#include "toolkit/scope_exit.h"
#include "toolkit/unicode_text.h"

#include <cstddef>
#include <new>
#include <string>

namespace note {

// Whether the memo holds exactly `text`. The memo counts its length in UTF-16 code units: a
// length that differs settles the question without fetching a large text.
template <typename Memo> bool MemoHolds(const Memo& memo, const std::string& text) {
    return memo.TextLength() == tk::Utf16Length(text) && memo.Text() == text;
}

// Whether the memo holds a text as long as `text`.
template <typename Memo> bool MemoHoldsLength(const Memo& memo, const std::string& text) {
    return memo.TextLength() == tk::Utf16Length(text);
}

// Hands the whole text to the memo. When the memo refuses it or takes only part of it (its
// memory can run out while it takes a large text, without saying so), it is given back the text
// it had, `before`, keeps its modified state, and EInvalidOperation is raised.
template <typename Memo>
void PutIntoMemo(Memo& memo, const std::string& text, const std::string& before) {
    const bool modified = memo.Modified();
    bool whole = false;
    try {
        whole = memo.SetTextSilently(text) && MemoHoldsLength(memo, text);
    } catch (const std::bad_alloc&) {
    }
    if (whole) return;
    if (!MemoHoldsLength(memo, before)) memo.SetTextSilently(before);
    memo.SetModified(modified);
    throw tk::EInvalidOperation(notefiles::kTextExceedsMemo);
}

// Shows a file's text in the memo. A memo that already holds it is left untouched and raises no
// change notification; otherwise its text is replaced without redrawing in between, and the
// change is notified once. Returns whether the memo changed.
template <typename Memo> bool ShowText(Memo& memo, const std::string& text) {
    memo.BeginUpdate();
    tk::ScopeExit endUpdate([&memo] { memo.EndUpdate(); });
    if (MemoHolds(memo, text)) return false;
    PutIntoMemo(memo, text, memo.Text());
    memo.NotifyChange();
    return true;
}

} // namespace note
