#pragma once
// Keeps a window reachable: where a stored position lies outside every monitor.
#include "toolkit/base/geometry.h"

#include <vector>

namespace tk {

// Top-left corner for a window with the stored bounds `window`. The stored position is kept when
// the window overlaps at least one work area; otherwise the window, at its own size, is moved to
// the nearest place inside `primaryWorkArea` (its top-left corner when it is larger than that).
TPoint FitOnScreen(const TRect& window, const std::vector<TRect>& workAreas,
                   const TRect& primaryWorkArea);

} // namespace tk
