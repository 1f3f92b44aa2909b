#include "AdvPanel/shading/caption_shade_draw.h"

#include "AdvPanel/paint/panel_platform.h"

#include <optional>

namespace advpanel {
namespace {

using tk::RegionHandle;
using tk::TCanvas;
using tk::TRect;

constexpr int kCorner = 32; // the rounded corners' ellipse

RegionHandle RoundRegion(const TRect& r) {
    return RegionHandle(CreateRoundRectRgn(r.Left, r.Top, r.Right, r.Bottom, kCorner, kCorner));
}

void Line(TCanvas& c, tk::TColor color, tk::TPoint from, std::initializer_list<tk::TPoint> to) {
    c.PenColor = color;
    c.MoveTo(from.X, from.Y);
    for (tk::TPoint p : to)
        c.LineTo(p.X, p.Y);
}

void DrawBitmapCaption(const PanelPaintState& st, TCanvas& surface, const TRect& s) {
    const tk::TBitmap& picture = st.Caption->Background();
    if (picture.Empty()) return;
    const int w = picture.Width(), h = picture.Height();
    const bool top = st.Caption->Position() == TCaptionPosition::cpTop;
    switch (st.Caption->ShadeType()) {
    case TShadeType::stBitmapLStretch:
        // The picture's far end stays at the strip's end; its first pixels stretch to fill.
        if (top) {
            const int d = std::max(0, st.Frame.Width - w);
            surface.Draw(s.Left + d, s.Top, picture);
            surface.StretchDrawPart({0, s.Top, d, s.Bottom}, picture, {0, 0, 2, h});
        } else {
            const int d = std::max(0, st.Frame.Height - h);
            surface.Draw(s.Left, s.Top, picture);
            surface.StretchDrawPart({0, s.Bottom - d, s.Right, s.Bottom}, picture,
                                    {0, h - 3, w, h});
        }
        break;
    case TShadeType::stBitmapRStretch:
        if (top) {
            surface.Draw(s.Left, s.Top, picture);
            surface.StretchDrawPart({w, s.Top, s.Right, s.Bottom}, picture, {w - 3, 0, w, h});
        } else {
            surface.Draw(s.Left, s.Bottom - h, picture);
            surface.StretchDrawPart({s.Left, s.Top, s.Right, s.Bottom - h}, picture, {0, 0, w, 3});
        }
        break;
    default:
        surface.StretchDraw(s, picture);
        break;
    }
}

// The two half outlines of a rounded strip: grey below its middle, white above.
void RoundedOutlines(TCanvas& surface, const TRect& s) {
    const int half = s.Height() / 2;
    {
        tk::ClipRegion lower(surface.Handle(),
                             RoundRegion({s.Left, s.Top + half, s.Right, s.Bottom}));
        surface.PenColor = tk::clGray;
        surface.RoundRect(s, kCorner, kCorner);
    }
    tk::ClipRegion upper(surface.Handle(), RoundRegion({s.Left, s.Top, s.Right, s.Bottom - half}));
    surface.PenColor = tk::clWhite;
    surface.RoundRect(s, kCorner, kCorner);
}

// Draws the frame of the strip's shape and returns the region the texture is clipped to, with
// `s` moved in past the frame.
RegionHandle ShapeFrame(const PanelPaintState& st, TCanvas& surface, TRect& s) {
    surface.PenWidth = 1;
    switch (st.Caption->Shape()) {
    case TCaptionShape::csRounded:
        RoundedOutlines(surface, s);
        Line(surface, tk::clGray, {s.Left + 16, s.Bottom - 1}, {{s.Right - 16, s.Bottom - 1}});
        s.Top += 1;
        return RoundRegion(s);
    case TCaptionShape::csSemiRounded: {
        RoundedOutlines(surface, s);
        Line(surface, tk::clWhite, {s.Left + s.Width() / 2, s.Top},
             {{s.Left, s.Top}, {s.Left, s.Bottom - 1}});
        Line(surface, tk::clGray, {s.Left, s.Bottom - 1}, {{s.Right - 16, s.Bottom - 1}});
        s.Left += 1;
        s.Top += 1;
        // Square corners on the left, rounded on the right.
        RegionHandle region = RoundRegion(s);
        RegionHandle square(CreateRectRgn(s.Left, s.Top, s.Right - s.Width() / 2, s.Bottom - 1));
        CombineRgn(region.Get(), region.Get(), square.Get(), RGN_OR);
        return region;
    }
    case TCaptionShape::csRectangle:
        break;
    }
    if (!st.Caption->Flat()) {
        Line(surface, tk::clGray, {s.Left, s.Bottom - 1},
             {{s.Right - 1, s.Bottom - 1}, {s.Right - 1, s.Top}});
        Line(surface, tk::clWhite, {s.Right - 1, s.Top}, {{s.Left, s.Top}, {s.Left, s.Bottom - 1}});
        s = {s.Left + 1, s.Top + 1, s.Right - 1, s.Bottom - 1};
    }
    return RegionHandle(CreateRectRgn(s.Left, s.Top, s.Right, s.Bottom));
}

} // namespace

void DrawCaptionShade(const PanelPaintState& st, TCanvas& surface, TRect s) {
    switch (st.Caption->ShadeType()) {
    case TShadeType::stXPCaption:
        if (st.ThemesActive)
            DrawWindowThemePart(st.Window, surface.Handle(), 1,
                                RECT{s.Left - 1, s.Top - 1, s.Right + 1, s.Bottom + 1});
        return;
    case TShadeType::stBitmap:
    case TShadeType::stBitmapRStretch:
    case TShadeType::stBitmapLStretch:
        DrawBitmapCaption(st, surface, s);
        return;
    default:
        break;
    }
    RegionHandle region = ShapeFrame(st, surface, s);
    tk::ClipRegion clip(surface.Handle(), std::move(region));
    surface.Draw(s.Left, s.Top, *st.ShadeBitmap);
}

} // namespace advpanel
