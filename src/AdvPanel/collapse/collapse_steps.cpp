#include "AdvPanel/collapse/collapse_steps.h"

namespace advpanel {

int CollapsedExtent(const CollapseFrame& f) {
    const int border = f.Position == TCaptionPosition::cpTop ? 2 * f.BorderWidth : 0;
    return f.CaptionHeight + f.StatusBarHeight + border;
}

int CollapseStep(const CollapseFrame& f, int extent) {
    if (f.Steps <= 0) return 0;
    return (extent - CollapsedExtent(f)) / f.Steps;
}

int ExpandStep(const CollapseFrame& f, int fullExtent) {
    if (f.Steps <= 0) return 0;
    return (fullExtent - f.CaptionHeight - f.StatusBarHeight) / f.Steps;
}

} // namespace advpanel
