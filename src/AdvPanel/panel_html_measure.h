#pragma once
// Lays out a panel text in a font inside a rectangle and reports its extent; with MeasureOnly
// nothing is drawn. Markup is not interpreted: the text is measured as plain lines.
#include "panel_autosize_rules.h"
#include "toolkit/graphics.h"

#include <string>

namespace advpanel {

struct HtmlTextRequest {
    const tk::TFont* Font = nullptr;
    std::string Text;
    tk::TRect Rect;
    bool MeasureOnly = true;
};

// Measures on `dc`, or on the screen when `dc` is null.
TextExtent RenderHtmlText(HDC dc, const HtmlTextRequest& request);

} // namespace advpanel
