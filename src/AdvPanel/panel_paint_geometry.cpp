#include "panel_paint_geometry.h"

namespace advpanel {

tk::TRect BorderOutline(const PaintFrame& f) {
    const int cut = f.BorderShadow ? 2 : 0;
    return {0, 0, f.Width - cut, f.Height - cut};
}

tk::TRect CaptionArea(const PaintFrame& f) {
    tk::TRect k{0, 0, f.Width, f.Height};
    if (f.BorderShadow) k = {f.BorderWidth, f.BorderWidth, k.Right - 2 - f.BorderWidth, k.Bottom};
    if (f.HasBevel) {
        const int b = f.BevelWidth;
        k = {k.Left + b, k.Top + b, k.Right - b, k.Bottom - b};
    }
    return k;
}

int CaptionBand(const PaintFrame& f) {
    return f.CaptionHeight - 2 * f.BevelWidth;
}

tk::TRect CaptionStrip(const PaintFrame& f, const tk::TRect& area, bool shaded) {
    const int band = CaptionBand(f);
    if (f.CaptionPosition == TCaptionPosition::cpTop)
        return {area.Left, area.Top, area.Right, area.Top + band};
    const int shadowCut = f.BorderShadow && !shaded ? 3 : 0;
    return {area.Left, area.Top, area.Left + band, area.Bottom - shadowCut};
}

} // namespace advpanel
