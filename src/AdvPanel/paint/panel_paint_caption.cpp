// The caption strip with its close and min/max buttons and its text.
#include "AdvPanel/markup/html_render.h"
#include "AdvPanel/paint/caption_button_geometry.h"
#include "AdvPanel/paint/panel_paint_parts.h"
#include "AdvPanel/paint/panel_platform.h"
#include "AdvPanel/shading/caption_shade_draw.h"
#include "AdvPanel/shading/gradient_draw.h"

namespace advpanel {
namespace {

using tk::TCanvas;
using tk::TRect;

constexpr int kThemedButton = 14; // the box a themed button takes off the strip
constexpr int kCrossButton = 12;
enum ThemePart { kCaptionPart = 1, kMinimizePart = 15, kMaximizePart = 17, kClosePart = 18 };

bool Themed(const PanelPaintState& s) {
    return s.Caption->ShadeType() == TShadeType::stXPCaption && s.ThemesActive;
}

bool Shaded(const PanelPaintState& s) {
    const TShadeType type = s.Caption->ShadeType();
    return type != TShadeType::stNormal && (type != TShadeType::stXPCaption || s.ThemesActive);
}

ButtonEnd EndOf(const TPanelCaption& c) {
    return {c.Position(), c.ButtonPosition};
}

void DrawThemedButton(const PanelPaintState& s, TCanvas& surface, int part, const TRect& box) {
    DrawWindowThemePart(s.Window, surface.Handle(), part,
                        RECT{box.Left, box.Top, box.Right, box.Bottom});
}

void DrawGlyph(TCanvas& surface, const TRect& k, ButtonEnd end, const tk::TBitmap& glyph) {
    const tk::TPoint at = GlyphOrigin(k, end, glyph.Width(), glyph.Height());
    surface.DrawTransparent(at.X, at.Y, glyph);
}

// How far the close button takes room off the button area along the strip: a themed button's
// box, its glyph's extent, or the drawn cross's.
int CloseButtonExtent(const PanelPaintState& s) {
    const TPanelCaption& c = *s.Caption;
    if (!c.CloseButton()) return 0;
    if (Themed(s)) return kThemedButton;
    if (!c.CloseMinGlyph().Empty() && !c.CloseMaxGlyph().Empty()) {
        const tk::TBitmap& glyph = s.Collaps ? c.CloseMinGlyph() : c.CloseMaxGlyph();
        return c.Position() == TCaptionPosition::cpTop ? glyph.Width() : glyph.Height();
    }
    return kCrossButton;
}

// The caption text's box: what the close button leaves of the caption area, less the room kept
// for the buttons.
TRect CaptionTextBox(const PanelPaintState& s) {
    const TPanelCaption& c = *s.Caption;
    TRect k = CaptionArea(s.Frame);
    ShrinkAtButtonEnd(k, EndOf(c), CloseButtonExtent(s));
    return CaptionTextRect(
        k, EndOf(c), {c.Height(), c.Indent(), c.TopIndent(), c.CloseButton(), c.MinMaxButton()});
}

tk::TColor HoverOr(bool hot, tk::TColor hover, tk::TColor normal) {
    return hot && hover != tk::clNone ? hover : normal;
}

void PaintStrip(const PanelPaintState& s, TCanvas& surface, const TRect& k) {
    const TPanelCaption& caption = *s.Caption;
    const tk::TColor color = s.Collaps ? caption.CloseColor() : caption.Color();
    surface.BrushColor = color;
    surface.PenColor = color;
    const bool shaded = Shaded(s);
    const TRect strip = CaptionStrip(s.Frame, k, shaded);
    if (shaded)
        DrawCaptionShade(s, surface, strip);
    else if (caption.ColorTo() == tk::clNone)
        FillSolid(surface, strip, color);
    else // a collapsed panel keeps its gradient
        DrawGradient(surface, caption.Color(), caption.ColorTo(), 64, strip,
                     caption.GradientDirection() == TGradientDirection::gdHorizontal);
}

// The close button takes its room off the running button area `k`.
void PaintCloseButton(const PanelPaintState& s, TCanvas& surface, TRect& k) {
    const TPanelCaption& c = *s.Caption;
    if (!c.CloseButton()) return;
    const ButtonEnd end = EndOf(c);
    if (Themed(s)) {
        DrawThemedButton(s, surface, kClosePart, ThemedButtonBox(k, end));
    } else if (!c.CloseMinGlyph().Empty() && !c.CloseMaxGlyph().Empty()) {
        DrawGlyph(surface, k, end, s.Collaps ? c.CloseMinGlyph() : c.CloseMaxGlyph());
    } else {
        surface.PenWidth = 2;
        surface.PenColor = HoverOr(s.CloseButtonHot, c.CloseButtonHoverColor, c.CloseButtonColor());
        for (const LineSegment& stroke : CloseCross(k, end)) {
            surface.MoveTo(stroke.From.X, stroke.From.Y);
            surface.LineTo(stroke.To.X, stroke.To.Y);
        }
    }
    ShrinkAtButtonEnd(k, end, CloseButtonExtent(s));
}

// The min/max button sits at the running button area and leaves it as it is.
void PaintMinMaxButton(const PanelPaintState& s, TCanvas& surface, const TRect& k) {
    const TPanelCaption& c = *s.Caption;
    if (!c.MinMaxButton()) return;
    const ButtonEnd end = EndOf(c);
    const tk::TBitmap& glyph = s.Collaps ? c.MaxGlyph() : c.MinGlyph();
    if (Themed(s)) {
        DrawThemedButton(s, surface, s.Collaps ? kMaximizePart : kMinimizePart,
                         ThemedButtonBox(k, end));
    } else if (!glyph.Empty()) {
        DrawGlyph(surface, k, end, glyph);
    } else {
        surface.PenWidth = 1;
        const tk::TColor color =
            HoverOr(s.MinMaxButtonHot, c.MinMaxButtonHoverColor, c.MinMaxButtonColor());
        surface.PenColor = color;
        surface.BrushColor = color;
        surface.BrushStyle = tk::TBrushStyle::bsSolid;
        const auto corners = MinMaxTriangle(k, end, s.Collaps);
        surface.Polygon(corners.data(), static_cast<int>(corners.size()));
    }
}

} // namespace

PanelTextJob CaptionTextJob(const PanelPaintState& s) {
    const TPanelCaption& c = *s.Caption;
    PanelTextJob job;
    if (c.Position() == TCaptionPosition::cpTop) job.Text = c.Text();
    job.Font = &c.Font();
    job.Rect = CaptionTextBox(s);
    job.Shown = {0, 0, s.Frame.Width, s.Frame.Height};
    job.HotAnchor = s.HotCaptionAnchor;
    return job;
}

LaidOutText PaintCaption(const PanelPaintState& s, TCanvas& surface) {
    const TPanelCaption& c = *s.Caption;
    TRect k = CaptionArea(s.Frame);
    PaintStrip(s, surface, k);
    PaintCloseButton(s, surface, k);
    PaintMinMaxButton(s, surface, k);
    surface.Font.Assign(c.Font());
    if (c.Position() == TCaptionPosition::cpTop || c.Text().empty())
        return RunTextJob(surface, s, CaptionTextJob(s), true);
    // A vertical strip has no room for markup: plain text along it.
    surface.BrushStyle = tk::TBrushStyle::bsClear;
    UseRotatedFont(surface);
    TRect box = CaptionTextBox(s);
    surface.DrawTextIn(c.Text(), box, DT_SINGLELINE | DT_BOTTOM);
    return {};
}

} // namespace advpanel
