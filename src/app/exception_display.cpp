#include "exception_display.h"

#include "dialogs/clipboard_text.h"
#include "dialogs/layout/dialog_text.h"
#include "dialogs/layout/long_words.h"
#include "notetext/error_text.h"
#include "toolkit/forms/modal.h"
#include "toolkit/text/unicode_text.h"
#include "toolkit/system/visual_styles.h"

#include <iterator>
#include <optional>

namespace app {
namespace {

// NONCLIENTMETRICSW as it was before the padded-border field: accepted by every system.
constexpr UINT kNonClientMetricsSize = 500;

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Moves the application's window to the centre of the active window's monitor for the box's
// lifetime, so that the box appears where the user is looking; moves it back afterwards.
class AppWindowOnActiveMonitor {
public:
    AppWindowOnActiveMonitor(HWND appWindow, HWND active) : app_(appWindow) {
        if (!app_ || !active) return;
        HMONITOR target = MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST);
        if (target == MonitorFromWindow(app_, MONITOR_DEFAULTTONEAREST)) return;
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!GetMonitorInfoW(target, &info)) return;
        RECT own;
        GetWindowRect(app_, &own);
        formerCentre_ = Centre(own);
        MoveCentreTo(Centre(info.rcMonitor));
        moved_ = true;
    }
    AppWindowOnActiveMonitor(const AppWindowOnActiveMonitor&) = delete;
    AppWindowOnActiveMonitor& operator=(const AppWindowOnActiveMonitor&) = delete;
    ~AppWindowOnActiveMonitor() {
        if (moved_ && IsWindow(app_)) MoveCentreTo(formerCentre_);
    }

private:
    void MoveCentreTo(POINT centre) {
        RECT r;
        GetWindowRect(app_, &r);
        SetWindowPos(app_, nullptr, centre.x - (r.right - r.left) / 2,
                     centre.y - (r.bottom - r.top) / 2, 0, 0,
                     SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOSIZE | SWP_NOZORDER);
    }
    HWND app_;
    POINT formerCentre_{};
    bool moved_ = false;
};

// The font the system's message boxes draw their text in.
tk::FontHandle MessageBoxFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0))
        return tk::FontHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    return tk::FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

// The message with its words that are too wide for a box on the monitor of `window` broken where
// it is shown (a long file name): the box has no width of its own to set, and it takes the width
// of its widest line. Lines of half the monitor's work area keep the whole box on the monitor.
std::string FittedToMonitor(const std::string& message, HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return message;
    const int room = (info.rcWork.right - info.rcWork.left) / 2;
    tk::FontHandle font = MessageBoxFont();
    tk::WindowDC screen(nullptr);
    tk::SelectedObject selected(screen.Get(), font.Get());
    return dialogs::BreakLongWords(message, room, [&](std::string_view piece) {
        const std::wstring wide = tk::Wide(std::string(piece));
        SIZE size{};
        GetTextExtentPoint32W(screen.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    });
}

// While the box is up, Ctrl+C copies the message as it is, without the breaks made for showing
// it (the system's box would copy what it shows).
class CopiesWholeMessage {
public:
    CopiesWholeMessage(const std::string& caption, const std::string& message) {
        copied_ = dialogs::DialogClipboardText(caption, message, {"OK"});
        hook_ = SetWindowsHookExW(WH_MSGFILTER, Filter, nullptr, GetCurrentThreadId());
    }
    CopiesWholeMessage(const CopiesWholeMessage&) = delete;
    CopiesWholeMessage& operator=(const CopiesWholeMessage&) = delete;
    ~CopiesWholeMessage() {
        if (hook_) UnhookWindowsHookEx(hook_);
        copied_.clear();
    }

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (code == MSGF_DIALOGBOX && IsCopyKey(*msg)) {
            try {
                dialogs::PutTextOnClipboard(GetAncestor(msg->hwnd, GA_ROOT), copied_);
            } catch (...) {
                // The clipboard is held elsewhere: nothing is copied, as the box would do.
            }
            return TRUE;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    // Ctrl+C as the key goes down, or as the character it makes.
    static bool IsCopyKey(const MSG& msg) {
        if (msg.message == WM_CHAR) return msg.wParam == 3;
        return msg.message == WM_KEYDOWN && msg.wParam == 'C' && GetKeyState(VK_CONTROL) < 0 &&
               GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
    }
    static inline std::string copied_;
    HHOOK hook_ = nullptr;
};

} // namespace

void InstallExceptionDisplay(tk::TApplication& application) {
    application.OnException = [&application](const std::exception& error) {
        ShowExceptionBox(application, error);
    };
}

void ShowExceptionBox(tk::TApplication& application, const std::exception& error) {
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    std::string text = notetext::WithFullStop(error.what());
    HWND appWindow = application.Handle();
    wchar_t caption[256] = {};
    if (appWindow) GetWindowTextW(appWindow, caption, static_cast<int>(std::size(caption)));

    HWND active = GetActiveWindow();
    HWND focused = GetFocus();
    // Shown while another dialog is up: owned by it, so that it comes in front of it.
    HWND owner = tk::TopmostModalWindow();
    const std::string shown = FittedToMonitor(text, active ? active : appWindow);
    {
        AppWindowOnActiveMonitor placement(appWindow, active);
        tk::TaskWindowsDisabled others;
        tk::VisualStylesScope styles;
        std::optional<CopiesWholeMessage> copies;
        if (shown != text) copies.emplace(tk::Utf8(caption), text);
        UINT flags = MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND;
        if (application.RightToLeftReading) flags |= MB_RTLREADING;
        MessageBoxW(owner ? owner : appWindow, tk::Wide(shown).c_str(), caption, flags);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (focused && IsWindow(focused)) SetFocus(focused);
}

} // namespace app
