#include "AdvPanel/shading/gradient_bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using advpanel::BlendColor;
using advpanel::GradientBand;
using advpanel::GradientBands;
using tk::RGBColor;
using tk::TColor;
using tk::TRect;

namespace {

// Paints the bands into one value per row (or column), later bands over earlier ones, as the
// drawing does; -1 marks a pixel no band covered.
std::vector<TColor> Paint(const std::vector<GradientBand>& bands, int extent, bool horizontal) {
    std::vector<TColor> pixels(static_cast<std::size_t>(extent), -1);
    for (const GradientBand& b : bands) {
        int from = horizontal ? b.Rect.Left : b.Rect.Top;
        int to = horizontal ? b.Rect.Right : b.Rect.Bottom;
        for (int p = from; p < to; ++p)
            if (p >= 0 && p < extent) pixels[static_cast<std::size_t>(p)] = b.Color;
    }
    return pixels;
}

int Blue(TColor c) {
    return (c >> 16) & 0xFF;
}

// A fake system palette: the button face of a classic theme.
constexpr TColor kFace = RGBColor(236, 233, 216);
TColor ResolveFace(TColor c) {
    return c == tk::clBtnFace ? kFace : c;
}

} // namespace

TEST(GradientBands, NoteBodyOf277RowsHasFiveRowBandsEndingAt221) {
    TRect r{0, 0, 369, 277};
    auto bands = GradientBands(RGBColor(255, 255, 204), RGBColor(255, 255, 221), 64, r, false);
    ASSERT_EQ(bands.size(), 64u);
    const int starts[] = {0, 4, 9, 13, 17, 22};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bands[i].Rect.Top, starts[i]) << i;
        EXPECT_EQ(bands[i].Rect.Bottom, starts[i] + 5) << i;
    }
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(bands[i].Rect.Left, 0);
        EXPECT_EQ(bands[i].Rect.Right, 369);
        EXPECT_EQ(bands[i].Color,
                  RGBColor(255, 255, 204 + static_cast<int>(std::nearbyint(17.0 * i / 64))))
            << i;
    }
    EXPECT_EQ(Blue(bands[1].Color), 204);
    EXPECT_EQ(Blue(bands[2].Color), 205);
    EXPECT_EQ(bands[63].Rect.Top, 273);
    EXPECT_EQ(bands[63].Rect.Bottom, 277); // cut at the edge
    EXPECT_EQ(bands[63].Color, RGBColor(255, 255, 221));

    auto rows = Paint(bands, 277, false);
    for (int y = 0; y < 277; ++y)
        EXPECT_NE(rows[y], -1) << y;
    EXPECT_EQ(rows[4], bands[1].Color); // the later band wins the shared row
    EXPECT_EQ(rows[276], RGBColor(255, 255, 221));
}

TEST(GradientBands, CaptionOf28RowsShowsTheLastBandStartingOnEachRow) {
    TRect s{1, 1, 366, 29};
    auto bands = GradientBands(RGBColor(228, 228, 182), RGBColor(218, 216, 173), 64, s, false);
    for (const GradientBand& b : bands) {
        if (b.Rect.Bottom > b.Rect.Top) {
            EXPECT_EQ(b.Rect.Bottom - b.Rect.Top, 1);
        }
        EXPECT_LE(b.Rect.Bottom, 29);
    }
    EXPECT_EQ(bands[63].Rect.Top, 29); // starts past the strip and covers nothing
    EXPECT_EQ(bands[63].Rect.Bottom, 29);
    auto rows = Paint(bands, 29, false);
    EXPECT_EQ(rows[0], -1);
    EXPECT_EQ(rows[1], RGBColor(228, 228, 182));
    EXPECT_EQ(rows[2], RGBColor(228, 227, 182));
    EXPECT_EQ(rows[28], RGBColor(218, 216, 173));
}

