#include "application.h"

#include "toolkit/system/event_errors.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/system/startup_marks.h"
#include "toolkit/system/system_library.h"
#include "toolkit/text/unicode_text.h"
#include "toolkit/system/visual_styles.h"

#include <algorithm>
#include <iterator>

namespace tk {

TApplication* Application = nullptr;

namespace {

// Posted to the application's window: show the queued exceptions.
constexpr UINT kShowQueuedExceptions = WM_APP + 1;

// What the user does: a key or a button pressed.
bool IsUserAction(UINT msg) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

// The text an exception shows; empty for the silent EAbort.
std::string TextOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return {};
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

} // namespace

// The hidden top-level window: zero size, centred on the screen, with the title as its text.
class TApplication::Window : public TWinControl {
public:
    Window(TApplication& app) : TWinControl(nullptr), app_(app) {}
    // The window goes while this object is whole, so that its last messages reach WndProc here.
    ~Window() override { DestroyHandle(); }
    const char* ClassName() const override { return "TApplicationWindow"; }
    std::string Text;

    // Shows the window (the task-bar button) without taking the activation, once everything
    // else has painted: the system's timer message comes only when no window has anything left
    // to paint. The note's first paint does not wait for a second window to be shown.
    void ShowOncePainted() { SetTimer(Handle(), kShowTimer, USER_TIMER_MINIMUM, nullptr); }
    void ShowNow(int showCommand) {
        KillTimer(Handle(), kShowTimer);
        SetIcons();
        ShowWindow(Handle(), showCommand);
    }

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        p.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
        p.X = GetSystemMetrics(SM_CXSCREEN) / 2;
        p.Y = GetSystemMetrics(SM_CYSCREEN) / 2;
        p.Width = 0;
        p.Height = 0;
        p.Caption = Text;
        p.WinClassName = "TkApplicationWindow";
    }

    // The window's icons, set once, when it is first shown: the big one is the shared one, the
    // small one is made at its own size and is ours.
    void SetIcons() {
        if (smallIcon_) return;
        HINSTANCE instance = GetModuleHandleA(nullptr);
        HICON big = LoadIconA(instance, "MAINICON");
        if (!big) return;
        smallIcon_.Reset(static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), 0)));
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_.Get() : big));
    }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_TIMER:
            if (wParam != kShowTimer) break;
            ShowNow(SW_SHOWNA);
            return 0;
        case WM_CLOSE:
            // The task-bar button's close command goes to the main form.
            if (app_.MainForm()) app_.MainForm()->Close();
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
            case SC_MINIMIZE:
                app_.Minimize();
                return 0;
            case SC_RESTORE:
                app_.Restore();
                return 0;
            default:
                break;
            }
            break;
        case kShowQueuedExceptions:
            app_.ShowQueuedExceptions();
            return 0;
        case WM_ENABLE:
            if (wParam)
                app_.RestoreTopMosts();
            else
                app_.NormalizeTopMosts();
            break;
        case WM_SETFOCUS:
            if (TCustomForm* form = app_.MainForm(); form && form->HandleAllocated() &&
                                                     IsWindowVisible(form->Handle()) &&
                                                     IsWindowEnabled(form->Handle())) {
                ::SetFocus(form->Handle());
                return 0;
            }
            break;
        case WM_NCDESTROY: {
            LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
            smallIcon_.Reset(); // goes with the window that showed it
            return result;
        }
        default:
            break;
        }
        return TWinControl::WndProc(msg, wParam, lParam);
    }

private:
    static constexpr UINT_PTR kShowTimer = 1;
    TApplication& app_;
    IconHandle smallIcon_;
};

TApplication::TApplication() : TComponent(nullptr) {
    SetName("Application");
    if (!Application) Application = this;
}

TApplication::~TApplication() {
    // Forms go before the window that owns them.
    while (!Components().empty())
        delete Components().back();
    delete window_;
    LeaveComApartment();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    if (!window_) {
        window_ = new Window(*this);
        window_->Text = "";
        window_->HandleNeeded();
    }
}

HWND TApplication::Handle() const {
    return window_ ? window_->Handle() : nullptr;
}

std::string TApplication::Title() const {
    if (!Handle()) return window_ ? window_->Text : std::string();
    wchar_t buffer[256] = {};
    GetWindowTextW(Handle(), buffer, static_cast<int>(std::size(buffer)));
    return Utf8(buffer);
}

void TApplication::SetTitle(const std::string& title) {
    if (!window_ || window_->Text == title) return; // the window shows it already
    window_->Text = title;
    if (Handle()) SetWindowTextW(Handle(), Wide(title).c_str());
}

void TApplication::AddForm(TCustomForm* form) {
    if (!mainForm_) mainForm_ = form;
    form->HandleNeeded();
    StartupMark("windows made");
}

void TApplication::Run() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    Run((startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL);
}

void TApplication::Run(int showCommand) {
    ShowMainForm(showCommand);
    StartupMark("shown");
    while (!terminated_ && HandleMessage()) {
    }
}

void TApplication::ShowMainForm(int showCommand) {
    if (!mainForm_) return;
    if (showCommand == SW_SHOWMINNOACTIVE) {
        if (window_ && Handle()) window_->ShowNow(SW_SHOWNORMAL);
        Minimize();
        return;
    }
    if (showCommand == SW_SHOWMAXIMIZED) mainForm_->SetWindowState(TWindowState::wsMaximized);
    mainForm_->Show();
    if (window_ && Handle()) window_->ShowOncePainted();
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::HandleMessage() {
    MSG msg;
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        terminated_ = true;
        return false;
    }
    return DispatchOne(msg);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        DispatchOne(msg);
    }
}

