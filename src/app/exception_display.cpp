#include "exception_display.h"

#include "notefiles/error_text.h"
#include "toolkit/modal.h"
#include "toolkit/unicode_text.h"
#include "toolkit/visual_styles.h"

#include <iterator>

namespace app {
namespace {

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

} // namespace

void InstallExceptionDisplay(tk::TApplication& application) {
    application.OnException = [&application](const std::exception& error) {
        ShowExceptionBox(application, error);
    };
}

void ShowExceptionBox(tk::TApplication& application, const std::exception& error) {
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    std::string text = notefiles::WithFullStop(error.what());
    HWND appWindow = application.Handle();
    wchar_t caption[256] = {};
    if (appWindow) GetWindowTextW(appWindow, caption, static_cast<int>(std::size(caption)));

    HWND active = GetActiveWindow();
    HWND focused = GetFocus();
    // Shown while another dialog is up: owned by it, so that it comes in front of it.
    HWND owner = tk::TopmostModalWindow();
    {
        AppWindowOnActiveMonitor placement(appWindow, active);
        tk::TaskWindowsDisabled others;
        tk::VisualStylesScope styles;
        UINT flags = MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND;
        if (application.RightToLeftReading) flags |= MB_RTLREADING;
        MessageBoxW(owner ? owner : appWindow, tk::Wide(text).c_str(), caption, flags);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (focused && IsWindow(focused)) SetFocus(focused);
}

} // namespace app