TEST(GradientBands, DescendingAndAscendingComponentsMirrorEachOther) {
    TRect r{0, 0, 10, 64};
    auto up = GradientBands(RGBColor(0, 100, 50), RGBColor(64, 36, 50), 64, r, false);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(up[i].Color & 0xFF, i);
        EXPECT_EQ((up[i].Color >> 8) & 0xFF, 100 - i);
        EXPECT_EQ(Blue(up[i].Color), 50);
        EXPECT_EQ(up[i].Rect, (TRect{0, i, 10, i + 2 > 64 ? 64 : i + 2}));
    }
    // Halves round to even in both directions: 3 steps of 1.5 from 10 and from 13.
    auto a = GradientBands(RGBColor(10, 0, 0), RGBColor(16, 0, 0), 4, r, false);
    auto d = GradientBands(RGBColor(16, 0, 0), RGBColor(10, 0, 0), 4, r, false);
    EXPECT_EQ(a[1].Color & 0xFF, 12); // 10 + Round(1.5)
    EXPECT_EQ(a[3].Color & 0xFF, 14); // 10 + Round(4.5)
    EXPECT_EQ(d[1].Color & 0xFF, 14); // 16 + Round(-1.5)
    EXPECT_EQ(d[3].Color & 0xFF, 12); // 16 + Round(-4.5)
}

TEST(GradientBands, HorizontalBandsRunLeftToRightWithinTheRectangle) {
    TRect r{5, 7, 105, 9};
    auto bands = GradientBands(RGBColor(0, 0, 0), RGBColor(40, 0, 0), 4, r, true);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].Rect, (TRect{5, 7, 31, 9}));
    EXPECT_EQ(bands[1].Rect, (TRect{30, 7, 56, 9}));
    EXPECT_EQ(bands[3].Rect, (TRect{80, 7, 105, 9}));
    EXPECT_EQ(bands[3].Color, RGBColor(30, 0, 0));
}

TEST(GradientBands, MoreStepsThanPixelsGiveOnePixelBandsTheLaterWinning) {
    TRect r{0, 0, 4, 10};
    auto bands = GradientBands(RGBColor(0, 0, 0), RGBColor(0, 0, 64), 64, r, false);
    for (const GradientBand& b : bands)
        EXPECT_LE(b.Rect.Bottom - b.Rect.Top, 1);
    auto rows = Paint(bands, 10, false);
    // Row y is started by bands i with Round(i * 10 / 64) = y; the last of them wins.
    for (int y = 0; y < 10; ++y) {
        int last = -1;
        for (int i = 0; i < 64; ++i)
            if (std::nearbyint(i * 10.0 / 64) == y) last = i;
        EXPECT_EQ(rows[y], RGBColor(0, 0, last)) << y;
    }
}

TEST(GradientBands, DegenerateInputsCoverNothingOrOneBand) {
    auto zeroSteps =
        GradientBands(RGBColor(1, 2, 3), RGBColor(9, 9, 9), 0, TRect{0, 0, 3, 3}, false);
    ASSERT_EQ(zeroSteps.size(), 1u);
    EXPECT_EQ(zeroSteps[0].Rect, (TRect{0, 0, 3, 3}));
    EXPECT_EQ(zeroSteps[0].Color, RGBColor(1, 2, 3));
    EXPECT_EQ(GradientBands(0, 0, -5, TRect{0, 0, 3, 3}, false).size(), 1u);

    // An inverted rectangle: no band may come out non-empty (GDI would draw it normalised).
    for (bool horizontal : {false, true})
        for (const GradientBand& b :
             GradientBands(0, tk::clWhite, 64, TRect{50, 50, 10, 10}, horizontal))
            EXPECT_TRUE(b.Rect.Right <= b.Rect.Left || b.Rect.Bottom <= b.Rect.Top);
}

