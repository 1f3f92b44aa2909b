#pragma once
// The steps around a control's hint: what text it shows and where, as the control decides, and
// the call that hides a showing hint.
#include "controls.h"

#include <functional>

namespace tk {

// The hint of `control` for the mouse at `cursorScreen`: by default its Hint just below the
// cursor, then as the control's HintShow leaves it. Returns false when the control refuses it.
bool PrepareHint(TControl& control, TPoint cursorScreen, THintInfo& info);

// Hides the hint that is showing, if any, through the hook of whatever shows hints.
void CancelHint();
// Returns the previous hook.
std::function<void()> SetHintCancelHook(std::function<void()> hook);

} // namespace tk
