#include "click_targets.h"

namespace wndact {

int HitTestCodeFor(int ordinal) {
    // Indexed by ordinal; the values are the system's HTCAPTION, HTTOP, ... codes.
    static constexpr int kCodes[] = {
        2,  // atCaption: HTCAPTION
        12, // atBorderTop: HTTOP
        11, // atBorderRight: HTRIGHT
        15, // atBorderBottom: HTBOTTOM
        10, // atBorderLeft: HTLEFT
        14, // atCornerTopRight: HTTOPRIGHT
        13, // atCornerTopLeft: HTTOPLEFT
        17, // atCornerBottonRight: HTBOTTOMRIGHT
        16, // atCornerBottomLeft: HTBOTTOMLEFT
        0,  // atNone: HTNOWHERE
    };
    if (ordinal < 0 || ordinal >= static_cast<int>(sizeof kCodes / sizeof kCodes[0])) return 0;
    return kCodes[ordinal];
}

} // namespace wndact
