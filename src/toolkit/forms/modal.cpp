#include "modal.h"

#include "toolkit/base/callback_errors.h"
#include "forms.h"

namespace tk {

TaskWindowsDisabled::TaskWindowsDisabled(HWND keep) : keep_(keep) {
    Collected<HWND> candidates;
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&candidates));
    candidates.Errors.Rethrow();
    for (HWND hwnd : candidates.Items) {
        if (hwnd == keep_ || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) continue;
        disabled_.push_back(hwnd);
        EnableWindow(hwnd, FALSE);
    }
}

TaskWindowsDisabled::~TaskWindowsDisabled() {
    for (HWND hwnd : disabled_)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
}

BOOL CALLBACK TaskWindowsDisabled::Collect(HWND hwnd, LPARAM list) {
    return reinterpret_cast<Collected<HWND>*>(list)->Add(hwnd) ? TRUE : FALSE;
}

HWND TopmostModalWindow() {
    const DWORD thread = GetCurrentThreadId();
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        if (GetWindowThreadProcessId(hwnd, nullptr) != thread || !IsWindowVisible(hwnd) ||
            !IsWindowEnabled(hwnd))
            continue;
        auto* form = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(hwnd));
        wchar_t className[8] = {};
        GetClassNameW(hwnd, className, 8);
        if (form ? form->Modal() : lstrcmpW(className, L"#32770") == 0) return hwnd;
    }
    return nullptr;
}

void CancelMouseCapture() {
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
}

} // namespace tk
