#include "edit_word_breaks.h"

#include "word_breaks.h"

namespace tk {
namespace {

static_assert(kWordStartLeft == WB_LEFT && kWordStartRight == WB_RIGHT &&
              kIsDelimiter == WB_ISDELIMITER);

int CALLBACK BreakAnsiText(LPSTR text, int index, int count, int question) {
    return WordBreak(reinterpret_cast<const unsigned char*>(text), index, count, question);
}

int CALLBACK BreakWideText(LPSTR text, int index, int count, int question) {
    return WordBreak(reinterpret_cast<const wchar_t*>(text), index, count, question);
}

// What the probe's procedure saw: 0 not called, 1 ANSI text, 2 UTF-16 text.
int g_probeSaw = 0;

int CALLBACK Probe(LPSTR text, int, int count, int) {
    if (count >= 2 && text[0] == 'a') g_probeSaw = text[1] == 0 ? 2 : 1;
    return 0;
}

// Whether edit controls hand a word-break procedure UTF-16 text. The control of the common
// controls' version 6 does so under Wine even for a window made with the ANSI functions; an
// ANSI control elsewhere hands ANSI bytes. Asked once, at start-up, of a control that must wrap;
// a message-only one, as a window on the screen costs several times as much to make.
bool EditsHandWideText() {
    HWND probe = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 40, 40, HWND_MESSAGE,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!probe) return false;
    SendMessageA(probe, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(Probe));
    SendMessageA(probe, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab ab ab ab ab ab ab ab ab ab"));
    DestroyWindow(probe); // nothing between its making and here can throw
    return g_probeSaw == 2;
}

} // namespace

EDITWORDBREAKPROCA EditWordBreakProc() {
    static const EDITWORDBREAKPROCA proc = EditsHandWideText() ? BreakWideText : BreakAnsiText;
    return proc;
}

} // namespace tk