bool TApplication::DispatchOne(MSG& msg) {
    if (IsUserAction(msg.message)) lastPaintError_.clear();
    if (!PreprocessMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::AddModelessDialog(HWND dialog) {
    if (std::find(modelessDialogs_.begin(), modelessDialogs_.end(), dialog) ==
        modelessDialogs_.end())
        modelessDialogs_.push_back(dialog);
}

// A modeless dialog takes its own messages; the rest are the forms'.
bool TApplication::PreprocessMessage(MSG& msg) {
    std::erase_if(modelessDialogs_, [](HWND dialog) { return !IsWindow(dialog); });
    for (HWND dialog : modelessDialogs_)
        if (IsDialogMessageW(dialog, &msg)) return true;
    return PreprocessFormMessage(msg);
}

// A form with KeyPreview sees its controls' keys and the wheel first. Tab moves the focus between tab stops
// unless the focused control wants the key itself.
bool TApplication::PreprocessFormMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_CHAR ||
        msg.message == WM_SYSCHAR || msg.message == WM_MOUSEWHEEL) {
        TWinControl* target = TWinControl::FromHandle(msg.hwnd);
        TCustomForm* form = target ? dynamic_cast<TCustomForm*>(target) : nullptr;
        if (target && !form) form = target->ParentForm();
        if (form && form->KeyPreview) {
            try {
                if (form->PreviewKeyMessage(msg)) return true;
            } catch (...) {
                QueueException();
                return true;
            }
        }
    }
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    TWinControl* control = TWinControl::FromHandle(msg.hwnd);
    if (!control || control->WantsTab()) return false;
    TCustomForm* form = control->ParentForm();
    if (!form) return false;
    try {
        form->SelectNext(control, GetKeyState(VK_SHIFT) >= 0);
    } catch (...) {
        QueueException();
    }
    return true;
}

void TApplication::Minimize() {
    if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_HIDE);
    if (Handle()) ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
    if (window_ && Handle()) window_->ShowNow(SW_RESTORE);
    if (mainForm_) mainForm_->Show();
}

namespace {

constexpr UINT kLayerFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

bool IsTopmost(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

template <typename F> void ForEachPinnedForm(const TApplication& app, F&& action) {
    for (TComponent* c : app.Components())
        if (auto* form = dynamic_cast<TCustomForm*>(c);
            form && form->HandleAllocated() && form->FormStyle() == TFormStyle::fsStayOnTop)
            action(form->Handle());
}

} // namespace

void TApplication::NormalizeTopMosts() {
    ForEachPinnedForm(*this, [this](HWND form) {
        SetWindowPos(form, HWND_NOTOPMOST, 0, 0, 0, 0, kLayerFlags);
        if (!IsTopmost(form)) return;
        // Some window systems keep an owned window above its owner's layer (seen under Wine):
        // then the form leaves it without its owner for the time being.
        SetWindowLongPtrW(form, GWLP_HWNDPARENT, 0);
        SetWindowPos(form, HWND_NOTOPMOST, 0, 0, 0, 0, kLayerFlags);
        unownedForms_.push_back(form);
    });
}

void TApplication::RestoreTopMosts() {
    for (HWND form : unownedForms_)
        if (IsWindow(form))
            SetWindowLongPtrW(form, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Handle()));
    unownedForms_.clear();
    ForEachPinnedForm(*this,
                      [](HWND form) { SetWindowPos(form, HWND_TOPMOST, 0, 0, 0, 0, kLayerFlags); });
}

void TApplication::HandleException() noexcept {
    try {
        try {
            throw;
        } catch (const EAbort&) {
        } catch (const std::exception& e) {
            if (OnException)
                OnException(e);
            else
                ShowException(e.what());
        } catch (...) {
            ShowException("Unknown exception");
        }
    } catch (...) {
        // The display itself failed; nothing more can be shown.
    }
}

void TApplication::QueueException(bool duringPaint) noexcept {
    try {
        QueuedError queued{std::current_exception(), {}, duringPaint};
        queued.Text = TextOf(queued.Error);
        if (queued.Text.empty()) return; // EAbort
        const auto same = [&](const std::string& text) { return text == queued.Text; };
        if (std::any_of(errorsOnScreen_.begin(), errorsOnScreen_.end(), same) ||
            std::any_of(queuedErrors_.begin(), queuedErrors_.end(),
                        [&](const QueuedError& q) { return same(q.Text); }) ||
            (duringPaint && same(lastPaintError_)))
            return;
        if (!Handle()) { // no window to post to: no loop to wait for either
            HandleException();
            return;
        }
        queuedErrors_.push_back(std::move(queued));
        if (!errorsPosted_)
            errorsPosted_ = PostMessageW(Handle(), kShowQueuedExceptions, 0, 0) != FALSE;
    } catch (...) {
        // No memory to keep it; nothing more can be done.
    }
}

void TApplication::ShowQueuedExceptions() {
    errorsPosted_ = false;
    while (!queuedErrors_.empty()) {
        QueuedError next = std::move(queuedErrors_.front());
        queuedErrors_.pop_front();
        if (next.DuringPaint) lastPaintError_ = next.Text;
        errorsOnScreen_.push_back(next.Text);
        try {
            std::rethrow_exception(next.Error);
        } catch (...) {
            HandleException();
        }
        errorsOnScreen_.pop_back();
    }
}

void TApplication::ShowException(const std::string& message) {
    std::string caption = Title();
    VisualStylesScope styles;
    MessageBoxW(Handle(), Wide(message).c_str(), Wide(caption).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void HandleEventException(bool duringPaint) noexcept {
    if (Application) {
        Application->QueueException(duringPaint);
        return;
    }
    try {
        throw;
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, Wide(e.what()).c_str(), L"Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

} // namespace tk
