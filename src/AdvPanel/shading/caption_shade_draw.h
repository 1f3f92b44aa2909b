#pragma once
// Draws a shaded caption strip: the visual style's caption, a background bitmap stretched to the
// strip, or the pre-rendered shade texture inside a rectangular or rounded frame.
#include "AdvPanel/paint/panel_paint_state.h"
#include "toolkit/graphics/graphics.h"

namespace advpanel {

// The shaded, themed or bitmap caption strip `strip`.
void DrawCaptionShade(const PanelPaintState& s, tk::TCanvas& surface, tk::TRect strip);

} // namespace advpanel
