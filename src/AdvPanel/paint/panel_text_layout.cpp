#include "AdvPanel/paint/panel_text_layout.h"

namespace advpanel {

const HtmlAnchorBox* LaidOutText::AnchorAt(tk::TPoint p) const {
    if (!Shown.Contains(p)) return nullptr;
    for (const HtmlAnchorBox& box : Anchors)
        if (box.Holds(p)) return &box;
    return nullptr;
}

} // namespace advpanel
