#include "modal.h"

namespace tk {

TaskWindowsDisabled::TaskWindowsDisabled(HWND keep) : keep_(keep) {
    std::vector<HWND> candidates;
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&candidates));
    for (HWND hwnd : candidates) {
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
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

void CancelMouseCapture() {
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
}

} // namespace tk
