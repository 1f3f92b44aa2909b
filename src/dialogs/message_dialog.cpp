#include "message_dialog.h"

#include "message_form.h"
#include "toolkit/system/visual_styles.h"

namespace dialogs {

tk::TModalResult ShowMessageDialog(const std::string& text, TMsgDlgType kind,
                                   TMsgDlgButtons buttons, int helpContext) {
    tk::VisualStylesScope styles; // for the buttons the dialog makes
    TMessageForm form(nullptr, text, kind, buttons);
    form.HelpContext = helpContext;
    form.HelpFile.clear();
    form.CenterOnScreen();
    return form.ShowModal();
}

tk::TModalResult ConfirmMessage(const std::string& text) {
    return ShowMessageDialog(text, TMsgDlgType::mkConfirmation, mbYesNoCancel, 0);
}

} // namespace dialogs
