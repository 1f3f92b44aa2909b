#pragma once
// The arithmetic of the panel's banded gradients and colour mixing, free of any drawing layer.
#include "toolkit/base/colors.h"
#include "toolkit/base/geometry.h"

#include <vector>

namespace advpanel {

struct GradientBand {
    tk::TRect Rect;   // cut at the gradient rectangle's far edge; may be empty
    tk::TColor Color; // plain RGB
};

// The bands that fill `r` from `from` to `to` (both plain RGB, system colours already resolved)
// in `steps` steps, top to bottom or, when `horizontal`, left to right. Bands are listed in
// drawing order: each is Trunc(extent / steps) + 1 pixels thick, so a band may overlap the one
// before it and must be drawn after it. A step count below 1 counts as 1, above 65535 as 65535.
std::vector<GradientBand> GradientBands(tk::TColor from, tk::TColor to, int steps,
                                        const tk::TRect& r, bool horizontal);

// The fewest rectangles that, drawn in order, leave the same pixels as `bands` drawn in order:
// the part of a band the next one paints over is left out, and touching bands of one colour
// become one. Empty bands are dropped.
std::vector<GradientBand> CoalescedBands(const std::vector<GradientBand>& bands, bool horizontal);

// Turns a stored colour into plain RGB (system colours take the platform's current value).
using ColorResolver = tk::TColor (*)(tk::TColor);

// Mixes `percent` of c1 with the rest of c2, each component rounded half to even. At 100 the
// colour comes back as given, system colour or not; otherwise both are resolved first.
tk::TColor BlendColor(tk::TColor c1, tk::TColor c2, int percent, ColorResolver resolve);

} // namespace advpanel
