#pragma once
// Where the caption's close and min/max buttons and its text are painted. The buttons sit at
// the strip's button end: with a top caption the right end (cbpRight) or the left end (cbpLeft);
// with a left caption, a vertical strip, the top end (cbpRight) or the bottom end (cbpLeft).
#include "AdvPanel/model/panel_size_rules.h"
#include "AdvPanel/model/panel_types.h"

#include <array>

namespace advpanel {

struct ButtonEnd {
    TCaptionPosition Position = TCaptionPosition::cpTop;
    TCaptionButtonPosition Button = TCaptionButtonPosition::cbpRight;
};

// Takes `size` pixels off the running button area `k` at the button end.
void ShrinkAtButtonEnd(tk::TRect& k, ButtonEnd end, int size);

// The 14 x 14 box of a themed caption button.
tk::TRect ThemedButtonBox(const tk::TRect& k, ButtonEnd end);

// Top-left corner of a glyph of the given size.
tk::TPoint GlyphOrigin(const tk::TRect& k, ButtonEnd end, int glyphWidth, int glyphHeight);

struct LineSegment {
    tk::TPoint From, To;
};

// The two strokes of the drawn close cross.
std::array<LineSegment, 2> CloseCross(const tk::TRect& k, ButtonEnd end);

// The drawn min/max triangle: pointing to the strip's inside when collapsed, back otherwise.
std::array<tk::TPoint, 3> MinMaxTriangle(const tk::TRect& k, ButtonEnd end, bool collapsed);

struct CaptionTextLayout {
    int Height = 20;
    int Indent = 0;
    int TopIndent = 0;
    bool CloseButton = false;
    bool MinMaxButton = false;
};

// The caption text's rectangle: 20 pixels kept clear for each button that is on, on top of what
// the buttons' painting took off `k`.
tk::TRect CaptionTextRect(tk::TRect k, ButtonEnd end, const CaptionTextLayout& text);

} // namespace advpanel
