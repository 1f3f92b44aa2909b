#pragma once
// The push button over the system BUTTON control. A click stores its ModalResult into its form.
#include "toolkit/forms/modal_result.h"
#include "win_control.h"

#include <string>

namespace tk {

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    const char* ClassName() const override { return "TButton"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TModalResult ModalResult = mrNone;
    // The default button answers Enter; it shows the default look unless another button has
    // the focus, in which case that one shows it.
    bool Default = false;
    bool Cancel = false;

    // As if the user clicked it.
    void Click() override;
    bool HasDefaultLook() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CommandNotify(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void SetDefaultLook(bool on);
    std::string caption_;
};

} // namespace tk
