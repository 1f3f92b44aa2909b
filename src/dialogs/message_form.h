#pragma once
// The message dialog: an optional system icon, the word-wrapped message and one push button per
// kind in the set, laid out from the measured dialog font and texts.
#include "layout/message_kinds.h"
#include "toolkit/controls/buttons.h"
#include "toolkit/forms/forms.h"
#include "toolkit/controls/stdctrls.h"

#include <string>
#include <vector>

namespace dialogs {

class TMessageForm : public tk::TForm {
public:
    TMessageForm(tk::TComponent* owner, const std::string& text, TMsgDlgType kind,
                 TMsgDlgButtons buttons);
    const char* ClassName() const override { return "TMessageForm"; }

    int HelpContext = 0;
    std::string HelpFile;

    // Centres the whole window on the primary screen, then on the active form's monitor when
    // that is another one.
    void CenterOnScreen();
    // Divider lines, title, message and button captions, as Ctrl+C copies them.
    std::string ClipboardText() const;

    bool PreviewKeyMessage(const MSG& msg) override;

protected:
    void CreateParams(tk::TCreateParams& params) override;

private:
    void UseMessageBoxFont();
    void Build(TMsgDlgType kind, TMsgDlgButtons buttons);
    bool KeyDown(WPARAM key);
    bool ClickByAccessKey(wchar_t typed);
    void MoveFocus(bool forward);
    tk::TButton* FocusedButton() const;

    std::string text_;
    std::vector<tk::TButton*> buttons_; // left to right
    tk::TButton* cancelButton_ = nullptr;
    tk::TButton* defaultButton_ = nullptr;
};

} // namespace dialogs
