#pragma once
// Forms: top-level windows owned by the application's window, built from a stored layout.
#include "modal_result.h"
#include "toolkit/controls/win_control.h"

#include <array>
#include <string>

namespace tk {

enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TPosition { poDesigned, poScreenCenter };

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    const char* ClassName() const override { return "TCustomForm"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    TFormStyle FormStyle() const { return formStyle_; }
    // Switching moves the window into or out of the topmost layer; nothing else changes.
    void SetFormStyle(TFormStyle style);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);

    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int width, int height);

    void Show();
    void Hide();
    // Shows the form modally: every other window of the application is disabled until
    // ModalResult becomes other than mrNone (closing the form sets mrCancel); returns that result.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Modal() const { return modal_; }

    // With KeyPreview the form sees key messages and the mouse wheel for its controls first.
    bool KeyPreview = false;
    // Returns true when the form consumed the message.
    virtual bool PreviewKeyMessage(const MSG&) { return false; }
    // Asks OnCloseQuery; when closing is allowed the main form ends the application and any
    // other form hides.
    void Close();
    bool CloseQuery();

    TWinControl* ActiveControl() const { return activeControl_; }
    void FocusChanged(TWinControl* control);
    // A control on this form is being destroyed.
    void ControlDestroyed(TControl* control);
    // Moves the focus to the next (or previous) tab stop after `current`, wrapping around.
    void SelectNext(TWinControl* current, bool forward);
    TWinControl* FirstTabStop() const;

    // Layout values: the resolution and "0" height the stored geometry was made for.
    int PixelsPerInch = 96;
    int TextHeight = 13;
    bool Scaled = true;
    bool OldCreateOrder = false;
    bool Ctl3D = true;
    TPosition Position = TPosition::poDesigned;

    TNotifyEvent OnCreate;
    TCloseQueryEvent OnCloseQuery;

    // Reads the layout stored in `module` under `resourceName`; EResNotFound when missing.
    void ReadLayoutResource(HMODULE module, const char* resourceName);
    // Reads a layout text; stored data resources are taken from `module`.
    void ReadLayoutText(const std::string& text, HMODULE module);
    // Runs OnCreate (after the layout has been read).
    void DoCreate();
    // Pixel height of "0" in a font, measured on the screen.
    static int MeasureTextHeight(const TFont& font);
    // Lays the form out again for a screen of `ppi` dots per inch by the rule the layout was
    // first scaled by (as if it had been read there), and gives the window `bounds` (screen
    // coordinates, the size the system suggests for that resolution).
    void ScaleToResolution(int ppi, const TRect& bounds);
    // WM_DPICHANGED (Windows 8.1 and later): the new resolution in wParam's low word, the
    // suggested window rectangle in lParam; the form scales itself to it.
    static constexpr UINT kDpiChangedMessage = 0x02E0;

protected:
    // After the form was laid out again for another resolution.
    virtual void ResolutionChanged() {}
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void VisibleChanged() override;
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;

private:
    void ApplyLayoutScaling();
    int ScaleFromDesign(int ppi);
    void FitMonitorResolution();
    void KeepOnScreen();
    void FocusActiveControl();
    DWORD WindowStyle() const;

    std::string caption_;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TWindowState windowState_ = TWindowState::wsNormal;
    TWinControl* activeControl_ = nullptr;
    // The layout's own window font height, client size and size limits, before scaling.
    int designFontHeight_ = 0;
    TPoint designClient_;
    std::array<int, 4> designLimits_{};
    int ppi_ = 0; // the resolution the form is laid out for
    bool shownBefore_ = false;
    bool focusDeferred_ = false; // while the form is first shown
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    const char* ClassName() const override { return "TForm"; }
};

} // namespace tk
