#pragma once
// The panel's own settings as two values: how it looks, which its painting reads, and how it
// behaves under the mouse and when collapsing. A copy of another panel and a styler's settings
// assign each of them whole. Needs no operating system.
#include "AdvPanel/model/panel_types.h"
#include "toolkit/base/colors.h"

namespace advpanel {

struct PanelLook {
    tk::TColor ColorTo = tk::clNone; // clNone: a solid background
    TGradientDirection GradientDirection = TGradientDirection::gdVertical;
    tk::TColor BorderColor = 0;
    bool BorderShadow = false;
    bool CanSize = false; // a size grip in the corner
    TBackGroundPosition BackgroundPosition = TBackGroundPosition::bpTopLeft;
    // The body text's place.
    bool Ellipsis = false;
    int Indent = 0;
    int TopIndent = 0;
    int LineSpacing = 0;
    TTextVAlignment TextVAlign = TTextVAlignment::tvaTop;
    // How the marked-up texts look.
    tk::TColor ShadowColor = tk::RGBColor(128, 128, 128);
    int ShadowOffset = 2;
    tk::TColor URLColor = tk::RGBColor(0, 0, 255);
    bool Hover = false; // the anchor under the mouse in the hover colours
    tk::TColor HoverColor = tk::clNone;
    tk::TColor HoverFontColor = tk::clNone;

    friend bool operator==(const PanelLook&, const PanelLook&) = default;
};

// Plain settings: they take effect where they are next used.
struct PanelBehaviour {
    bool AnchorHint = false;
    bool AutoHideChildren = true;
    bool CanMove = false;
    tk::TColor CollapsColor = tk::RGBColor(128, 128, 128);
    int CollapsDelay = 20;
    int CollapsSteps = 0;
    bool FixedTop = false, FixedLeft = false, FixedHeight = false, FixedWidth = false;
    bool ShowMoveCursor = false;
};

} // namespace advpanel
