#include "align_layout.h"

#include <algorithm>
#include <numeric>

namespace tk {
namespace {

// Sort key that puts the item nearest to its own edge first.
int EdgeKey(TAlign align, const TRect& r) {
    switch (align) {
    case TAlign::alTop:
        return r.Top;
    case TAlign::alBottom:
        return -r.Bottom;
    case TAlign::alLeft:
        return r.Left;
    case TAlign::alRight:
        return -r.Right;
    default:
        return 0;
    }
}

void Place(TAlign align, TRect& area, TRect& bounds) {
    int w = bounds.Width();
    int h = bounds.Height();
    switch (align) {
    case TAlign::alTop:
        bounds = {area.Left, area.Top, area.Right, area.Top + h};
        area.Top += h;
        break;
    case TAlign::alBottom:
        bounds = {area.Left, area.Bottom - h, area.Right, area.Bottom};
        area.Bottom -= h;
        break;
    case TAlign::alLeft:
        bounds = {area.Left, area.Top, area.Left + w, area.Bottom};
        area.Left += w;
        break;
    case TAlign::alRight:
        bounds = {area.Right - w, area.Top, area.Right, area.Bottom};
        area.Right -= w;
        break;
    case TAlign::alClient:
        bounds = area;
        break;
    default:
        break;
    }
}

} // namespace

TRect AlignItems(TRect area, std::vector<AlignItem>& items) {
    static constexpr TAlign kOrder[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft,
                                        TAlign::alRight, TAlign::alClient};
    for (TAlign align : kOrder) {
        std::vector<size_t> picked;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].Visible && items[i].Align == align) picked.push_back(i);
        std::stable_sort(picked.begin(), picked.end(), [&](size_t a, size_t b) {
            return EdgeKey(align, items[a].Bounds) < EdgeKey(align, items[b].Bounds);
        });
        for (size_t i : picked)
            Place(align, area, items[i].Bounds);
    }
    return area;
}

} // namespace tk
