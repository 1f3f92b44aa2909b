#pragma once
// The toolkit's general message dialog and the note's confirmation question.
#include "layout/message_kinds.h"
#include "toolkit/forms/modal_result.h"

#include <string>

namespace dialogs {

// Shows `text` in a modal dialog of the given kind with one button per kind in `buttons`; returns
// the result of the button that ended it, tk::mrCancel when the dialog was closed otherwise.
tk::TModalResult ShowMessageDialog(const std::string& text, TMsgDlgType kind,
                                   TMsgDlgButtons buttons, int helpContext);

// Asks with Yes, No and Cancel: tk::mrYes, tk::mrNo, or tk::mrCancel for Cancel or any other way
// out.
tk::TModalResult ConfirmMessage(const std::string& text);

} // namespace dialogs
