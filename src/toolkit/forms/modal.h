#pragma once
// Support for modal windows: while one is up, every other top-level window of the thread is
// disabled (which takes pinned forms out of the topmost layer, see TApplication).
#include <windows.h>

#include <vector>

namespace tk {

class TaskWindowsDisabled {
public:
    // Disables every visible, enabled top-level window of this thread except `keep`.
    explicit TaskWindowsDisabled(HWND keep = nullptr);
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;
    // Enables them again, in the order they were disabled.
    ~TaskWindowsDisabled();

private:
    static BOOL CALLBACK Collect(HWND hwnd, LPARAM self);
    HWND keep_;
    std::vector<HWND> disabled_;
};

// Cancels any mouse capture: WM_CANCELMODE to the capturing window, then ReleaseCapture.
void CancelMouseCapture();

// The topmost modal window of this thread that takes input now: a system dialog (a file dialog, a
// message box) or a modal form; null when none is up. A box or question shown meanwhile is owned
// by it, so that it stays in front of it and the user can answer it.
HWND TopmostModalWindow();

} // namespace tk
