#pragma once
// The memo's own word-break procedure for the system's edit control.
#include <windows.h>

namespace tk {

// A word-break procedure that breaks lines at blanks, in time linear in the text it looks at,
// for edit controls of the kind the memo uses. The system's own procedure works out the break
// opportunities of the whole text, in one allocation of its size, whenever the text changes.
EDITWORDBREAKPROCA EditWordBreakProc();

} // namespace tk
