#pragma once
// Where the panel's painting puts its border, shadow and caption strip.
#include "AdvPanel/model/panel_size_rules.h"
#include "AdvPanel/model/panel_types.h"
#include "toolkit/base/geometry.h"

#include <vector>

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

// The body area that clips the background picture and the body text: below (or right of) the
// caption band when the caption shows, clear of the shadow.
tk::TRect BodyArea(const PaintFrame& f, bool captionVisible);

// The body text's area inside `body`: inset by the border width and the indents, less the status
// bar (0 when hidden) along the bottom, or along the right with a left caption.
tk::TRect BodyTextArea(const PaintFrame& f, tk::TRect body, int indent, int topIndent,
                       int statusBarHeight);

// Moves the text area's top for centred or bottom-aligned text of the given height; text taller
// than its area starts at the top.
tk::TRect AlignTextArea(tk::TRect area, int textHeight, TTextVAlignment align);

// Where copies of a w x h background picture go in the body area; empty for bpStretched, which
// covers the area instead. `clientSize` is the panel's client size.
std::vector<tk::TPoint> BackgroundOrigins(const tk::TRect& body, tk::TPoint clientSize,
                                          tk::TPoint pictureSize, int bevelWidth,
                                          TBackGroundPosition position);

// The status bar along the bottom edge (top caption) or the right edge (left caption), from the
// panel's client size, one pixel in from the edges.
tk::TRect StatusBarRect(tk::TPoint clientSize, int statusBarHeight, TCaptionPosition position);

// The corner the size grip's lines end at.
tk::TPoint SizeGripCorner(const PaintFrame& f);

} // namespace advpanel
