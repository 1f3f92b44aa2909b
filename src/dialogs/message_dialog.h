#pragma once
// The toolkit's general message dialog and the note's confirmation question.
#include "message_kinds.h"

#include <string>

namespace dialogs {

// Shows `text` in a modal dialog of the given kind with one button per kind in `buttons`; returns
// the result of the button that ended it, 2 when the dialog was closed otherwise.
int ShowMessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                      int helpContext);

// The modal results of the confirmation's buttons.
inline constexpr int mrCancel = 2, mrYes = 6, mrNo = 7;

// Asks with Yes, No and Cancel: mrYes, mrNo, or mrCancel for Cancel or any other way out.
int ConfirmMessage(const std::string& text);

} // namespace dialogs
