#pragma once
// Arithmetic of child alignment: where aligned children go inside a parent's area.
#include "toolkit/base/geometry.h"

#include <vector>

namespace tk {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

struct AlignItem {
    TAlign Align = TAlign::alNone;
    TRect Bounds; // in: current bounds; out: aligned bounds
    bool Visible = true;
};

// Places the visible aligned items inside `area` in the order alTop, alBottom, alLeft, alRight,
// alClient. Items of one kind are taken nearest-edge first (by their current position), ties in
// the given order. Unaligned and hidden items keep their bounds. Returns the area left over.
TRect AlignItems(TRect area, std::vector<AlignItem>& items);

} // namespace tk