TEST(CoalescedBands, LeaveThePixelsOfAllBandsWithFewerFills) {
    using advpanel::CoalescedBands;
    // The note's body and caption: one fill per colour that shows.
    const TRect body{0, 0, 369, 277};
    auto bands = GradientBands(RGBColor(255, 255, 204), RGBColor(255, 255, 221), 64, body, false);
    auto fills = CoalescedBands(bands, false);
    EXPECT_EQ(Paint(fills, 277, false), Paint(bands, 277, false));
    EXPECT_EQ(fills.size(), 18u); // blue 204 to 220, then the last band's 221 at the foot
    for (const GradientBand& f : fills)
        EXPECT_TRUE(f.Rect.Left == 0 && f.Rect.Right == 369);
    const TRect strip{1, 1, 366, 29};
    bands = GradientBands(RGBColor(228, 228, 182), RGBColor(218, 216, 173), 64, strip, false);
    EXPECT_EQ(Paint(CoalescedBands(bands, false), 29, false), Paint(bands, 29, false));
    EXPECT_LE(CoalescedBands(bands, false).size(), 28u);

    // Every extent against every step count, in both directions, with colours that repeat.
    for (bool horizontal : {false, true})
        for (int extent : {0, 1, 2, 5, 28, 63, 64, 65, 130, 277, 1080})
            for (int steps : {1, 2, 3, 7, 64, 100, 255, 1000}) {
                const TRect r = horizontal ? TRect{3, 0, 3 + extent, 9} : TRect{0, 3, 9, 3 + extent};
                bands = GradientBands(RGBColor(0, 0, 10), RGBColor(0, 0, 17), steps, r, horizontal);
                fills = CoalescedBands(bands, horizontal);
                ASSERT_EQ(Paint(fills, extent + 3, horizontal), Paint(bands, extent + 3, horizontal))
                    << extent << " " << steps << " " << horizontal;
                for (const GradientBand& f : fills)
                    ASSERT_TRUE(f.Rect.Right > f.Rect.Left && f.Rect.Bottom > f.Rect.Top);
            }

    // Offsets past 16 bits wrap back: later bands then land before earlier ones.
    const TRect tall{0, 0, 1, 200000};
    bands = GradientBands(RGBColor(0, 0, 0), RGBColor(0, 0, 200), 4, tall, false);
    EXPECT_EQ(Paint(CoalescedBands(bands, false), 200000, false), Paint(bands, 200000, false));
}

TEST(BlendColor, MixesComponentsRoundingHalvesToEven) {
    const TColor olive = RGBColor(104, 94, 32);
    EXPECT_EQ(BlendColor(olive, RGBColor(236, 233, 216), 50, ResolveFace), RGBColor(170, 164, 124));
    EXPECT_EQ(BlendColor(olive, RGBColor(236, 233, 216), 20, ResolveFace), RGBColor(210, 205, 179));
    EXPECT_EQ(BlendColor(olive, RGBColor(212, 208, 200), 50, ResolveFace), RGBColor(158, 151, 116));
    EXPECT_EQ(BlendColor(olive, RGBColor(212, 208, 200), 20, ResolveFace), RGBColor(190, 185, 166));
    // 162.5 rounds down to the even 162.
    EXPECT_EQ(BlendColor(RGBColor(100, 0, 0), RGBColor(225, 0, 0), 50, ResolveFace) & 0xFF, 162);
    EXPECT_EQ(BlendColor(olive, RGBColor(1, 2, 3), 0, ResolveFace), RGBColor(1, 2, 3));
}

TEST(BlendColor, ResolvesSystemColoursExceptAtAHundredPercent) {
    const TColor olive = RGBColor(104, 94, 32);
    EXPECT_EQ(BlendColor(olive, tk::clBtnFace, 50, ResolveFace), RGBColor(170, 164, 124));
    EXPECT_EQ(BlendColor(tk::clBtnFace, olive, 100, ResolveFace), tk::clBtnFace);
    EXPECT_EQ(BlendColor(tk::clBtnFace, olive, 99, ResolveFace),
              RGBColor(235, 232, 214)); // 99% of the resolved face
}
