#include "AdvPanel/mouse/panel_hit_rules.h"

namespace advpanel {
namespace {

bool AlongTop(const CaptionButtonLayout& l) {
    return l.Position == TCaptionPosition::cpTop;
}
bool AtStart(const CaptionButtonLayout& l) {
    return l.ButtonPosition == TCaptionButtonPosition::cbpLeft;
}

} // namespace

int CaptionButtonSize(const CaptionButtonGlyphs& g, ButtonSizeUse use) {
    int w = 12;
    if (!g.CloseMinEmpty && !g.CloseMaxEmpty) w = g.CloseMinWidth;
    if (!g.MaxEmpty && !g.MinEmpty) w = use == ButtonSizeUse::HitTest ? g.MinWidth : g.MaxWidth;
    if (g.XPThemed) w = 16;
    return w;
}

tk::TRect ShrinkForButton(const tk::TRect& r, const CaptionButtonLayout& l) {
    tk::TRect s = r;
    const int w = l.ButtonSize;
    if (AlongTop(l)) {
        if (AtStart(l))
            s.Left += w;
        else
            s.Right -= w;
    } else {
        // A left caption has its buttons at the top (cbpRight) or at the bottom (cbpLeft).
        if (AtStart(l))
            s.Bottom -= w;
        else
            s.Top += w;
    }
    return s;
}

tk::TRect ButtonSquare(const tk::TRect& r, const CaptionButtonLayout& l) {
    const int w = l.ButtonSize;
    if (AlongTop(l) && !AtStart(l)) return {r.Right - w - 2, r.Top + 2, r.Right - 2, r.Top + w + 2};
    if (!AlongTop(l) && AtStart(l))
        return {r.Left + 2, r.Bottom - w - 2, r.Left + w + 2, r.Bottom - 2};
    return {r.Left + 2, r.Top + 2, r.Left + w + 2, r.Top + w + 2};
}

tk::TRect CloseButtonRect(const tk::TRect& client, const CaptionButtonLayout& l) {
    return ButtonSquare(client, l);
}

tk::TRect MinMaxButtonRect(const tk::TRect& client, const CaptionButtonLayout& l) {
    return ButtonSquare(l.CloseButton ? ShrinkForButton(client, l) : client, l);
}

tk::TRect CaptionClickArea(const tk::TRect& client, const CaptionButtonLayout& l) {
    const tk::TRect r = l.CloseButton ? ShrinkForButton(client, l) : client;
    if (AlongTop(l)) return {r.Left, r.Top, r.Right - 2, r.Top + l.CaptionHeight};
    return {r.Left, r.Top, r.Left + l.CaptionHeight, r.Bottom};
}

tk::TRect CaptionDoubleClickArea(const tk::TRect& r, TCaptionPosition position, int captionHeight) {
    if (position == TCaptionPosition::cpTop)
        return {r.Left, r.Top, r.Right - 2, r.Top + captionHeight};
    return {r.Left, r.Top, r.Left + captionHeight, r.Bottom};
}

bool InCaptionBand(tk::TPoint p, TCaptionPosition position, int captionHeight) {
    return position == TCaptionPosition::cpTop ? p.Y < captionHeight : p.X < captionHeight;
}

bool InMoveZone(tk::TPoint p, const tk::TRect& client, const CaptionButtonLayout& l) {
    tk::TRect r = client;
    if (l.CloseButton) r = ShrinkForButton(r, l);
    if (l.MinMaxButton) r = ShrinkForButton(r, l);
    if (AlongTop(l)) return p.Y < l.CaptionHeight && r.Left < p.X && p.X < r.Right;
    return p.X < l.CaptionHeight && r.Top < p.Y && p.Y < r.Bottom;
}

bool InSizeGrip(tk::TPoint p, int width, int height, int scrollWidth, int scrollHeight) {
    return p.Y > height - scrollHeight && p.X > width - scrollWidth;
}

tk::TRect KeepFixedEdges(tk::TRect r, tk::TPoint current, bool fixedLeft, bool fixedTop) {
    if (fixedLeft) r = tk::TRect::FromBounds(current.X, r.Top, r.Width(), r.Height());
    if (fixedTop) r = tk::TRect::FromBounds(r.Left, current.Y, r.Width(), r.Height());
    return r;
}

tk::TRect KeepFixedSize(tk::TRect r, tk::TPoint size, bool fixedWidth, bool fixedHeight) {
    if (fixedWidth) r.Right = r.Left + size.X;
    if (fixedHeight) r.Bottom = r.Top + size.Y;
    return r;
}

tk::TRect Grown(const tk::TRect& r) {
    return {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
}

bool IsShellTarget(std::string_view target) {
    return target.find("://") != std::string_view::npos ||
           target.find("mailto:") != std::string_view::npos;
}

tk::TPoint AnchorHintPos(tk::TPoint cursor) {
    return {cursor.X + 10, cursor.Y - 10};
}

PanelAnchorHit FindPanelAnchor(const PanelTextLayout& layout, tk::TPoint p, bool captionVisible,
                               TCaptionPosition captionPosition, int captionHeight) {
    if (captionVisible && InCaptionBand(p, captionPosition, captionHeight))
        return {layout.Caption.AnchorAt(p), true};
    if (layout.StatusBar.Shown.Contains(p)) return {};
    return {layout.Body.AnchorAt(p), false};
}

} // namespace advpanel
