// Fuzz target: the mini-markup layout must lay out, draw and hit-test any text, under any of its
// switches, on fixed metrics, without crashing, overflowing or taking unbounded time.
#include "AdvPanel/markup/html_layout.h"
#include "../native/panel/fixed_metrics_surface.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    // The first four bytes choose the switches, the rectangle and the mouse; the rest is text.
    std::uint8_t flags = data[0];
    advpanel::HtmlRenderParams p;
    p.Rect = {0, 0, 1 + data[1], 1 + data[2] * 2};
    p.Mouse = {data[3] % 64, data[3] / 4};
    p.WordWrap = flags & 1;
    p.MeasureOnly = flags & 2;
    p.SizeOnly = flags & 4;
    p.Hover = flags & 8;
    p.Selected = flags & 16;
    p.BlinkPhase = flags & 32;
    p.Print = flags & 64;
    p.Scale = (flags & 128) ? 2.5 : 1.0;
    p.HotAnchor = flags % 3;
    p.FocusAnchor = flags % 4 - 1;
    p.ShadowOffset = 2;
    p.LineSpacing = flags % 5;
    p.HoverColor = advpanel::HtmlColor("clYellow");
    p.Text.assign(reinterpret_cast<const char*>(data) + 4, size - 4);

    advpanel::testing::FixedMetricsSurface surface;
    surface.Pictures = {{"pic", {20, 30}}, {"IDX:0", {16, 16}}, {"alt", {40, 10}}};
    advpanel::HtmlFont base;
    base.Name = "Tahoma";
    advpanel::HtmlRenderResult result;
    bool over = advpanel::LayoutHtml(surface, base, advpanel::HtmlColor("clRed"), p, result);
    // What the result promises must hold whatever the text.
    if (over != (result.MouseAnchor >= 1)) __builtin_trap();
    if (result.MouseAnchor > result.AnchorCount) __builtin_trap();
    if (result.Height <= 0 || result.Width < 0) __builtin_trap();
    return 0;
}
