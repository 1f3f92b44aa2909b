#pragma once
// Where painting laid the panel's texts out: each text's anchor boxes and the area the text shows
// in. Hit-testing reads this instead of laying the texts out again, so what answers the mouse is
// exactly what was painted, and a mouse move costs no layout.
#include "AdvPanel/markup/html_params.h"
#include "toolkit/base/geometry.h"

#include <vector>

namespace advpanel {

struct LaidOutText {
    tk::TRect Shown; // anchors answer only inside it
    std::vector<HtmlAnchorBox> Anchors;

    // The anchor box whose pieces hold `p`, or null.
    const HtmlAnchorBox* AnchorAt(tk::TPoint p) const;
};

struct PanelTextLayout {
    LaidOutText Body;
    LaidOutText Caption;   // empty while the caption is hidden
    LaidOutText StatusBar; // empty while the status bar is hidden
};

} // namespace advpanel
