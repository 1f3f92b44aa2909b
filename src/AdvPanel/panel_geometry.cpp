#include "AdvPanel/panel_geometry.h"

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

} // namespace advpanel
