#pragma once
// Arithmetic of layout scaling: stored geometry and fonts made for one text height, shown with
// another.
#include "geometry.h"

namespace tk {

// Scales each edge of `r` by m / d with rounding, so that widths follow the scaled edges.
TRect ScaleEdges(const TRect& r, int m, int d);

// Font point size for a font height in pixels (a negative height is the character height).
int FontSizeFromHeight(int height, int pixelsPerInch);
int FontHeightFromSize(int size, int pixelsPerInch);

// Scales a font's point size by m / d and returns the new height in pixels.
int ScaleFontHeight(int height, int m, int d, int pixelsPerInch);

} // namespace tk
