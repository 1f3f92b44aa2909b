#pragma once
// Everything the panel's painting reads, taken from the panel in one plain value: the painters
// never reach into the panel itself.
#include "AdvPanel/paint/panel_paint_geometry.h"
#include "AdvPanel/model/panel_caption.h"
#include "AdvPanel/model/panel_statusbar.h"
#include "toolkit/extctrls.h"

#include <string_view>

namespace advpanel {

class THTMLPictureCache;

struct PanelPaintState {
    HWND Window = nullptr; // the panel's window, for the visual style's parts
    PaintFrame Frame;      // client size, border, bevels and caption strip
    tk::TColor Color = tk::clBtnFace;
    tk::TColor ColorTo = tk::clNone;
    TGradientDirection GradientDirection = TGradientDirection::gdVertical;
    tk::TColor BorderColor = 0;
    tk::TBevelCut BevelOuter = tk::TBevelCut::bvNone;
    tk::TBevelCut BevelInner = tk::TBevelCut::bvNone;
    const tk::TBitmap* Background = nullptr;
    TBackGroundPosition BackgroundPosition = TBackGroundPosition::bpTopLeft;
    const tk::TBitmap* ShadeBitmap = nullptr; // the caption's pre-rendered shade texture
    bool ThemesActive = false;
    bool Collaps = false;
    bool CanSize = false;

    // The body text, and how the marked-up texts look.
    std::string_view Text;
    const tk::TFont* Font = nullptr;
    int Indent = 0;
    int TopIndent = 0;
    int LineSpacing = 0;
    TTextVAlignment TextVAlign = TTextVAlignment::tvaTop;
    bool Ellipsis = false;
    tk::TComponent* Images = nullptr;
    tk::TComponent* PictureContainer = nullptr;
    THTMLPictureCache* PictureCache = nullptr;
    int ShadowOffset = 2;
    tk::TColor ShadowColor = tk::clGray;
    tk::TColor URLColor = tk::RGBColor(0, 0, 255);
    tk::TColor HoverColor = tk::clNone;
    tk::TColor HoverFontColor = tk::clNone;
    bool Hover = false;

    // What the mouse is over.
    int HotBodyAnchor = -1;
    int HotCaptionAnchor = -1;
    bool CloseButtonHot = false;
    bool MinMaxButtonHot = false;

    const TPanelCaption* Caption = nullptr;
    const TPanelStatusBar* StatusBar = nullptr;
};

} // namespace advpanel
