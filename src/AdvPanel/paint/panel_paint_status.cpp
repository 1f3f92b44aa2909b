// The status bar along the bottom (or right) edge and the size grip in the corner.
#include "AdvPanel/paint/panel_paint_parts.h"
#include "AdvPanel/shading/gradient_draw.h"
#include "toolkit/graphics/image_list.h"

#include <optional>

namespace advpanel {
namespace {

using tk::TCanvas;
using tk::TRect;

void PaintStatusBackground(const TPanelStatusBar& status, TCanvas& surface, const TRect& q) {
    if (status.Color() == tk::clNone) return;
    if (status.ColorTo() != tk::clNone)
        DrawGradient(surface, status.Color(), status.ColorTo(), 40, q,
                     status.GradientDirection() == TGradientDirection::gdHorizontal);
    else
        FillSolid(surface, q, status.Color());
}

bool HasSizeGrip(const PanelPaintState& s) {
    return !s.Collaps && s.Look.CanSize;
}

TRect StatusRect(const PanelPaintState& s) {
    return StatusBarRect({s.Frame.Width, s.Frame.Height}, s.StatusBar->Height(),
                         s.Caption->Position());
}

// Where the status bar's image goes at the strip's start, if it has one; the text area `q` moves
// past it.
std::optional<TRect> PlaceStatusImage(const PanelPaintState& s, TRect& q) {
    const auto* images = dynamic_cast<const tk::TImageList*>(s.Images);
    const int index = s.StatusBar->ImageIndex();
    if (!images || index < 0) return std::nullopt;
    const int w = images->Width(), h = images->Height();
    if (s.Caption->Position() == TCaptionPosition::cpTop) {
        const TRect box{q.Left + 1, q.Top + 2, q.Left + 1 + w, q.Top + 2 + h};
        q.Left += w + 2;
        return box;
    }
    const int top = q.Bottom - h - (HasSizeGrip(s) ? 12 : 1);
    q.Bottom -= h + 2;
    return TRect{q.Left + 2, top, q.Left + 2 + w, top + h};
}

void PaintStatusEdges(const PanelPaintState& s, TCanvas& surface, const TRect& q) {
    const TPanelStatusBar& status = *s.StatusBar;
    const bool top = s.Caption->Position() == TCaptionPosition::cpTop;
    surface.PenWidth = 1;
    if (status.BorderSingle()) {
        surface.PenColor = status.BorderColor();
        surface.BrushStyle = tk::TBrushStyle::bsClear;
        surface.Rectangle(top ? TRect{0, q.Top, q.Right + 1, q.Bottom + 1}
                              : TRect{q.Left, q.Top, q.Right + 1, s.Frame.Height});
    }
    if (!status.BevelInner()) return;
    // A sunken edge: grey along the top and left, white along the bottom and right.
    const int left = top ? 0 : q.Left, bottom = top ? q.Bottom - 1 : s.Frame.Height;
    surface.PenColor = tk::clGray;
    surface.MoveTo(left, bottom);
    surface.LineTo(left, q.Top);
    surface.LineTo(top ? q.Right : q.Right - 1, q.Top);
    surface.PenColor = tk::clWhite;
    surface.MoveTo(left, bottom);
    surface.LineTo(q.Right - 1, bottom);
    surface.LineTo(q.Right - 1, q.Top);
}

} // namespace

PanelTextJob StatusTextJob(const PanelPaintState& s) {
    const TPanelStatusBar& status = *s.StatusBar;
    TRect q = StatusRect(s);
    PanelTextJob job;
    job.Shown = q;
    PlaceStatusImage(s, q);
    if (s.Caption->Position() == TCaptionPosition::cpTop) job.Text = status.Text();
    job.Font = &status.Font();
    job.Rect = {q.Left + 2, q.Top, q.Right, q.Bottom};
    job.HotAnchor = s.HotCaptionAnchor;
    return job;
}

LaidOutText PaintStatusBar(const PanelPaintState& s, TCanvas& surface) {
    const TPanelStatusBar& status = *s.StatusBar;
    if (!status.Visible()) return {};
    const TRect shown = StatusRect(s);
    TRect q = shown;
    PaintStatusBackground(status, surface, q);
    if (const std::optional<TRect> image = PlaceStatusImage(s, q))
        static_cast<const tk::TImageList*>(s.Images)->Draw(surface.Handle(), status.ImageIndex(),
                                                           *image);
    surface.Font.Assign(status.Font());
    LaidOutText laidOut{shown, {}};
    if (s.Caption->Position() == TCaptionPosition::cpTop) {
        laidOut = RunTextJob(surface, s, StatusTextJob(s), true);
    } else if (!status.Text().empty()) {
        UseRotatedFont(surface);
        // Kept clear of the size grip when there is one.
        surface.TextOutAt(q.Left + 2, q.Bottom - (HasSizeGrip(s) ? 16 : 2), status.Text());
    }
    PaintStatusEdges(s, surface, q);
    return laidOut;
}

void PaintSizeGrip(const PanelPaintState& s, TCanvas& surface) {
    if (!HasSizeGrip(s)) return;
    const tk::TPoint corner = SizeGripCorner(s.Frame);
    const int r = corner.X, b = corner.Y;
    auto stroke = [&surface, r, b](int up, int left) {
        surface.MoveTo(r, b - up);
        surface.LineTo(r - left, b);
    };
    surface.PenColor = tk::clGray;
    surface.PenWidth = 2;
    stroke(11, 11);
    stroke(6, 7);
    stroke(3, 3);
    surface.PenColor = tk::clWhite;
    surface.PenWidth = 1;
    stroke(12, 12);
    stroke(8, 8);
    stroke(4, 4);
}

} // namespace advpanel
