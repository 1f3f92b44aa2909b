#pragma once
// Where the panel's caption buttons, move handle, click areas and size grip lie, how moves and
// sizes are held to fixed edges, and which anchor targets go to the shell. Everything in client
// coordinates unless said otherwise.
#include "AdvPanel/paint/panel_text_layout.h"
#include "AdvPanel/model/panel_size_rules.h"
#include "AdvPanel/model/panel_types.h"
#include "toolkit/base/geometry.h"

#include <string_view>

namespace advpanel {

// What decides the side of the caption's square buttons.
struct CaptionButtonGlyphs {
    int CloseMinWidth = 0;
    bool CloseMinEmpty = true;
    bool CloseMaxEmpty = true;
    int MinWidth = 0;
    bool MinEmpty = true;
    int MaxWidth = 0;
    bool MaxEmpty = true;
    bool XPThemed = false; // ShadeType stXPCaption with visual styles active
};

// Whom the size is for: the hit test measures a min/max glyph pair by its MinGlyph, everything
// else by its MaxGlyph.
enum class ButtonSizeUse { Other, HitTest };

// The side of the close and min/max buttons: 12, or the close glyphs' width, or the min/max
// glyphs' width, or 16 for the themed caption (later rules win).
int CaptionButtonSize(const CaptionButtonGlyphs& glyphs, ButtonSizeUse use = ButtonSizeUse::Other);

struct CaptionButtonLayout {
    TCaptionPosition Position = TCaptionPosition::cpTop;
    TCaptionButtonPosition ButtonPosition = TCaptionButtonPosition::cbpRight;
    int ButtonSize = 12; // w
    bool CloseButton = false;
    bool MinMaxButton = false;
    int CaptionHeight = 20;
};

// `r` with one button's width taken off the side the buttons sit on.
tk::TRect ShrinkForButton(const tk::TRect& r, const CaptionButtonLayout& layout);
// The first button's square, 2 pixels in from the button corner of `r`.
tk::TRect ButtonSquare(const tk::TRect& r, const CaptionButtonLayout& layout);
// The close button; the min/max button, which moves over by one button when a close button is
// shown. `client` is (0, 0, Width, Height).
tk::TRect CloseButtonRect(const tk::TRect& client, const CaptionButtonLayout& layout);
tk::TRect MinMaxButtonRect(const tk::TRect& client, const CaptionButtonLayout& layout);
// Where a release counts as a caption click: the caption strip, less the close button's width.
// The min/max button lies inside it.
tk::TRect CaptionClickArea(const tk::TRect& client, const CaptionButtonLayout& layout);
// Where a left double click counts as a caption double click: the unshrunk caption strip.
tk::TRect CaptionDoubleClickArea(const tk::TRect& client, TCaptionPosition position,
                                 int captionHeight);

// The strip y < CH (top caption) or x < CH (left caption).
bool InCaptionBand(tk::TPoint p, TCaptionPosition position, int captionHeight);
// The caption band without the shown buttons, open at both ends along the strip: a press here
// may move the panel.
bool InMoveZone(tk::TPoint p, const tk::TRect& client, const CaptionButtonLayout& layout);
// The bottom-right corner, one scroll bar's width and height, open at its inner edges.
bool InSizeGrip(tk::TPoint p, int width, int height, int scrollWidth, int scrollHeight);

// A rectangle proposed by the system's move loop, held to the current left or top edge.
tk::TRect KeepFixedEdges(tk::TRect proposed, tk::TPoint current, bool fixedLeft, bool fixedTop);
// A rectangle proposed by the system's size loop, held to a fixed width or height.
tk::TRect KeepFixedSize(tk::TRect proposed, tk::TPoint size, bool fixedWidth, bool fixedHeight);

// `r` one pixel larger on every side.
tk::TRect Grown(const tk::TRect& r);

// Anchor targets opened by the shell rather than reported to the program.
bool IsShellTarget(std::string_view target);

// An anchor's hint shows 10 pixels right of and 10 pixels above the cursor (screen coordinates).
tk::TPoint AnchorHintPos(tk::TPoint cursor);

struct PanelAnchorHit {
    const HtmlAnchorBox* Box = nullptr; // null when no anchor is under the point
    bool InCaption = false;
};
// The anchor under a client point, from where painting laid the texts out: in the caption's text
// when the point lies in a shown caption's band, else in the body's text unless the status bar is
// painted over the point.
PanelAnchorHit FindPanelAnchor(const PanelTextLayout& layout, tk::TPoint p, bool captionVisible,
                               TCaptionPosition captionPosition, int captionHeight);

} // namespace advpanel
