#pragma once
// The area a gradient panel leaves to its children.
#include "toolkit/geometry.h"

namespace advpanel {

enum class TCaptionPosition { cpTop, cpLeft };

struct PanelFrame {
    int Width = 0;
    int Height = 0;
    bool CaptionVisible = false;
    TCaptionPosition CaptionPosition = TCaptionPosition::cpTop;
    int CaptionHeight = 20;
    bool StatusBarVisible = false;
    int StatusBarHeight = 18;
};

// The client rectangle with the caption strip and the status bar taken off, before the border
// and bevel insets. A top caption takes rows from the top and the status bar from the bottom; a
// left caption takes columns from the left and the status bar from the right.
tk::TRect AreaInsideStrips(const PanelFrame& frame);

} // namespace advpanel
