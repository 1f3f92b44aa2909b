#pragma once
// Where the panel's painting puts its border, shadow and caption strip.
#include "panel_geometry.h"
#include "toolkit/geometry.h"

namespace advpanel {

struct PaintFrame {
    int Width = 0; // client size
    int Height = 0;
    bool BorderShadow = false;
    int BorderWidth = 0;
    bool HasBevel = false; // either bevel set
    int BevelWidth = 1;
    TCaptionPosition CaptionPosition = TCaptionPosition::cpTop;
    int CaptionHeight = 20;
};

// The border outline: the client rectangle, less the two shadow lines on the right and bottom.
tk::TRect BorderOutline(const PaintFrame& f);

// The area the caption strip and its buttons share. Without a shadow it starts at the panel's
// edge, over the border line.
tk::TRect CaptionArea(const PaintFrame& f);

// The caption strip's painted thickness: its height less a bevel's width at both ends, whether
// or not a bevel is drawn.
int CaptionBand(const PaintFrame& f);

// The strip filled in `area` (from CaptionArea). A plain left strip stops short of the shadow's
// three bottom rows; a shaded one runs to the area's end.
tk::TRect CaptionStrip(const PaintFrame& f, const tk::TRect& area, bool shaded);

} // namespace advpanel
