#include "panel_html_measure.h"

#include "toolkit/win_handles.h"

namespace advpanel {
namespace {

TextExtent MeasureOn(HDC dc, const HtmlTextRequest& request) {
    tk::SelectedObject font(dc, request.Font->Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return MeasurePlainLines(request.Text, metrics.tmHeight, [dc](std::string_view line) {
        SIZE size{};
        GetTextExtentPoint32A(dc, line.data(), static_cast<int>(line.size()), &size);
        return static_cast<int>(size.cx);
    });
}

} // namespace

TextExtent RenderHtmlText(HDC dc, const HtmlTextRequest& request) {
    if (!request.Font || request.Text.empty()) return {};
    if (dc) return MeasureOn(dc, request);
    tk::WindowDC screen(nullptr);
    return MeasureOn(screen.Get(), request);
}

} // namespace advpanel
