#include "buttons.h"

#include "toolkit/forms/forms.h"
#include "toolkit/text/unicode_text.h"

namespace tk {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    TabStop = true;
}

void TButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (HandleAllocated()) SetWindowTextW(Handle(), Wide(caption_).c_str());
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = "BUTTON";
    p.WinClassName = "TkButton";
    p.Caption = caption_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0) | WS_TABSTOP |
              (Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Click() {
    if (ModalResult != mrNone)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(ModalResult);
    TControl::Click();
}

void TButton::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

bool TButton::HasDefaultLook() const {
    return HandleAllocated() && (GetWindowLongW(Handle(), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

void TButton::SetDefaultLook(bool on) {
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

LRESULT TButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS && Parent()) {
        // The focused button takes the default look from its siblings.
        for (TControl* c : Parent()->Controls())
            if (auto* other = dynamic_cast<TButton*>(c); other && other != this)
                other->SetDefaultLook(false);
        SetDefaultLook(true);
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

} // namespace tk
