#pragma once
// Lays out, draws, measures and hit-tests the panel's mini-markup texts (body, caption and
// status bar) in a rectangle of a canvas, starting from the canvas's current font.
#include "toolkit/graphics.h"

#include <string>

namespace advpanel {

class THTMLPictureCache;

struct HtmlRenderParams {
    std::string Text;
    tk::TRect Rect;
    tk::TComponent* Images = nullptr; // the image list of "IDX:" sources
    tk::TPoint Mouse{0, 0};           // hit-test position; (0, 0) when not hit-testing
    int FocusAnchor = -1;             // counted from 0
    int HotAnchor = -1;               // counted from 1
    int ShadowOffset = 0;
    bool MeasureOnly = false; // lay out and hit-test, draw nothing
    bool SizeOnly = false;    // only the measuring pass of each line
    bool Print = false;
    bool Selected = false; // colours from the markup are ignored
    bool BlinkPhase = true;
    bool Hover = false;
    bool WordWrap = true; // off: one line per break, cut with an ellipsis
    double Scale = 1.0;
    tk::TColor URLColor = tk::RGBColor(0, 0, 255);
    tk::TColor HoverColor = tk::clNone;
    tk::TColor HoverFontColor = tk::clNone;
    tk::TColor ShadowColor = tk::RGBColor(128, 128, 128);
    THTMLPictureCache* PictureCache = nullptr;
    tk::TComponent* PictureContainer = nullptr;
    int LineSpacing = 0;
};

struct HtmlRenderResult {
    std::string AnchorUnderMouse;
    std::string PlainText;
    std::string FocusTarget;
    int Width = 0;
    int Height = 0;
    int AnchorCount = 0;
    int MouseAnchor = -1; // counted from 1
    tk::TRect MouseAnchorRect;
};

// Returns true when the mouse position lies over an anchor.
bool RenderHtmlText(tk::TCanvas& canvas, const HtmlRenderParams& params, HtmlRenderResult& result);

} // namespace advpanel
