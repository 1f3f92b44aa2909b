#pragma once
// The panel's painting: background, border with its shadow, bevels, body, caption strip, status
// bar and size grip, each step over what the earlier ones left. The toolkit's double buffering
// hands over an off-screen surface, so the panel composes there and keeps no buffer of its own.
#include "AdvPanel/markup/html_params.h"
#include "AdvPanel/paint/panel_paint_state.h"
#include "AdvPanel/paint/panel_text_layout.h"
#include "toolkit/graphics/graphics.h"

#include <string_view>

namespace advpanel {

// The text renderer's settings for one of the panel's texts, laid out in `r`.
HtmlRenderParams PanelTextParams(const PanelPaintState& s, std::string_view text,
                                 const tk::TRect& r, int hotAnchor, bool wordWrap);

// Paints the whole panel on `surface` and returns where its texts were laid out.
PanelTextLayout PaintPanel(const PanelPaintState& s, tk::TCanvas& surface);

// Lays the panel's texts out exactly as PaintPanel does, drawing nothing.
PanelTextLayout LayOutPanelTexts(const PanelPaintState& s, tk::TCanvas& measuring);

} // namespace advpanel
