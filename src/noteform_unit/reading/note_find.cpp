#include "note_find.h"

#include "dialogs/message_dialog.h"
#include "noteform_unit/note_texts.h"
#include "toolkit/forms/application.h"
#include "toolkit/system/system_library.h"
#include "toolkit/text/system_alphabet.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>
#include <string>

namespace note {

NoteFind::NoteFind(tk::TMemo& memo)
    : memo_(memo), message_(RegisterWindowMessageW(FINDMSGSTRINGW)) {
    request_.lStructSize = sizeof(request_);
    request_.Flags = FR_DOWN;
    request_.lpstrFindWhat = what_;
    request_.wFindWhatLen = static_cast<WORD>(std::size(what_));
}

NoteFind::~NoteFind() {
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
}

void NoteFind::ShowDialog(HWND owner) {
    // Pinning makes the note's window anew, and its owned dialog goes with the old one.
    if (dialog_ && IsWindow(dialog_) && GetWindow(dialog_, GW_OWNER) == owner) {
        SetActiveWindow(dialog_);
        return;
    }
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    DWORD start = 0, end = 0;
    SendMessageW(memo_.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    // A selection within one line is what the user means to look for.
    if (end > start && end - start < std::size(what_)) {
        std::wstring selected = memo_.WideText().substr(start, end - start);
        if (selected.find_first_of(L"\r\n") == std::wstring::npos)
            std::copy(selected.c_str(), selected.c_str() + selected.size() + 1, what_);
    }
    request_.hwndOwner = owner;
    request_.Flags &= FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
    // The dialogs' library is loaded when the dialog is first shown, as for the file dialogs.
    using FindProc = HWND(WINAPI*)(LPFINDREPLACEW);
    auto findText = tk::SystemFunction<FindProc>("comdlg32.dll", "FindTextW");
    dialog_ = findText ? findText(&request_) : nullptr;
    if (dialog_) tk::Application->AddModelessDialog(dialog_);
}

void NoteFind::FindAgain(HWND owner, bool down) {
    if (!searched_ || what_[0] == 0) return ShowDialog(owner);
    Find(down);
}

bool NoteFind::Handle(UINT message, LPARAM lParam) {
    if (message != message_ || reinterpret_cast<FINDREPLACEW*>(lParam) != &request_) return false;
    if (request_.Flags & FR_DIALOGTERM) {
        dialog_ = nullptr;
        return true;
    }
    if (request_.Flags & FR_FINDNEXT) {
        searched_ = true;
        Find((request_.Flags & FR_DOWN) != 0);
    }
    return true;
}

void NoteFind::Find(bool down) {
    HWND edit = memo_.Handle();
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = memo_.WideText();
    const tk::SearchOptions options{down, (request_.Flags & FR_MATCHCASE) != 0,
                                    (request_.Flags & FR_WHOLEWORD) != 0};
    const std::wstring_view what(what_);
    // Down from the selection's end, up from its start: the selected match is passed over.
    auto found = tk::SearchText(text, what, down ? end : start, options, tk::SystemAlphabet());
    if (!found) {
        dialogs::ShowMessageDialog(kNotFound + tk::Utf8(what) + kNotFoundEnd,
                                   dialogs::TMsgDlgType::mkInformation,
                                   dialogs::ButtonBit(dialogs::TMsgDlgBtn::mbOK), 0);
        return;
    }
    const auto at = static_cast<WPARAM>(*found);
    SendMessageW(edit, EM_SETSEL, at, static_cast<LPARAM>(at + what.size()));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

} // namespace note
