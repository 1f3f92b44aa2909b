#pragma once
// Everything the panel's painting reads, taken from the panel in one plain value: the painters
// never reach into the panel itself.
#include "AdvPanel/paint/panel_paint_geometry.h"
#include "AdvPanel/model/panel_caption.h"
#include "AdvPanel/model/panel_look.h"
#include "AdvPanel/model/panel_statusbar.h"
#include "toolkit/controls/extctrls.h"

#include <string_view>

namespace advpanel {

class THTMLPictureCache;

struct PanelPaintState {
    HWND Window = nullptr; // the panel's window, for the visual style's parts
    PaintFrame Frame;      // client size, border, bevels and caption strip
    PanelLook Look;        // the panel's own look settings
    tk::TColor Color = tk::clBtnFace;
    tk::TBevelCut BevelOuter = tk::TBevelCut::bvNone;
    tk::TBevelCut BevelInner = tk::TBevelCut::bvNone;
    const tk::TBitmap* Background = nullptr;
    const tk::TBitmap* ShadeBitmap = nullptr; // the caption's pre-rendered shade texture
    bool ThemesActive = false;
    bool Collaps = false;

    // The body text and its font, and what the marked-up texts' pictures come from.
    std::string_view Text;
    const tk::TFont* Font = nullptr;
    tk::TComponent* Images = nullptr;
    tk::TComponent* PictureContainer = nullptr;
    THTMLPictureCache* PictureCache = nullptr;

    // What the mouse is over.
    int HotBodyAnchor = -1;
    int HotCaptionAnchor = -1;
    bool CloseButtonHot = false;
    bool MinMaxButtonHot = false;

    const TPanelCaption* Caption = nullptr;
    const TPanelStatusBar* StatusBar = nullptr;
};

} // namespace advpanel
