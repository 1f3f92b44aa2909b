// The caption strip with its close and min/max buttons and its text.
#include "AdvPanel/paint/caption_button_geometry.h"
#include "AdvPanel/shading/gradient_draw.h"
#include "AdvPanel/paint/panel_paint_parts.h"
#include "AdvPanel/paint/panel_platform.h"

namespace advpanel {
namespace {

using tk::TCanvas;
using tk::TRect;

constexpr int kThemedButton = 14; // the box a themed button takes off the strip
constexpr int kCrossButton = 12;
enum ThemePart { kCaptionPart = 1, kMinimizePart = 15, kMaximizePart = 17, kClosePart = 18 };

bool Themed(const TCustomAdvPanel& p) {
    return p.Caption().ShadeType() == TShadeType::stXPCaption && p.ThemesActive();
}

bool Shaded(const TCustomAdvPanel& p) {
    const TShadeType type = p.Caption().ShadeType();
    return type != TShadeType::stNormal && (type != TShadeType::stXPCaption || p.ThemesActive());
}

ButtonEnd EndOf(const TPanelCaption& c) {
    return {c.Position(), c.ButtonPosition};
}

void DrawThemedButton(const TCustomAdvPanel& p, TCanvas& surface, int part, const TRect& box) {
    DrawWindowThemePart(p.Handle(), surface.Handle(), part,
                        RECT{box.Left, box.Top, box.Right, box.Bottom});
}

// Draws a glyph at the button end and returns how far it reaches along the strip.
int DrawGlyph(TCanvas& surface, const TRect& k, ButtonEnd end, const tk::TBitmap& glyph) {
    const tk::TPoint at = GlyphOrigin(k, end, glyph.Width(), glyph.Height());
    surface.DrawTransparent(at.X, at.Y, glyph);
    return end.Position == TCaptionPosition::cpTop ? glyph.Width() : glyph.Height();
}

tk::TColor HoverOr(bool hot, tk::TColor hover, tk::TColor normal) {
    return hot && hover != tk::clNone ? hover : normal;
}

void PaintStrip(const TCustomAdvPanel& p, TCanvas& surface, const TRect& k) {
    const TPanelCaption& caption = p.Caption();
    const tk::TColor color = p.Collaps() ? caption.CloseColor() : caption.Color();
    surface.BrushColor = color;
    surface.PenColor = color;
    const bool shaded = Shaded(p);
    const TRect s = CaptionStrip(FrameOf(p), k, shaded);
    if (shaded)
        DrawCaptionShade(p, surface, s);
    else if (caption.ColorTo() == tk::clNone)
        FillSolid(surface, s, color);
    else // a collapsed panel keeps its gradient
        DrawGradient(surface, caption.Color(), caption.ColorTo(), 64, s,
                     caption.GradientDirection() == TGradientDirection::gdHorizontal);
}

// The close button takes its room off the running button area `k`.
void PaintCloseButton(const TCustomAdvPanel& p, TCanvas& surface, TRect& k) {
    const TPanelCaption& c = p.Caption();
    if (!c.CloseButton()) return;
    const ButtonEnd end = EndOf(c);
    if (Themed(p)) {
        DrawThemedButton(p, surface, kClosePart, ThemedButtonBox(k, end));
        ShrinkAtButtonEnd(k, end, kThemedButton);
    } else if (!c.CloseMinGlyph().Empty() && !c.CloseMaxGlyph().Empty()) {
        const tk::TBitmap& glyph = p.Collaps() ? c.CloseMinGlyph() : c.CloseMaxGlyph();
        ShrinkAtButtonEnd(k, end, DrawGlyph(surface, k, end, glyph));
    } else {
        surface.PenWidth = 2;
        surface.PenColor =
            HoverOr(p.CloseButtonHot(), c.CloseButtonHoverColor, c.CloseButtonColor());
        for (const LineSegment& stroke : CloseCross(k, end)) {
            surface.MoveTo(stroke.From.X, stroke.From.Y);
            surface.LineTo(stroke.To.X, stroke.To.Y);
        }
        ShrinkAtButtonEnd(k, end, kCrossButton);
    }
}

// The min/max button sits at the running button area and leaves it as it is.
void PaintMinMaxButton(const TCustomAdvPanel& p, TCanvas& surface, const TRect& k) {
    const TPanelCaption& c = p.Caption();
    if (!c.MinMaxButton()) return;
    const ButtonEnd end = EndOf(c);
    const tk::TBitmap& glyph = p.Collaps() ? c.MaxGlyph() : c.MinGlyph();
    if (Themed(p)) {
        DrawThemedButton(p, surface, p.Collaps() ? kMaximizePart : kMinimizePart,
                         ThemedButtonBox(k, end));
    } else if (!glyph.Empty()) {
        DrawGlyph(surface, k, end, glyph);
    } else {
        surface.PenWidth = 1;
        const tk::TColor color =
            HoverOr(p.MinMaxButtonHot(), c.MinMaxButtonHoverColor, c.MinMaxButtonColor());
        surface.PenColor = color;
        surface.BrushColor = color;
        surface.BrushStyle = tk::TBrushStyle::bsSolid;
        const auto corners = MinMaxTriangle(k, end, p.Collaps());
        surface.Polygon(corners.data(), static_cast<int>(corners.size()));
    }
}

void PaintCaptionText(const TCustomAdvPanel& p, TCanvas& surface, const TRect& k) {
    const TPanelCaption& c = p.Caption();
    surface.Font.Assign(c.Font());
    TRect r = CaptionTextRect(
        k, EndOf(c), {c.Height(), c.Indent(), c.TopIndent(), c.CloseButton(), c.MinMaxButton()});
    if (c.Text().empty()) return;
    if (c.Position() == TCaptionPosition::cpTop) {
        HtmlRenderResult result;
        RenderHtmlText(surface, PanelTextParams(p, c.Text(), r, p.HotCaptionAnchor(), false),
                       result);
    } else {
        // A vertical strip has no room for markup: plain text along it.
        surface.BrushStyle = tk::TBrushStyle::bsClear;
        UseRotatedFont(surface);
        surface.DrawTextIn(c.Text(), r, DT_SINGLELINE | DT_BOTTOM);
    }
}

} // namespace

void PaintCaption(const TCustomAdvPanel& p, TCanvas& surface) {
    TRect k = CaptionArea(FrameOf(p));
    PaintStrip(p, surface, k);
    PaintCloseButton(p, surface, k);
    PaintMinMaxButton(p, surface, k);
    PaintCaptionText(p, surface, k);
}

} // namespace advpanel
