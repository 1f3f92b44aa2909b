#pragma once
// The visual styles for the program's dialogs. The system's common controls of version 6 draw
// with them; the program does not ask for them for the whole process (loading them costs a
// noticeable part of start-up, and the note's own window has no control that needs them), but
// activates them for the time a dialog is made and shown: the dialog's buttons and the file
// dialogs then look as the system's own do. The activation context comes from the program's
// manifest resource 101.
#include <windows.h>

namespace tk {

class VisualStylesScope {
public:
    VisualStylesScope();
    VisualStylesScope(const VisualStylesScope&) = delete;
    VisualStylesScope& operator=(const VisualStylesScope&) = delete;
    ~VisualStylesScope();

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

} // namespace tk
