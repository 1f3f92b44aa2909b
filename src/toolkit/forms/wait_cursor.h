#pragma once
// Shows the system's wait cursor while a long operation runs on the GUI thread (no messages are
// handled meanwhile, so nothing resets it); the previous cursor returns at the end.
#include <windows.h>

namespace tk {

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace tk
