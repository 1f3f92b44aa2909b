#pragma once
// How far collapsing and expanding the panel go, and in which steps; extents are heights for a
// top caption and widths for a left one. Needs no operating system.
#include "AdvPanel/model/panel_types.h"

namespace advpanel {

// The sizes of a collapse or expand with the caption on `Position`.
struct CollapseFrame {
    TCaptionPosition Position = TCaptionPosition::cpTop;
    int CaptionHeight = 20;
    int StatusBarHeight = 0; // 0 when the status bar is hidden
    int BorderWidth = 0;
    int Steps = 0;
};
// What is left when collapsed: the caption and status bar, with a top caption also the border at
// both ends.
int CollapsedExtent(const CollapseFrame& f);
// How much each animation step takes off (collapse) or adds (expand); 0 without steps. Division
// truncates toward zero; the final size is set exactly afterwards.
int CollapseStep(const CollapseFrame& f, int extent);
int ExpandStep(const CollapseFrame& f, int fullExtent);

} // namespace advpanel
