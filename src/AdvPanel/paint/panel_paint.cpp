// The panel's painting: background, border with its shadow and bevels here, then the body,
// caption, status bar and size grip, composed off-screen when Buffered.
#include "AdvPanel/shading/gradient_draw.h"
#include "AdvPanel/paint/panel_paint_parts.h"

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

PaintFrame FrameOf(const TCustomAdvPanel& p) {
    PaintFrame f;
    f.Width = p.ClientRect().Width();
    f.Height = p.ClientRect().Height();
    f.BorderShadow = p.BorderShadow();
    f.BorderWidth = p.BorderWidth();
    f.HasBevel = p.BevelInner() != TBevelCut::bvNone || p.BevelOuter() != TBevelCut::bvNone;
    f.BevelWidth = p.BevelWidth();
    f.CaptionPosition = p.Caption().Position();
    f.CaptionHeight = p.Caption().Height();
    return f;
}

HtmlRenderParams PanelTextParams(const TCustomAdvPanel& p, const std::string& text,
                                 const tk::TRect& r, int hotAnchor, bool wordWrap) {
    HtmlRenderParams params;
    params.Text = text;
    params.Rect = r;
    params.Images = p.Images();
    params.HotAnchor = hotAnchor;
    params.ShadowOffset = p.ShadowOffset();
    params.Hover = p.Hover;
    params.WordWrap = wordWrap;
    params.URLColor = p.URLColor();
    params.HoverColor = p.HoverColor;
    params.HoverFontColor = p.HoverFontColor;
    params.ShadowColor = p.ShadowColor();
    params.PictureContainer = p.PictureContainer();
    params.PictureCache = p.PictureCache();
    params.LineSpacing = p.LineSpacing();
    return params;
}

void UseRotatedFont(tk::TCanvas& canvas) {
    canvas.Font.SetRotation(-2700, 30);
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

void PaintBackground(const TCustomAdvPanel& p, TCanvas& surface, const TRect& r) {
    if (p.ColorTo() == tk::clNone)
        FillSolid(surface, r, p.Color());
    else
        DrawGradient(surface, p.Color(), p.ColorTo(), 64, r,
                     p.GradientDirection() == TGradientDirection::gdHorizontal);
}

// The one-pixel border and, with BorderShadow, the two shadow lines along the right and bottom
// edges, which take 2 pixels off `r` there.
void PaintBorder(const TCustomAdvPanel& p, TCanvas& surface, TRect& r) {
    if (p.BorderColor() == tk::clNone || p.BorderWidth() <= 0) return;
    surface.BrushStyle = TBrushStyle::bsClear;
    surface.PenColor = p.BorderColor();
    surface.PenWidth = 1;
    r = BorderOutline(FrameOf(p));
    surface.Rectangle(r);
    if (p.BorderShadow()) {
        surface.PenColor = BlendColor(p.BorderColor(), tk::clBtnFace, 50);
        surface.MoveTo(r.Right, r.Top);
        surface.LineTo(r.Right, r.Bottom);
        surface.LineTo(r.Left, r.Bottom);
        surface.PenColor = BlendColor(p.BorderColor(), tk::clBtnFace, 20);
        surface.MoveTo(r.Right + 1, r.Top);
        surface.LineTo(r.Right + 1, r.Bottom + 1);
        surface.LineTo(r.Left, r.Bottom + 1);
    }
    surface.BrushStyle = TBrushStyle::bsSolid;
}

void PaintBevels(const TCustomAdvPanel& p, TCanvas& surface, TRect& r) {
    BevelFrame(surface, r, p.BevelOuter(), p.BevelWidth());
    // Without a border the edge gets a ring in the panel's own colour.
    if (p.BorderColor() == tk::clNone) Frame3D(surface, r, p.Color(), p.Color(), 1);
    BevelFrame(surface, r, p.BevelInner(), p.BevelWidth());
    surface.BrushColor = p.Color();
    surface.PenColor = p.Color();
}

void PaintPanel(TCustomAdvPanel& p, TCanvas& surface) {
    TRect r = p.ClientRect();
    PaintBackground(p, surface, r);
    PaintBorder(p, surface, r);
    PaintBevels(p, surface, r);
    PaintBody(p, surface);
    if (p.Caption().Visible()) PaintCaption(p, surface);
    PaintStatusBar(p, surface);
    PaintSizeGrip(p, surface);
    if (p.OnPaint) p.OnPaint(&p, surface, p.ClientRect());
}

} // namespace

void TCustomAdvPanel::Paint(tk::TCanvas& canvas) {
    // The toolkit's double buffering already hands over an off-screen surface: compose there.
    if (!Buffered || GetObjectType(canvas.Handle()) == OBJ_MEMDC) {
        PaintPanel(*this, canvas);
        return;
    }
    const TRect client = ClientRect();
    if (client.Width() <= 0 || client.Height() <= 0) return;
    tk::MemoryDC memory(canvas.Handle());
    tk::BitmapHandle bitmap(
        CreateCompatibleBitmap(canvas.Handle(), client.Width(), client.Height()));
    if (!memory.Get() || !bitmap) {
        PaintPanel(*this, canvas); // no memory for the off-screen copy: paint directly
        return;
    }
    tk::SelectedObject selected(memory.Get(), bitmap.Get());
    TCanvas surface(memory.Get());
    surface.Font.Assign(canvas.Font);
    PaintPanel(*this, surface);
    BitBlt(canvas.Handle(), 0, 0, client.Width(), client.Height(), memory.Get(), 0, 0, SRCCOPY);
}

} // namespace advpanel
