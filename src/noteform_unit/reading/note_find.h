#pragma once
// Find in the note: the system's Find dialog (modeless) and finding again with F3 and Shift+F3.
#include "toolkit/controls/stdctrls.h"

#include <commdlg.h>

namespace note {

class NoteFind {
public:
    explicit NoteFind(tk::TMemo& memo);
    NoteFind(const NoteFind&) = delete;
    NoteFind& operator=(const NoteFind&) = delete;
    ~NoteFind();

    // Shows the Find dialog owned by `owner` (brings it forward when it is up), with the
    // selected text in it, or else the last search.
    void ShowDialog(HWND owner);
    // Finds the last search's text again, down or up, without the dialog; with no search yet, it
    // shows the dialog.
    void FindAgain(HWND owner, bool down);
    // Handles the dialog's notification (`message` is the system's registered one); false for
    // any other message.
    bool Handle(UINT message, LPARAM lParam);

private:
    // Selects the next occurrence from the selection and scrolls it into view; says so in a
    // box when there is none and leaves the selection.
    void Find(bool down);

    tk::TMemo& memo_;
    const UINT message_;
    HWND dialog_ = nullptr;
    FINDREPLACEW request_{}; // the dialog reads and writes it while it lives
    wchar_t what_[256] = {};
    bool searched_ = false; // a search has been asked for
};

} // namespace note
