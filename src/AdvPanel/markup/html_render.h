#pragma once
// Lays out, draws, measures and hit-tests the panel's mini-markup texts (body, caption and
// status bar) in a rectangle of a canvas, starting from the canvas's current font. The canvas's
// brush colour is kept; blinking text takes it while the blink phase is off.
#include "AdvPanel/markup/html_params.h"
#include "toolkit/graphics/graphics.h"

namespace advpanel {

// Returns true when the mouse position lies over an anchor.
bool RenderHtmlText(tk::TCanvas& canvas, const HtmlRenderParams& params, HtmlRenderResult& result);

} // namespace advpanel
