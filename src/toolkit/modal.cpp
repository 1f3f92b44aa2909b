#include "modal.h"

#include "callback_errors.h"

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

void CancelMouseCapture() {
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
}

} // namespace tk
