// The panel's body: background picture and text, clipped to the area below the caption.
#include "AdvPanel/paint/panel_paint_parts.h"

namespace advpanel {
namespace {

tk::TRect BodyOf(const PanelPaintState& s) {
    return BodyArea(s.Frame, s.Caption->Visible());
}

void PaintBackgroundPicture(const PanelPaintState& s, tk::TCanvas& surface, const tk::TRect& body) {
    const tk::TBitmap& picture = *s.Background;
    if (picture.Empty()) return;
    if (s.BackgroundPosition == TBackGroundPosition::bpStretched) {
        surface.StretchDraw(body, picture);
        return;
    }
    for (tk::TPoint at : BackgroundOrigins(body, {s.Width, s.Height},
                                           {picture.Width(), picture.Height()},
                                           s.Frame.BevelWidth, s.BackgroundPosition))
        surface.Draw(at.X, at.Y, picture);
}

} // namespace

PanelTextJob BodyTextJob(const PanelPaintState& s) {
    const tk::TRect body = BodyOf(s);
    PanelTextJob job;
    job.Text = s.Text;
    job.Font = s.Font;
    job.Rect = BodyTextArea(s.Frame, body, s.Indent, s.TopIndent,
                            s.StatusBar->Visible() ? s.StatusBar->Height() : 0);
    job.Shown = body;
    job.HotAnchor = s.HotBodyAnchor;
    job.WordWrap = !s.Ellipsis;
    job.VAlign = s.TextVAlign;
    return job;
}

LaidOutText PaintBody(const PanelPaintState& s, tk::TCanvas& surface) {
    const tk::TRect body = BodyOf(s);
    tk::ClipRegion clip(surface.Handle(), body);
    PaintBackgroundPicture(s, surface, body);
    surface.Font.Assign(*s.Font);
    return RunTextJob(surface, s, BodyTextJob(s), true);
}

} // namespace advpanel
