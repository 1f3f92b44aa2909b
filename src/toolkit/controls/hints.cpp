#include "hints.h"

#include "win_control.h"

#include <utility>

namespace tk {
namespace {

std::function<void()>& CancelHook() {
    static std::function<void()> hook;
    return hook;
}

TPoint ScreenToControl(const TControl& control, TPoint p) {
    POINT pt{p.X, p.Y};
    const TControl* windowed = &control;
    int dx = 0, dy = 0;
    // A windowless control lies at its bounds inside its parent's window.
    while (windowed && !windowed->IsWindowed()) {
        dx += windowed->Left();
        dy += windowed->Top();
        windowed = windowed->Parent();
    }
    const auto* window = static_cast<const TWinControl*>(windowed);
    if (window && window->HandleAllocated()) ScreenToClient(window->Handle(), &pt);
    return {pt.x - dx, pt.y - dy};
}

} // namespace

bool PrepareHint(TControl& control, TPoint cursorScreen, THintInfo& info) {
    info.HintControl = &control;
    info.CursorPos = ScreenToControl(control, cursorScreen);
    info.HintPos = {cursorScreen.X, cursorScreen.Y + GetSystemMetrics(SM_CYCURSOR)};
    info.HintStr = control.Hint;
    return control.HintShow(info) == 0;
}

void CancelHint() {
    if (CancelHook()) CancelHook()();
}

std::function<void()> SetHintCancelHook(std::function<void()> hook) {
    return std::exchange(CancelHook(), std::move(hook));
}

} // namespace tk
