#include "note_zoom.h"

#include <algorithm>
#include <cstdlib>

namespace note {

int ValidZoom(int percent) {
    const int stepped = (std::clamp(percent, kMinZoom, kMaxZoom) + kZoomStep / 2) / kZoomStep;
    return stepped * kZoomStep;
}

void NoteZoom::SetPercent(int percent) {
    percent = ValidZoom(percent);
    if (percent == percent_) return;
    if (baseHeight_ == 0) baseHeight_ = memo_.Font().Height();
    percent_ = percent;
    Apply();
}

int NoteZoom::WheelSteps(int delta) {
    wheel_ += delta;
    const int steps = wheel_ / WHEEL_DELTA;
    wheel_ -= steps * WHEEL_DELTA;
    return steps;
}

void NoteZoom::BaseChanged() {
    baseHeight_ = 0;
    if (percent_ == 100) return;
    const int percent = percent_;
    percent_ = 100; // the font now is the new base
    SetPercent(percent);
}

void NoteZoom::Apply() {
    // The height is scaled as it is stored (a negative height is the characters' own), rounded
    // away from zero; 100 % is the layout's height exactly.
    const int magnitude = (std::abs(baseHeight_) * percent_ + 50) / 100;
    const int height = std::max(1, magnitude) * (baseHeight_ < 0 ? -1 : 1);
    HWND edit = memo_.HandleAllocated() ? memo_.Handle() : nullptr;
    if (!edit) {
        memo_.Font().SetHeight(height);
        return;
    }
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const LRESULT firstLine = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    memo_.Font().SetHeight(height);
    // The control keeps the selection but puts its view where the caret is; the first line comes
    // back, and a caret at the selection's start stays there.
    SendMessageW(edit, EM_SETSEL, start, static_cast<LPARAM>(end));
    const LRESULT nowFirst = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (nowFirst != firstLine) SendMessageW(edit, EM_LINESCROLL, 0, firstLine - nowFirst);
}

} // namespace note
