#pragma once
// The inputs and outputs of one mini-markup rendering call.
#include "toolkit/base/colors.h"
#include "toolkit/components/component.h"
#include "toolkit/base/geometry.h"

#include <string>
#include <vector>

namespace advpanel {

class THTMLPictureCache;

struct HtmlRenderParams {
    std::string Text;
    tk::TRect Rect;
    tk::TComponent* Images = nullptr; // a tk::TImageList: the pictures of "IDX:" sources
    tk::TPoint Mouse{0, 0};           // hit-test position; (0, 0) when not hit-testing
    int FocusAnchor = -1;             // counted from 0
    int HotAnchor = -1;               // counted from 1
    int ShadowOffset = 0;
    bool MeasureOnly = false; // lay out and hit-test, draw nothing
    bool SizeOnly = false;    // only the measuring pass of each line
    bool Print = false;       // pictures drawn scaled by Scale
    bool Selected = false;    // colours from the markup are ignored
    bool BlinkPhase = true;   // off: blinking text takes the canvas's starting brush colour
    bool Hover = false;       // the hot anchor is drawn in hover style
    bool WordWrap = true;     // off: one line per break, cut with an ellipsis
    double Scale = 1.0;
    tk::TColor URLColor = tk::RGBColor(0, 0, 255);
    tk::TColor HoverColor = tk::clNone;
    tk::TColor HoverFontColor = tk::clNone;
    tk::TColor ShadowColor = tk::RGBColor(128, 128, 128);
    THTMLPictureCache* PictureCache = nullptr;  // "RES://" and "FILE://" pictures, kept
    tk::TComponent* PictureContainer = nullptr; // a TPictureContainer: named pictures
    int LineSpacing = 0;
};

// Where one anchor lies on one line: an anchor that wraps has a box on every line it reaches.
struct HtmlAnchorBox {
    int Number = 0; // counted from 1
    std::string Target;
    tk::TRect Rect;                // around all of its pieces on the line
    std::vector<tk::TRect> Pieces; // the words and pictures that answer the mouse

    bool Holds(tk::TPoint p) const {
        for (const tk::TRect& piece : Pieces)
            if (piece.Contains(p)) return true;
        return false;
    }
};

struct HtmlRenderResult {
    std::string AnchorUnderMouse; // target of the anchor under Mouse
    std::string PlainText;        // the text without markup; hard breaks as "\r"
    std::string FocusTarget;      // target of the focus anchor
    int Width = 0;                // widest line
    int Height = 0;               // sum of the line heights; "gh" height when no line
    int AnchorCount = 0;
    int MouseAnchor = -1; // counted from 1; -1 when no anchor is under Mouse
    tk::TRect MouseAnchorRect;
    std::vector<HtmlAnchorBox> AnchorBoxes; // in text order
};

} // namespace advpanel
