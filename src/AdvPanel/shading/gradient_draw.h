#pragma once
// The panel's banded gradient fills and colour mix on a drawing surface.
#include "toolkit/graphics/graphics.h"

namespace advpanel {

// Fills `r` with `steps` bands from `from` to `to`, top to bottom or, when `horizontal`, left to
// right. Leaves the canvas's pen and brush at the last band's colour.
void DrawGradient(tk::TCanvas& canvas, tk::TColor from, tk::TColor to, int steps,
                  const tk::TRect& r, bool horizontal);

// DrawGradient, then, unless `frame` is clNone, an outline of `r` in `frame` with the brush
// left clear.
void DrawFramedGradient(tk::TCanvas& canvas, tk::TColor from, tk::TColor to, tk::TColor frame,
                        int steps, const tk::TRect& r, bool horizontal);

// `percent` of c1 mixed with the rest of c2, system colours taking their current value; c1
// itself at 100.
tk::TColor BlendColor(tk::TColor c1, tk::TColor c2, int percent);

} // namespace advpanel
