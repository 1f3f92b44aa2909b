#include "message_form.h"

#include "layout/access_keys.h"
#include "layout/button_width_cache.h"
#include "clipboard_text.h"
#include "layout/dialog_text.h"
#include "layout/long_words.h"
#include "layout/message_layout.h"
#include "toolkit/forms/application.h"
#include "toolkit/base/cyclic_order.h"
#include "toolkit/forms/modal.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>

namespace dialogs {
namespace {

// NONCLIENTMETRICSW as it was before the padded-border field: accepted by every system.
constexpr UINT kNonClientMetricsSize = 500;
static_assert(sizeof(NONCLIENTMETRICSW) >= kNonClientMetricsSize);

ButtonWidthCache& ProcessButtonWidths() {
    static ButtonWidthCache cache;
    return cache;
}

bool ReadsRightToLeft() {
    return tk::Application && tk::Application->RightToLeftReading;
}

UINT ReadingFlags() {
    return ReadsRightToLeft() ? DT_RTLREADING : 0;
}

// Measures with the dialog font on the screen.
class FontMeasure {
public:
    explicit FontMeasure(const tk::TFont& font)
        : screen_(nullptr), selected_(screen_.Get(), font.Handle()) {}

    SIZE LetterExtent() const {
        SIZE size{};
        const std::wstring letters = tk::Wide(kMeasureLetters);
        GetTextExtentPoint32W(screen_.Get(), letters.c_str(), kMeasureLetterCount, &size);
        return size;
    }
    tk::TRect Text(const std::string& text, tk::TRect r, UINT format) const {
        RECT rc{r.Left, r.Top, r.Right, r.Bottom};
        std::wstring wide = tk::Wide(text);
        DrawTextW(screen_.Get(), wide.data(), static_cast<int>(wide.size()), &rc,
                  format | DT_CALCRECT | ReadingFlags());
        return tk::ToRect(rc);
    }

private:
    tk::WindowDC screen_;
    tk::SelectedObject selected_;
};

MONITORINFO MonitorInfo(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info;
}

} // namespace

TMessageForm::TMessageForm(tk::TComponent* owner, const std::string& text, TMsgDlgType kind,
                           TMsgDlgButtons buttons)
    : tk::TForm(owner), text_(text) {
    SetBorderStyle(tk::TFormBorderStyle::bsDialog);
    KeyPreview = true;
    UseMessageBoxFont();
    Build(kind, buttons);
}

void TMessageForm::UseMessageBoxFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    // Without it the form's own default font stays.
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        Font().AssignLogFont(metrics.lfMessageFont);
}

void TMessageForm::Build(TMsgDlgType kind, TMsgDlgButtons buttons) {
    FontMeasure measure(Font());
    SIZE letters = measure.LetterExtent();
    ProcessButtonWidths().Fill(buttons, [&](const std::string& caption) {
        return measure.Text(caption, {}, DT_LEFT | DT_SINGLELINE).Right;
    });
    const tk::TRect room = MessageMeasureRect(GetSystemMetrics(SM_CXSCREEN));
    // A word wider than the room (a long file name) is broken where it is shown, so that the
    // dialog fits the screen; the clipboard gets the message as it is.
    const std::string shown = BreakLongWords(text_, room.Width(), [&](std::string_view piece) {
        return measure.Text(std::string(piece), {}, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX).Right;
    });
    tk::TRect text = measure.Text(shown, room, DT_WORDBREAK | DT_EXPANDTABS);

    const DialogKindInfo& info = DialogKind(kind);
    MessageLayoutInput in;
    in.AvgCharWidth = letters.cx / kMeasureLetterCount;
    in.CharHeight = letters.cy;
    in.Buttons = buttons;
    in.CaptionWidths = ProcessButtonWidths().Widths();
    in.TextWidth = text.Right;
    in.TextHeight = text.Bottom;
    in.HasIcon = info.IconId != 0;
    in.RightToLeft = ReadsRightToLeft();
    MessageLayout layout = LayoutMessageDialog(in);

    SetClientSize(layout.ClientWidth, layout.ClientHeight);
    SetCaption(info.Title ? info.Title : (tk::Application ? tk::Application->Title() : ""));

    if (layout.Icon) {
        auto* image = new tk::TImage(this);
        image->SetName("Image");
        image->SetParent(this);
        image->SetBounds(layout.Icon->Left, layout.Icon->Top, kIconSize, kIconSize);
        image->SetIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(info.IconId)));
    }

    auto* label = new tk::TLabel(this);
    label->SetName("Message");
    label->SetParent(this);
    label->WordWrap = true;
    label->SetCaption(shown);
    label->SetBounds(layout.Label.Left, layout.Label.Top, layout.Label.Width(),
                     layout.Label.Height());

    for (const PlacedButton& placed : layout.Buttons) {
        const ButtonKindInfo& kindInfo = ButtonKind(placed.Kind);
        auto* button = new tk::TButton(this);
        button->SetName(kindInfo.Name);
        button->SetCaption(kindInfo.Caption);
        button->ModalResult = kindInfo.Result;
        button->Default = placed.Default;
        button->Cancel = placed.Cancel;
        button->SetParent(this);
        button->SetBounds(placed.Bounds.Left, placed.Bounds.Top, placed.Bounds.Width(),
                          placed.Bounds.Height());
        // The program has no help file: the Help button answers nothing and the dialog stays.
        buttons_.push_back(button);
        if (placed.Default) defaultButton_ = button;
        if (placed.Cancel) cancelButton_ = button;
    }
}

