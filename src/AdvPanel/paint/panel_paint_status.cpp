// The status bar along the bottom (or right) edge and the size grip in the corner.
#include "AdvPanel/shading/gradient_draw.h"
#include "AdvPanel/paint/panel_paint_parts.h"
#include "toolkit/image_list.h"

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

// The status bar's image at its start; the text moves past it.
void PaintStatusImage(const TCustomAdvPanel& p, TCanvas& surface, TRect& q) {
    const auto* images = dynamic_cast<const tk::TImageList*>(p.Images());
    const int index = p.StatusBar().ImageIndex();
    if (!images || index < 0) return;
    const int w = images->Width(), h = images->Height();
    if (p.Caption().Position() == TCaptionPosition::cpTop) {
        images->Draw(surface.Handle(), index,
                     {q.Left + 1, q.Top + 2, q.Left + 1 + w, q.Top + 2 + h});
        q.Left += w + 2;
    } else {
        const bool grip = !p.Collaps() && p.CanSize();
        const int top = q.Bottom - h - (grip ? 12 : 1);
        images->Draw(surface.Handle(), index, {q.Left + 2, top, q.Left + 2 + w, top + h});
        q.Bottom -= h + 2;
    }
}

void PaintStatusText(const TCustomAdvPanel& p, TCanvas& surface, const TRect& q) {
    const TPanelStatusBar& status = p.StatusBar();
    surface.Font.Assign(status.Font());
    if (status.Text().empty()) return;
    if (p.Caption().Position() == TCaptionPosition::cpTop) {
        HtmlRenderResult result;
        RenderHtmlText(surface,
                       PanelTextParams(p, status.Text(), {q.Left + 2, q.Top, q.Right, q.Bottom},
                                       p.HotCaptionAnchor(), false),
                       result);
        return;
    }
    UseRotatedFont(surface);
    // Kept clear of the size grip when there is one.
    const bool grip = !p.Collaps() && p.CanSize();
    surface.TextOutAt(q.Left + 2, q.Bottom - (grip ? 16 : 2), status.Text());
}

void PaintStatusEdges(const TCustomAdvPanel& p, TCanvas& surface, const TRect& q) {
    const TPanelStatusBar& status = p.StatusBar();
    const bool top = p.Caption().Position() == TCaptionPosition::cpTop;
    surface.PenWidth = 1;
    if (status.BorderSingle()) {
        surface.PenColor = status.BorderColor();
        surface.BrushStyle = tk::TBrushStyle::bsClear;
        surface.Rectangle(top ? TRect{0, q.Top, q.Right + 1, q.Bottom + 1}
                              : TRect{q.Left, q.Top, q.Right + 1, p.Height()});
    }
    if (!status.BevelInner()) return;
    // A sunken edge: grey along the top and left, white along the bottom and right.
    const int left = top ? 0 : q.Left, bottom = top ? q.Bottom - 1 : p.Height();
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

void PaintStatusBar(const TCustomAdvPanel& p, TCanvas& surface) {
    const TPanelStatusBar& status = p.StatusBar();
    if (!status.Visible()) return;
    TRect q = StatusBarRect({p.Width(), p.Height()}, status.Height(), p.Caption().Position());
    PaintStatusBackground(status, surface, q);
    PaintStatusImage(p, surface, q);
    PaintStatusText(p, surface, q);
    PaintStatusEdges(p, surface, q);
}

void PaintSizeGrip(const TCustomAdvPanel& p, TCanvas& surface) {
    if (p.Collaps() || !p.CanSize()) return;
    const tk::TPoint corner = SizeGripCorner(FrameOf(p));
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
