#pragma once
// Pixels of a panel's own painting, for exact colour checks.
#include "support/win_test_support.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/base/win_handles.h"

#include <memory>

namespace wintest {

// The panel's own painting (no child windows, no windowless children) in a 32-bit DIB.
class PanelImage {
public:
    explicit PanelImage(HWND hwnd)
        : pixels_(hwnd, [hwnd](HDC memory, const RECT& client) {
              // A marker colour no painting uses, to show pixels left untouched.
              tk::BrushHandle marker(CreateSolidBrush(kUntouched));
              FillRect(memory, &client, marker.Get());
              SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
          }) {}
    int Width() const { return pixels_.Width(); }
    int Height() const { return pixels_.Height(); }
    tk::TColor At(int x, int y) const { return static_cast<tk::TColor>(pixels_.At(x, y)); }

    static constexpr COLORREF kUntouched = RGB(1, 2, 3);

private:
    ScreenPixels pixels_;
};

// A system colour as plain RGB.
inline tk::TColor SysRgb(int index) {
    return static_cast<tk::TColor>(GetSysColor(index));
}

} // namespace wintest
