#include "message_layout.h"

#include <algorithm>

namespace dialogs {

using tk::MulDivRound;

MessageMetrics DeriveMetrics(int ax, int ay) {
    MessageMetrics m;
    m.HorzMargin = MulDivRound(8, ax, 4);
    m.VertMargin = MulDivRound(8, ay, 8);
    m.HorzSpacing = MulDivRound(10, ax, 4);
    m.VertSpacing = MulDivRound(10, ay, 8);
    m.ButtonWidth = MulDivRound(50, ax, 4);
    m.ButtonHeight = MulDivRound(14, ay, 8);
    m.ButtonSpacing = MulDivRound(4, ax, 4);
    return m;
}

namespace {

void PlaceButtons(const MessageLayoutInput& in, MessageLayout& out) {
    const MessageMetrics& m = out.Metrics;
    std::optional<TMsgDlgBtn> defaultKind = DefaultButton(in.Buttons);
    std::optional<TMsgDlgBtn> cancelKind = CancelButton(in.Buttons);
    int left = (out.ClientWidth - out.RowWidth) / 2;
    int top = out.BlockHeight + m.VertMargin + m.VertSpacing;
    for (TMsgDlgBtn kind : ButtonsIn(in.Buttons)) {
        out.Buttons.push_back({kind,
                               tk::TRect::FromBounds(left, top, m.ButtonWidth, m.ButtonHeight),
                               kind == defaultKind, kind == cancelKind});
        left += m.ButtonWidth + m.ButtonSpacing;
    }
}

} // namespace

MessageLayout LayoutMessageDialog(const MessageLayoutInput& in) {
    MessageLayout out;
    out.Metrics = DeriveMetrics(in.AvgCharWidth, in.CharHeight);
    MessageMetrics& m = out.Metrics;

    std::vector<TMsgDlgBtn> kinds = ButtonsIn(in.Buttons);
    for (TMsgDlgBtn kind : kinds)
        m.ButtonWidth = std::max(m.ButtonWidth, in.CaptionWidths[static_cast<size_t>(kind)]);

    out.BlockWidth = in.TextWidth;
    out.BlockHeight = in.TextHeight;
    if (in.HasIcon) {
        out.BlockWidth += kIconSize + m.HorzSpacing;
        out.BlockHeight = std::max(out.BlockHeight, kIconSize);
    }
    int n = static_cast<int>(kinds.size());
    out.RowWidth = n == 0 ? 0 : n * m.ButtonWidth + (n - 1) * m.ButtonSpacing;
    out.ClientWidth = std::max(out.BlockWidth, out.RowWidth) + 2 * m.HorzMargin;
    out.ClientHeight = out.BlockHeight + m.ButtonHeight + m.VertSpacing + 2 * m.VertMargin;

    if (in.HasIcon)
        out.Icon = tk::TRect::FromBounds(m.HorzMargin, m.VertMargin, kIconSize, kIconSize);
    int labelLeft = out.BlockWidth - in.TextWidth + m.HorzMargin;
    if (in.RightToLeft) labelLeft = out.ClientWidth - labelLeft - in.TextWidth;
    out.Label = tk::TRect::FromBounds(labelLeft, m.VertMargin, in.TextWidth, in.TextHeight);

    PlaceButtons(in, out);
    return out;
}

tk::TRect MessageMeasureRect(int screenWidth) {
    return {0, 0, screenWidth / 2, 0};
}

tk::TPoint CenteredIn(const tk::TRect& area, int width, int height) {
    return {area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2};
}

} // namespace dialogs
