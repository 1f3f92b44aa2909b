// The label's text placement: a single line is placed by the system in the call that draws it,
// a wrapped or multi-line caption from its measured block; both must put the same line in the
// same place.
#include "support/win_test_support.h"
#include "toolkit/stdctrls.h"

#include <gtest/gtest.h>

namespace {

using tk::TTextLayout;
using wintest::AppFixture;
using wintest::DibCanvas;

constexpr int kSize = 48;

// Paints a kSize-square label with `caption` in a 19-pixel font onto a white surface.
void PaintLabel(DibCanvas& dib, const std::string& caption, TTextLayout layout, bool wordWrap,
                bool enabled = true) {
    tk::TLabel label(nullptr);
    label.SetBounds(0, 0, kSize, kSize);
    label.SetCaption(caption);
    label.Font().SetHeight(-19);
    label.Alignment = tk::TAlignment::taCenter;
    label.Layout = layout;
    label.Transparent = true;
    label.WordWrap = wordWrap;
    label.SetEnabled(enabled);
    label.Paint(dib.Canvas());
}

// The first and last rows holding anything but white.
std::pair<int, int> InkRows(const DibCanvas& dib) {
    int first = -1, last = -1;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            if (dib.At(x, y) != RGB(255, 255, 255)) {
                if (first < 0) first = y;
                last = y;
            }
    return {first, last};
}

TEST(LabelPaint, OneLineSitsWhereItsMeasuredBlockWouldForEveryLayout) {
    AppFixture fixture;
    for (TTextLayout layout : {TTextLayout::tlTop, TTextLayout::tlCenter, TTextLayout::tlBottom})
        for (bool enabled : {true, false}) {
            DibCanvas single(kSize, kSize), wrapped(kSize, kSize);
            PaintLabel(single, "Ag", layout, false, enabled);
            PaintLabel(wrapped, "Ag", layout, true, enabled); // fits: still one line
            const auto rows = InkRows(single);
            ASSERT_GE(rows.first, 0);
            EXPECT_EQ(rows, InkRows(wrapped)) << static_cast<int>(layout) << enabled;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x)
                    ASSERT_EQ(single.At(x, y), wrapped.At(x, y)) << x << "," << y;
        }
    DibCanvas top(kSize, kSize), centre(kSize, kSize), bottom(kSize, kSize);
    PaintLabel(top, "Ag", TTextLayout::tlTop, false);
    PaintLabel(centre, "Ag", TTextLayout::tlCenter, false);
    PaintLabel(bottom, "Ag", TTextLayout::tlBottom, false);
    EXPECT_LT(InkRows(top).first, InkRows(centre).first);
    EXPECT_LT(InkRows(centre).first, InkRows(bottom).first);
    EXPECT_GE(InkRows(bottom).second, kSize - 8); // the line's foot near the bottom edge
}

TEST(LabelPaint, TwoLinesAreCentredAsOneBlock) {
    AppFixture fixture;
    DibCanvas one(kSize, kSize), two(kSize, kSize);
    PaintLabel(one, "A", TTextLayout::tlCenter, false);
    PaintLabel(two, "A\nA", TTextLayout::tlCenter, false);
    const auto single = InkRows(one), both = InkRows(two);
    // The pair spans about twice the single line, around the same middle.
    EXPECT_LT(both.first, single.first);
    EXPECT_GT(both.second, single.second);
    EXPECT_NEAR((both.first + both.second) / 2.0, (single.first + single.second) / 2.0, 2.0);
}

} // namespace
