#include "screen_fit.h"

#include <algorithm>

namespace tk {
namespace {

int ClampStart(int start, int size, int areaStart, int areaEnd) {
    int last = areaEnd - size;
    if (last < areaStart) return areaStart;
    return std::clamp(start, areaStart, last);
}

} // namespace

TPoint FitOnScreen(const TRect& window, const std::vector<TRect>& workAreas,
                   const TRect& primaryWorkArea) {
    for (const TRect& area : workAreas)
        if (window.Intersects(area)) return {window.Left, window.Top};
    return {ClampStart(window.Left, window.Width(), primaryWorkArea.Left, primaryWorkArea.Right),
            ClampStart(window.Top, window.Height(), primaryWorkArea.Top, primaryWorkArea.Bottom)};
}

} // namespace tk
