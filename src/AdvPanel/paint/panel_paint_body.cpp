// The panel's body: background picture and text, clipped to the area below the caption.
#include "AdvPanel/paint/panel_paint_parts.h"

namespace advpanel {
namespace {

void PaintBackgroundPicture(const TCustomAdvPanel& p, tk::TCanvas& surface, const tk::TRect& body) {
    const TAdvImage& picture = p.Background();
    if (picture.Empty()) return;
    if (p.BackgroundPosition() == TBackGroundPosition::bpStretched) {
        surface.StretchDraw(body, picture);
        return;
    }
    for (tk::TPoint at :
         BackgroundOrigins(body, {p.Width(), p.Height()}, {picture.Width(), picture.Height()},
                           p.BevelWidth(), p.BackgroundPosition()))
        surface.Draw(at.X, at.Y, picture);
}

void PaintBodyText(const TCustomAdvPanel& p, tk::TCanvas& surface, const tk::TRect& body) {
    const TPanelStatusBar& status = p.StatusBar();
    tk::TRect area = BodyTextArea(FrameOf(p), body, p.Indent(), p.TopIndent(),
                                  status.Visible() ? status.Height() : 0);
    surface.Font.Assign(p.Font());
    if (p.PanelText().empty()) return; // nothing to draw, and laying out nothing costs a font
    HtmlRenderParams params =
        PanelTextParams(p, p.PanelText(), area, p.HotBodyAnchor(), !p.Ellipsis());
    HtmlRenderResult result;
    if (p.TextVAlign() != TTextVAlignment::tvaTop) {
        params.MeasureOnly = true;
        RenderHtmlText(surface, params, result);
        params.Rect = AlignTextArea(area, result.Height, p.TextVAlign());
        params.MeasureOnly = false;
    }
    RenderHtmlText(surface, params, result);
}

} // namespace

void PaintBody(const TCustomAdvPanel& p, tk::TCanvas& surface) {
    const tk::TRect body = BodyArea(FrameOf(p), p.Caption().Visible());
    tk::ClipRegion clip(surface.Handle(), body);
    PaintBackgroundPicture(p, surface, body);
    PaintBodyText(p, surface, body);
}

} // namespace advpanel
