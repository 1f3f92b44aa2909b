#include "edit_word_breaks.h"

#include "word_breaks.h"

namespace tk {
namespace {

static_assert(kWordStartLeft == WB_LEFT && kWordStartRight == WB_RIGHT &&
              kIsDelimiter == WB_ISDELIMITER);

// A Unicode edit control hands its procedure UTF-16 text.
int CALLBACK BreakText(LPWSTR text, int index, int count, int question) {
    return WordBreak(text, index, count, question);
}

} // namespace

EDITWORDBREAKPROCW EditWordBreakProc() {
    return BreakText;
}

} // namespace tk
