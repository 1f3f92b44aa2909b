#pragma once
// The mini-markup engine: lays a prepared text out line by line against a measuring and drawing
// surface, draws it (unless asked only to measure), and hit-tests its anchors and images.
#include "AdvPanel/markup/html_params.h"
#include "AdvPanel/markup/html_surface.h"

namespace advpanel {

// `baseFont` is the font the text starts in; `blinkColor` is what blinking text takes while the
// blink phase is off. The text is prepared here. Returns true when params.Mouse lies over an
// anchor.
bool LayoutHtml(HtmlSurface& surface, const HtmlFont& baseFont, tk::TColor blinkColor,
                const HtmlRenderParams& params, HtmlRenderResult& result);

} // namespace advpanel
