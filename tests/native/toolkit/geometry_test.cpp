#include "toolkit/base/geometry.h"
#include "toolkit/base/layout_scaling.h"
#include "toolkit/forms/screen_fit.h"

#include <gtest/gtest.h>

using tk::TPoint;
using tk::TRect;

TEST(Geometry, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(tk::MulDivRound(369, 16, 13), 454);  // 454.15
    EXPECT_EQ(tk::MulDivRound(13, 3, 2), 20);      // 19.5
    EXPECT_EQ(tk::MulDivRound(-13, 3, 2), -20);
    EXPECT_EQ(tk::MulDivRound(13, -3, 2), -20);
    EXPECT_EQ(tk::MulDivRound(5, 1, -2), -3);
    EXPECT_EQ(tk::MulDivRound(7, 1, 0), -1);
    EXPECT_EQ(tk::MulDivRound(2000000000, 3, 2), -1); // overflow, as the system reports it
}

TEST(LayoutScaling, ScalesEdgesSoThatWidthsFollowRoundedEdges) {
    // 1, 31, 344 x 218 at 16/13: edges 1.23, 38.15, 424.6, 306.46.
    TRect r = tk::ScaleEdges(TRect::FromBounds(1, 31, 344, 218), 16, 13);
    EXPECT_EQ(r, (TRect{1, 38, 425, 306}));
    EXPECT_EQ(tk::ScaleEdges(TRect::FromBounds(0, 0, 369, 277), 13, 13),
              TRect::FromBounds(0, 0, 369, 277));
}

TEST(LayoutScaling, ScalesFontsByPointSize) {
    EXPECT_EQ(tk::FontSizeFromHeight(-11, 96), 8);
    EXPECT_EQ(tk::FontSizeFromHeight(-13, 96), 10);
    EXPECT_EQ(tk::FontSizeFromHeight(-16, 96), 12);
    EXPECT_EQ(tk::FontSizeFromHeight(-19, 96), 14);
    // 14 pt * 16 / 13 = 17.2 -> 17 pt -> -23 px; 8 pt -> 9.8 -> 10 pt -> -13 px.
    EXPECT_EQ(tk::ScaleFontHeight(-19, 16, 13, 96), -23);
    EXPECT_EQ(tk::ScaleFontHeight(-11, 16, 13, 96), -13);
    EXPECT_EQ(tk::ScaleFontHeight(-13, 13, 13, 96), -13);
    EXPECT_EQ(tk::ScaleFontHeight(-13, 10, 13, 96), -11); // 10 pt -> 7.7 -> 8 pt
}

TEST(ScreenFit, KeepsAWindowThatTouchesAnyWorkArea) {
    std::vector<TRect> areas = {{0, 0, 1280, 994}, {1280, 0, 2560, 1024}};
    TRect primary = areas[0];
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(809, 218, 369, 277), areas, primary),
              (TPoint{809, 218}));
    // Mostly off the right edge but one column on screen: kept.
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(2559, 10, 369, 277), areas, primary),
              (TPoint{2559, 10}));
    // On the secondary monitor only: kept.
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(1500, 500, 369, 277), areas, primary),
              (TPoint{1500, 500}));
}

TEST(ScreenFit, MovesAnUnreachableWindowIntoThePrimaryWorkArea) {
    std::vector<TRect> areas = {{0, 0, 800, 570}};
    TRect primary = areas[0];
    // The stored place on a screen narrower than 809 pixels.
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(809, 218, 369, 277), areas, primary),
              (TPoint{431, 218}));
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(-900, -700, 369, 277), areas, primary),
              (TPoint{0, 0}));
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(900, 900, 369, 277), areas, primary),
              (TPoint{431, 293}));
    // Larger than the work area: its top-left corner goes to the area's.
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(5000, 5000, 1000, 700), areas, primary),
              (TPoint{0, 0}));
    // No monitor reported at all: the primary area still receives it.
    EXPECT_EQ(tk::FitOnScreen(TRect::FromBounds(809, 218, 369, 277), {}, {0, 40, 640, 480}),
              (TPoint{271, 203}));
}
