// Interim: the text is taken as plain lines, measured and drawn without markup.
#include "html_render.h"

#include "panel_autosize_rules.h"
#include "toolkit/win_handles.h"

namespace advpanel {

bool RenderHtmlText(tk::TCanvas& canvas, const HtmlRenderParams& params, HtmlRenderResult& result) {
    result = {};
    result.PlainText = params.Text;
    HDC dc = canvas.Handle();
    tk::SelectedObject font(dc, canvas.Font.Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    TextExtent extent =
        MeasurePlainLines(params.Text, metrics.tmHeight, [dc](std::string_view line) {
            SIZE size{};
            GetTextExtentPoint32A(dc, line.data(), static_cast<int>(line.size()), &size);
            return static_cast<int>(size.cx);
        });
    result.Width = extent.Width;
    result.Height = params.Text.empty() ? static_cast<int>(metrics.tmHeight) : extent.Height;
    if (!params.MeasureOnly && !params.SizeOnly && !params.Text.empty()) {
        tk::TRect r = params.Rect;
        r.Left += 1;
        canvas.DrawTextIn(params.Text, r, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    return false;
}

} // namespace advpanel
