// The panel's painting: background, border with its shadow, bevels and the body (background
// picture and text, clipped to the area below the caption) here, then the caption, status bar and
// size grip; and the text jobs that painting and layout share.
#include "AdvPanel/paint/panel_paint.h"

#include "AdvPanel/markup/html_render.h"
#include "AdvPanel/paint/panel_paint_parts.h"
#include "AdvPanel/shading/gradient_draw.h"

namespace advpanel {

using tk::TBevelCut;
using tk::TBrushStyle;
using tk::TCanvas;
using tk::TColor;
using tk::TRect;

void FillSolid(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.BrushStyle = TBrushStyle::bsSolid;
    canvas.BrushColor = color;
    canvas.PenColor = color;
    canvas.Rectangle(r);
}

void UseRotatedFont(tk::TCanvas& canvas) {
    canvas.Font.SetRotation(-2700, 30);
}

HtmlRenderParams PanelTextParams(const PanelPaintState& s, std::string_view text,
                                 const tk::TRect& r, int hotAnchor, bool wordWrap) {
    HtmlRenderParams params;
    params.Text = std::string(text);
    params.Rect = r;
    params.Images = s.Images;
    params.HotAnchor = hotAnchor;
    params.ShadowOffset = s.Look.ShadowOffset;
    params.Hover = s.Look.Hover;
    params.WordWrap = wordWrap;
    params.URLColor = s.Look.URLColor;
    params.HoverColor = s.Look.HoverColor;
    params.HoverFontColor = s.Look.HoverFontColor;
    params.ShadowColor = s.Look.ShadowColor;
    params.PictureContainer = s.PictureContainer;
    params.PictureCache = s.PictureCache;
    params.LineSpacing = s.Look.LineSpacing;
    return params;
}

LaidOutText RunTextJob(TCanvas& canvas, const PanelPaintState& s, const PanelTextJob& job,
                       bool draw) {
    LaidOutText laidOut{job.Shown, {}};
    if (job.Text.empty()) return laidOut; // nothing to lay out, and laying out nothing costs a font
    canvas.Font.Assign(*job.Font);
    HtmlRenderParams params = PanelTextParams(s, job.Text, job.Rect, job.HotAnchor, job.WordWrap);
    HtmlRenderResult result;
    if (job.VAlign != TTextVAlignment::tvaTop) {
        params.MeasureOnly = true;
        RenderHtmlText(canvas, params, result);
        params.Rect = AlignTextArea(job.Rect, result.Height, job.VAlign);
    }
    params.MeasureOnly = !draw;
    RenderHtmlText(canvas, params, result);
    laidOut.Anchors = std::move(result.AnchorBoxes);
    return laidOut;
}

namespace {

// Nested one-pixel rings, top and left edges in `topLeft`, bottom and right edges in
// `bottomRight`; `r` shrinks by one pixel on every side per ring.
void Frame3D(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight, int width) {
    canvas.PenWidth = 1;
    for (int i = 0; i < width; ++i) {
        const int right = r.Right - 1, bottom = r.Bottom - 1;
        canvas.PenColor = topLeft;
        canvas.MoveTo(r.Left, bottom);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(right, r.Top);
        canvas.PenColor = bottomRight;
        canvas.LineTo(right, bottom);
        canvas.LineTo(r.Left - 1, bottom);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
}

void BevelFrame(TCanvas& canvas, TRect& r, TBevelCut cut, int width) {
    if (cut == TBevelCut::bvNone) return;
    if (cut == TBevelCut::bvLowered)
        Frame3D(canvas, r, tk::clBtnShadow, tk::clBtnHighlight, width);
    else
        Frame3D(canvas, r, tk::clBtnHighlight, tk::clBtnShadow, width);
}

void PaintBackground(const PanelPaintState& s, TCanvas& surface, const TRect& r) {
    if (s.Look.ColorTo == tk::clNone)
        FillSolid(surface, r, s.Color);
    else
        DrawGradient(surface, s.Color, s.Look.ColorTo, 64, r,
                     s.Look.GradientDirection == TGradientDirection::gdHorizontal);
}

// The one-pixel border and, with BorderShadow, the two shadow lines along the right and bottom
// edges, which take 2 pixels off `r` there.
void PaintBorder(const PanelPaintState& s, TCanvas& surface, TRect& r) {
    if (s.Look.BorderColor == tk::clNone || s.Frame.BorderWidth <= 0) return;
    surface.BrushStyle = TBrushStyle::bsClear;
    surface.PenColor = s.Look.BorderColor;
    surface.PenWidth = 1;
    r = BorderOutline(s.Frame);
    surface.Rectangle(r);
    if (s.Frame.BorderShadow) {
        surface.PenColor = BlendColor(s.Look.BorderColor, tk::clBtnFace, 50);
        surface.MoveTo(r.Right, r.Top);
        surface.LineTo(r.Right, r.Bottom);
        surface.LineTo(r.Left, r.Bottom);
        surface.PenColor = BlendColor(s.Look.BorderColor, tk::clBtnFace, 20);
        surface.MoveTo(r.Right + 1, r.Top);
        surface.LineTo(r.Right + 1, r.Bottom + 1);
        surface.LineTo(r.Left, r.Bottom + 1);
    }
    surface.BrushStyle = TBrushStyle::bsSolid;
}

void PaintBevels(const PanelPaintState& s, TCanvas& surface, TRect& r) {
    BevelFrame(surface, r, s.BevelOuter, s.Frame.BevelWidth);
    // Without a border the edge gets a ring in the panel's own colour.
    if (s.Look.BorderColor == tk::clNone) Frame3D(surface, r, s.Color, s.Color, 1);
    BevelFrame(surface, r, s.BevelInner, s.Frame.BevelWidth);
    surface.BrushColor = s.Color;
    surface.PenColor = s.Color;
}

} // namespace

PanelTextLayout PaintPanel(const PanelPaintState& s, TCanvas& surface) {
    TRect r{0, 0, s.Frame.Width, s.Frame.Height};
    PaintBackground(s, surface, r);
    PaintBorder(s, surface, r);
    PaintBevels(s, surface, r);
    PanelTextLayout laidOut;
    laidOut.Body = PaintBody(s, surface);
    if (s.Caption->Visible()) laidOut.Caption = PaintCaption(s, surface);
    laidOut.StatusBar = PaintStatusBar(s, surface);
    PaintSizeGrip(s, surface);
    return laidOut;
}

PanelTextLayout LayOutPanelTexts(const PanelPaintState& s, TCanvas& measuring) {
    PanelTextLayout laidOut;
    laidOut.Body = RunTextJob(measuring, s, BodyTextJob(s), false);
    if (s.Caption->Visible()) laidOut.Caption = RunTextJob(measuring, s, CaptionTextJob(s), false);
    if (s.StatusBar->Visible())
        laidOut.StatusBar = RunTextJob(measuring, s, StatusTextJob(s), false);
    return laidOut;
}

namespace {

tk::TRect BodyOf(const PanelPaintState& s) {
    return BodyArea(s.Frame, s.Caption->Visible());
}

void PaintBackgroundPicture(const PanelPaintState& s, tk::TCanvas& surface, const tk::TRect& body) {
    const tk::TBitmap& picture = *s.Background;
    if (picture.Empty()) return;
    if (s.Look.BackgroundPosition == TBackGroundPosition::bpStretched) {
        surface.StretchDraw(body, picture);
        return;
    }
    for (tk::TPoint at : BackgroundOrigins(body, {s.Frame.Width, s.Frame.Height},
                                           {picture.Width(), picture.Height()}, s.Frame.BevelWidth,
                                           s.Look.BackgroundPosition))
        surface.Draw(at.X, at.Y, picture);
}

} // namespace

PanelTextJob BodyTextJob(const PanelPaintState& s) {
    const tk::TRect body = BodyOf(s);
    PanelTextJob job;
    job.Text = s.Text;
    job.Font = s.Font;
    job.Rect = BodyTextArea(s.Frame, body, s.Look.Indent, s.Look.TopIndent,
                            s.StatusBar->Visible() ? s.StatusBar->Height() : 0);
    job.Shown = body;
    job.HotAnchor = s.HotBodyAnchor;
    job.WordWrap = !s.Look.Ellipsis;
    job.VAlign = s.Look.TextVAlign;
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
