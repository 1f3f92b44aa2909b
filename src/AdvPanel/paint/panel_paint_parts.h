#pragma once
// The steps of the panel's painting, shared by the files that draw them, and the one place each
// marked-up text is placed: painting and laying out alike run the same text jobs.
#include "AdvPanel/paint/panel_paint_state.h"
#include "AdvPanel/paint/panel_text_layout.h"
#include "toolkit/graphics/graphics.h"

#include <string_view>

namespace advpanel {

void FillSolid(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color);
// The canvas font turned to run along a vertical strip.
void UseRotatedFont(tk::TCanvas& canvas);

// One marked-up text: what it says, in which font, where it is laid out and where it shows.
struct PanelTextJob {
    std::string_view Text; // empty: nothing to lay out
    const tk::TFont* Font = nullptr;
    tk::TRect Rect;
    tk::TRect Shown;
    int HotAnchor = -1;
    bool WordWrap = false;
    TTextVAlignment VAlign = TTextVAlignment::tvaTop;
};
PanelTextJob BodyTextJob(const PanelPaintState& s);
// The caption's text when it is marked up (a top caption); a left caption's plain text is not.
PanelTextJob CaptionTextJob(const PanelPaintState& s);
PanelTextJob StatusTextJob(const PanelPaintState& s);
// Lays a job's text out on `canvas` in the job's font, and draws it when `draw` is set.
LaidOutText RunTextJob(tk::TCanvas& canvas, const PanelPaintState& s, const PanelTextJob& job,
                       bool draw);

// The background picture and the body text, clipped to the body area.
LaidOutText PaintBody(const PanelPaintState& s, tk::TCanvas& surface);
// The caption strip, its buttons and its text.
LaidOutText PaintCaption(const PanelPaintState& s, tk::TCanvas& surface);
LaidOutText PaintStatusBar(const PanelPaintState& s, tk::TCanvas& surface);
void PaintSizeGrip(const PanelPaintState& s, tk::TCanvas& surface);

} // namespace advpanel
