#include "AdvPanel/shading/gradient_draw.h"

#include "AdvPanel/shading/gradient_bands.h"

namespace advpanel {
namespace {

tk::TColor ResolveColor(tk::TColor color) {
    return static_cast<tk::TColor>(tk::ColorToRGB(color));
}

} // namespace

void DrawGradient(tk::TCanvas& canvas, tk::TColor from, tk::TColor to, int steps,
                  const tk::TRect& r, bool horizontal) {
    canvas.BrushStyle = tk::TBrushStyle::bsSolid;
    const std::vector<GradientBand> bands =
        GradientBands(ResolveColor(from), ResolveColor(to), steps, r, horizontal);
    if (canvas.PenWidth == 1) {
        // All bands in one go, and only what shows of them: the same pixels with fewer fills
        // and without a pen and brush per band.
        const std::vector<GradientBand> shown = CoalescedBands(bands, horizontal);
        std::vector<tk::ColoredRect> fills;
        fills.reserve(shown.size());
        for (const GradientBand& band : shown)
            fills.push_back({band.Rect, band.Color});
        canvas.FillColoredRects(fills);
    } else {
        for (const GradientBand& band : bands) {
            canvas.PenColor = band.Color;
            canvas.BrushColor = band.Color;
            // An empty band must draw nothing: the rectangle primitive would normalise it.
            if (band.Rect.Right > band.Rect.Left && band.Rect.Bottom > band.Rect.Top)
                canvas.Rectangle(band.Rect);
        }
    }
    if (!bands.empty()) canvas.PenColor = canvas.BrushColor = bands.back().Color;
}

void DrawFramedGradient(tk::TCanvas& canvas, tk::TColor from, tk::TColor to, tk::TColor frame,
                        int steps, const tk::TRect& r, bool horizontal) {
    DrawGradient(canvas, from, to, steps, r, horizontal);
    if (frame == tk::clNone) return;
    canvas.BrushStyle = tk::TBrushStyle::bsClear;
    canvas.PenColor = frame;
    canvas.Rectangle(r);
}

tk::TColor BlendColor(tk::TColor c1, tk::TColor c2, int percent) {
    return advpanel::BlendColor(c1, c2, percent, ResolveColor);
}

} // namespace advpanel
