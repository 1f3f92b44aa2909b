#pragma once
// The steps of the panel's painting, shared by the files that draw them. Each step paints over
// what the earlier ones left on the surface.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/markup/html_render.h"
#include "AdvPanel/paint/panel_paint_geometry.h"

namespace advpanel {

PaintFrame FrameOf(const TCustomAdvPanel& p);
void FillSolid(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color);
// The text renderer's settings from the panel, for `text` in `r`.
HtmlRenderParams PanelTextParams(const TCustomAdvPanel& p, const std::string& text,
                                 const tk::TRect& r, int hotAnchor, bool wordWrap);
// The canvas font turned to run along a vertical strip.
void UseRotatedFont(tk::TCanvas& canvas);

// The background picture and the body text, clipped to the body area.
void PaintBody(const TCustomAdvPanel& p, tk::TCanvas& surface);
// The caption strip, its buttons and its text.
void PaintCaption(const TCustomAdvPanel& p, tk::TCanvas& surface);
// The shaded, themed or bitmap caption strip `s`.
void DrawCaptionShade(const TCustomAdvPanel& p, tk::TCanvas& surface, tk::TRect s);
void PaintStatusBar(const TCustomAdvPanel& p, tk::TCanvas& surface);
void PaintSizeGrip(const TCustomAdvPanel& p, tk::TCanvas& surface);

} // namespace advpanel
