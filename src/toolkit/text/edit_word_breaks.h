#pragma once
// The memo's own word-break procedure for the system's edit control.
#include <windows.h>

namespace tk {

// A word-break procedure that breaks lines at blanks, in time linear in the text it looks at,
// for the Unicode edit control the memo is. The system's own procedure works out the break
// opportunities of the whole text, in one allocation of its size, whenever the text changes.
EDITWORDBREAKPROCW EditWordBreakProc();

} // namespace tk
