#include "AdvPanel/model/panel_size_rules.h"

#include <algorithm>

namespace advpanel {

tk::TRect AreaInsideStrips(const PanelFrame& f) {
    tk::TRect r{0, 0, f.Width, f.Height};
    bool top = f.CaptionPosition == TCaptionPosition::cpTop;
    if (f.CaptionVisible) {
        if (top)
            r.Top = std::max(r.Top, f.CaptionHeight);
        else
            r.Left = std::max(r.Left, f.CaptionHeight);
    }
    if (f.StatusBarVisible) {
        if (top)
            r.Bottom = std::min(r.Bottom, f.Height - f.StatusBarHeight);
        else
            r.Right = std::min(r.Right, f.Width - f.StatusBarHeight);
    }
    return r;
}

namespace {

constexpr int kUnbounded = 65535;

} // namespace

tk::TRect AutoSizeMeasureRect(const AutoSizeFrame& f) {
    int bevels = 2 * f.BevelWidth;
    return {0, 0, f.SizeWidth ? kUnbounded : f.Width - bevels,
            f.SizeHeight ? kUnbounded : f.Height - bevels};
}

AutoSizeResult AutoSizeFromText(const AutoSizeFrame& f, TextExtent text) {
    int bevels = 2 * f.BevelWidth;
    int w = text.Width + 2 * f.BorderWidth;
    int h = text.Height + 2 * f.BorderWidth;
    bool top = f.CaptionPosition == TCaptionPosition::cpTop;
    AutoSizeResult r;
    if (f.SizeWidth) {
        int width = bevels + w + f.Indent;
        if (!top) {
            if (f.CaptionVisible) width += f.CaptionHeight;
            if (f.StatusBarVisible) width += f.StatusBarHeight;
        }
        r.Width = width;
    }
    if (f.SizeHeight) {
        int height = bevels + h + f.TopIndent;
        if (top) {
            if (f.CaptionVisible) height += f.CaptionHeight;
            if (f.StatusBarVisible) height += f.StatusBarHeight;
            // With both strips shown the border is counted a second time.
            if (f.CaptionVisible && f.StatusBarVisible) height += 2 * f.BorderWidth;
        }
        r.Height = height;
    }
    return r;
}

TextExtent MeasurePlainLines(std::string_view text, int lineHeight,
                             const std::function<int(std::string_view line)>& lineWidth) {
    TextExtent extent;
    if (text.empty()) return extent;
    size_t start = 0;
    while (true) {
        size_t end = text.find("\r\n", start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        extent.Width = std::max(extent.Width, lineWidth(line));
        extent.Height += lineHeight;
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    return extent;
}

} // namespace advpanel
