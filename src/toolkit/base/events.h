#pragma once
// Event slot types: each holds one handler, and every handler gets the sending object first.
#include "geometry.h"

#include <functional>
#include <string>
#include <variant>

namespace tk {

class TObject;
class TCanvas;

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
// May refuse (resize := false) or change a size before it is applied.
using TCanResizeEvent =
    std::function<void(TObject* sender, int& newWidth, int& newHeight, bool& resize)>;
// May change the size limits just before they are applied.
using TConstrainedResizeEvent = std::function<void(TObject* sender, int& minWidth, int& minHeight,
                                                   int& maxWidth, int& maxHeight)>;
using TAnchorEvent = std::function<void(TObject* sender, const std::string& anchor)>;
using TAnchorHintEvent = std::function<void(TObject* sender, std::string& anchor)>;
using TPaintEvent = std::function<void(TObject* sender, TCanvas& canvas, TRect rect)>;

// A handler published by a form under its name, for binding by a stored layout.
using TMethod = std::variant<TNotifyEvent, TMouseEvent, TMouseMoveEvent, TContextPopupEvent,
                             TCloseQueryEvent, TCanResizeEvent, TConstrainedResizeEvent,
                             TAnchorEvent, TAnchorHintEvent, TPaintEvent>;

} // namespace tk
