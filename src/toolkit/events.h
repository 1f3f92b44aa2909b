#pragma once
// Event slot types: each holds one handler, and every handler gets the sending object first.
#include "geometry.h"

#include <functional>
#include <string>
#include <variant>

namespace tk {

class TObject;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mousePos, bool& handled)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A handler published by a form under its name, for binding by a stored layout.
using TMethod = std::variant<TNotifyEvent, TMouseEvent, TMouseMoveEvent, TContextPopupEvent,
                             TCloseQueryEvent>;

} // namespace tk
