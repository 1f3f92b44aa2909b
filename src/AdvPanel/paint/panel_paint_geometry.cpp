#include "AdvPanel/paint/panel_paint_geometry.h"

#include <algorithm>

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

tk::TRect BodyArea(const PaintFrame& f, bool captionVisible) {
    tk::TRect r{0, 0, f.Width, f.Height};
    if (captionVisible) {
        if (f.CaptionPosition == TCaptionPosition::cpTop)
            r.Top += CaptionBand(f);
        else
            r.Left += CaptionBand(f) + 2;
    }
    if (f.BorderShadow) {
        r.Right -= 2;
        r.Bottom -= 3;
    }
    return r;
}

tk::TRect BodyTextArea(const PaintFrame& f, tk::TRect body, int indent, int topIndent,
                       int statusBarHeight) {
    const int b = f.BorderWidth;
    tk::TRect r{body.Left + b + indent, body.Top + b + topIndent, body.Right - b, body.Bottom - b};
    if (f.CaptionPosition == TCaptionPosition::cpTop)
        r.Bottom -= statusBarHeight;
    else
        r.Right -= statusBarHeight;
    return r;
}

tk::TRect AlignTextArea(tk::TRect area, int textHeight, TTextVAlignment align) {
    const int room = area.Height();
    if (align == TTextVAlignment::tvaTop || room <= textHeight) return area;
    if (align == TTextVAlignment::tvaCenter)
        area.Top += (room - textHeight) / 2;
    else
        area.Top = area.Bottom - textHeight;
    return area;
}

std::vector<tk::TPoint> BackgroundOrigins(const tk::TRect& body, tk::TPoint clientSize,
                                          tk::TPoint pictureSize, int bevelWidth,
                                          TBackGroundPosition position) {
    const int w = pictureSize.X, h = pictureSize.Y;
    const int xr = std::max(body.Left, body.Width() - w - bevelWidth);
    const int yb = std::max(body.Top, clientSize.Y - h - bevelWidth);
    switch (position) {
    case TBackGroundPosition::bpTopLeft:
        return {{body.Left, body.Top}};
    case TBackGroundPosition::bpTopRight:
        return {{xr, body.Top}};
    case TBackGroundPosition::bpBottomLeft:
        return {{body.Left, yb}};
    case TBackGroundPosition::bpBottomRight:
        return {{xr, yb}};
    case TBackGroundPosition::bpCenter:
        return {{xr / 2, yb / 2}};
    case TBackGroundPosition::bpStretched:
        return {};
    case TBackGroundPosition::bpTiled:
        break;
    }
    std::vector<tk::TPoint> tiles;
    if (w <= 0 || h <= 0) return tiles;
    for (int y = body.Top; y < clientSize.Y; y += h)
        for (int x = body.Left; x < clientSize.X; x += w)
            tiles.push_back({x, y});
    return tiles;
}

tk::TRect StatusBarRect(tk::TPoint clientSize, int statusBarHeight, TCaptionPosition position) {
    const int w = clientSize.X, h = clientSize.Y;
    if (position == TCaptionPosition::cpTop) return {1, h - statusBarHeight - 1, w - 1, h - 1};
    return {w - statusBarHeight - 1, 1, w - 1, h - 1};
}

tk::TPoint SizeGripCorner(const PaintFrame& f) {
    tk::TRect g{0, 0, f.Width, f.Height};
    if (f.HasBevel) {
        const int b = 2 * f.BevelWidth;
        g = {g.Left + b, g.Top + b, g.Right - b, g.Bottom - b};
    }
    if (f.BorderShadow) {
        g.Right -= 4;
        g.Bottom -= 4;
    }
    return {g.Right, g.Bottom};
}

} // namespace advpanel