void TMessageForm::CreateParams(tk::TCreateParams& params) {
    tk::TForm::CreateParams(params);
    // Shown while another dialog is up (the end of the session asks while the save dialog is
    // open, say): owned by that dialog, so that it is never behind it.
    if (HWND modal = tk::TopmostModalWindow()) params.WndParent = modal;
    if (ReadsRightToLeft()) params.ExStyle |= WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
}

void TMessageForm::CenterOnScreen() {
    tk::TRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    tk::TPoint at = CenteredIn(primary, Width(), Height());
    SetBounds(at.X, at.Y, Width(), Height());

    HWND active = GetActiveWindow();
    if (!active || active == Handle()) return;
    HMONITOR activeMonitor = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
    RECT bounds{Left(), Top(), Left() + Width(), Top() + Height()};
    if (MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST) == activeMonitor) return;
    at = CenteredIn(tk::ToRect(MonitorInfo(activeMonitor).rcMonitor), Width(), Height());
    SetBounds(at.X, at.Y, Width(), Height());
}

std::string TMessageForm::ClipboardText() const {
    std::vector<std::string> captions;
    for (const tk::TButton* button : buttons_)
        captions.push_back(button->Caption());
    return DialogClipboardText(Caption(), text_, captions);
}

bool TMessageForm::PreviewKeyMessage(const MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
        return KeyDown(msg.wParam);
    case WM_CHAR:
    case WM_SYSCHAR:
        return ClickByAccessKey(static_cast<wchar_t>(msg.wParam));
    default:
        return false;
    }
}

bool TMessageForm::KeyDown(WPARAM key) {
    switch (key) {
    case VK_RETURN:
    case VK_SPACE:
        if (tk::TButton* focused = FocusedButton())
            focused->Click();
        else if (defaultButton_)
            defaultButton_->Click();
        return true;
    case VK_ESCAPE:
        if (cancelButton_) cancelButton_->Click();
        return true;
    case VK_TAB:
        MoveFocus(GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        MoveFocus(true);
        return true;
    case VK_LEFT:
    case VK_UP:
        MoveFocus(false);
        return true;
    case 'C':
        if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0)
            return false;
        MessageBeep(0);
        PutTextOnClipboard(Handle(), ClipboardText());
        return true;
    default:
        return false;
    }
}

bool TMessageForm::ClickByAccessKey(wchar_t typed) {
    auto fold = [](wchar_t c) {
        return static_cast<wchar_t>(
            reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR{c}))));
    };
    if (typed == L'\0') return false;
    for (tk::TButton* button : buttons_) {
        const auto key =
            static_cast<wchar_t>(static_cast<unsigned char>(AccessKey(button->Caption())));
        if (key != L'\0' && fold(key) == fold(typed)) {
            button->Click();
            return true;
        }
    }
    return false;
}

tk::TButton* TMessageForm::FocusedButton() const {
    auto it = std::find_if(buttons_.begin(), buttons_.end(),
                           [](const tk::TButton* b) { return b->Focused(); });
    return it == buttons_.end() ? nullptr : *it;
}

void TMessageForm::MoveFocus(bool forward) {
    if (tk::TButton* next = tk::NextInCycle(buttons_, FocusedButton(), forward)) next->SetFocus();
}

} // namespace dialogs
