#include "AdvPanel/paint/caption_button_geometry.h"
#include "AdvPanel/paint/panel_paint_geometry.h"

#include <gtest/gtest.h>

using namespace advpanel;
using tk::TPoint;
using tk::TRect;

namespace {

constexpr ButtonEnd kTopRight{TCaptionPosition::cpTop, TCaptionButtonPosition::cbpRight};
constexpr ButtonEnd kTopLeft{TCaptionPosition::cpTop, TCaptionButtonPosition::cbpLeft};
constexpr ButtonEnd kLeftTop{TCaptionPosition::cpLeft, TCaptionButtonPosition::cbpRight};
constexpr ButtonEnd kLeftBottom{TCaptionPosition::cpLeft, TCaptionButtonPosition::cbpLeft};
const TRect kArea{10, 20, 110, 220};

} // namespace

TEST(CaptionButtons, EachButtonEndTakesRoomFromItsOwnSide) {
    TRect k = kArea;
    ShrinkAtButtonEnd(k, kTopRight, 12);
    EXPECT_EQ(k, (TRect{10, 20, 98, 220}));
    k = kArea;
    ShrinkAtButtonEnd(k, kTopLeft, 12);
    EXPECT_EQ(k, (TRect{22, 20, 110, 220}));
    k = kArea;
    ShrinkAtButtonEnd(k, kLeftTop, 14);
    EXPECT_EQ(k, (TRect{10, 34, 110, 220}));
    k = kArea;
    ShrinkAtButtonEnd(k, kLeftBottom, 14);
    EXPECT_EQ(k, (TRect{10, 20, 110, 206}));

    EXPECT_EQ(ThemedButtonBox(kArea, kTopRight), (TRect{94, 24, 108, 38}));
    EXPECT_EQ(ThemedButtonBox(kArea, kLeftBottom), (TRect{14, 204, 28, 218}));
    EXPECT_EQ(GlyphOrigin(kArea, kTopRight, 16, 14), (TPoint{94, 22}));
    EXPECT_EQ(GlyphOrigin(kArea, kLeftBottom, 16, 14), (TPoint{12, 206}));
}

TEST(CaptionButtons, CrossAndTriangleCornersAtEveryEnd) {
    auto cross = CloseCross(kArea, kTopRight);
    EXPECT_EQ(cross[0].From, (TPoint{100, 24}));
    EXPECT_EQ(cross[0].To, (TPoint{106, 30}));
    EXPECT_EQ(cross[1].From, (TPoint{106, 24}));
    cross = CloseCross(kArea, kLeftTop); // same as a left end on a top strip
    EXPECT_EQ(cross[0].From, (TPoint{14, 24}));
    EXPECT_EQ(cross[1].To, (TPoint{14, 30}));
    cross = CloseCross(kArea, kLeftBottom);
    EXPECT_EQ(cross[0].From, (TPoint{14, 216}));
    EXPECT_EQ(cross[0].To, (TPoint{20, 210}));

    using Corners = std::array<TPoint, 3>;
    EXPECT_EQ(MinMaxTriangle(kArea, kTopRight, true), (Corners{{{100, 25}, {106, 25}, {103, 28}}}));
    EXPECT_EQ(MinMaxTriangle(kArea, kTopRight, false),
              (Corners{{{100, 28}, {106, 28}, {103, 25}}}));
    EXPECT_EQ(MinMaxTriangle(kArea, kTopLeft, true), (Corners{{{14, 25}, {20, 25}, {17, 28}}}));
    EXPECT_EQ(MinMaxTriangle(kArea, kLeftTop, true), (Corners{{{15, 30}, {15, 24}, {18, 27}}}));
    EXPECT_EQ(MinMaxTriangle(kArea, kLeftTop, false), (Corners{{{18, 30}, {18, 24}, {15, 27}}}));
    EXPECT_EQ(MinMaxTriangle(kArea, kLeftBottom, false),
              (Corners{{{18, 216}, {18, 210}, {15, 213}}}));
}

TEST(CaptionButtons, TextKeepsTwentyPixelsClearPerButton) {
    CaptionTextLayout text{30, 4, 3, true, true};
    EXPECT_EQ(CaptionTextRect(kArea, kTopRight, text), (TRect{14, 23, 70, 50}));
    EXPECT_EQ(CaptionTextRect(kArea, kTopLeft, text), (TRect{54, 23, 110, 50}));
    text.MinMaxButton = false;
    EXPECT_EQ(CaptionTextRect(kArea, kLeftTop, text), (TRect{13, 40, 40, 216}));
    EXPECT_EQ(CaptionTextRect(kArea, kLeftBottom, text), (TRect{13, 20, 40, 196}));
}

TEST(PanelBodyGeometry, BodyTextAreaAndVerticalAlignment) {
    PaintFrame f;
    f.Width = 369;
    f.Height = 277;
    f.BorderShadow = true;
    f.BorderWidth = 1;
    f.CaptionHeight = 30;
    const TRect body = BodyArea(f, true);
    EXPECT_EQ(body, (TRect{0, 28, 367, 274}));
    EXPECT_EQ(BodyTextArea(f, body, 0, 0, 0), (TRect{1, 29, 366, 273}));
    EXPECT_EQ(BodyArea(f, false), (TRect{0, 0, 367, 274}));
    f.CaptionPosition = TCaptionPosition::cpLeft;
    EXPECT_EQ(BodyArea(f, true), (TRect{30, 0, 367, 274}));
    EXPECT_EQ(BodyTextArea(f, BodyArea(f, true), 5, 2, 18), (TRect{36, 3, 348, 273}));

    const TRect area{0, 10, 50, 110};
    EXPECT_EQ(AlignTextArea(area, 20, TTextVAlignment::tvaCenter).Top, 50);
    EXPECT_EQ(AlignTextArea(area, 21, TTextVAlignment::tvaCenter).Top, 49);
    EXPECT_EQ(AlignTextArea(area, 20, TTextVAlignment::tvaBottom).Top, 90);
    EXPECT_EQ(AlignTextArea(area, 20, TTextVAlignment::tvaTop).Top, 10);
    // Text taller than its area starts at the top.
    EXPECT_EQ(AlignTextArea(area, 100, TTextVAlignment::tvaBottom).Top, 10);
    EXPECT_EQ(AlignTextArea(area, 140, TTextVAlignment::tvaCenter).Top, 10);
}

TEST(PanelBodyGeometry, BackgroundPicturePlaces) {
    const TRect body{0, 20, 200, 150};
    const TPoint panel{200, 150}, picture{30, 40};
    auto at = [&](TBackGroundPosition pos) {
        return BackgroundOrigins(body, panel, picture, 1, pos);
    };
    EXPECT_EQ(at(TBackGroundPosition::bpTopLeft), (std::vector<TPoint>{{0, 20}}));
    EXPECT_EQ(at(TBackGroundPosition::bpTopRight), (std::vector<TPoint>{{169, 20}}));
    EXPECT_EQ(at(TBackGroundPosition::bpBottomLeft), (std::vector<TPoint>{{0, 109}}));
    EXPECT_EQ(at(TBackGroundPosition::bpBottomRight), (std::vector<TPoint>{{169, 109}}));
    EXPECT_EQ(at(TBackGroundPosition::bpCenter), (std::vector<TPoint>{{84, 54}}));
    EXPECT_TRUE(at(TBackGroundPosition::bpStretched).empty());
    const auto tiles = at(TBackGroundPosition::bpTiled);
    ASSERT_EQ(tiles.size(), 7u * 4u); // x 0..180 by 30, y 20..140 by 40
    EXPECT_EQ(tiles.front(), (TPoint{0, 20}));
    EXPECT_EQ(tiles.back(), (TPoint{180, 140}));
    // A picture wider than the body: the right-hand places fall back to the body's left edge.
    EXPECT_EQ(BackgroundOrigins(body, panel, {300, 200}, 1, TBackGroundPosition::bpBottomRight),
              (std::vector<TPoint>{{0, 20}}));
}

TEST(PanelBodyGeometry, StatusBarAndSizeGripCorners) {
    EXPECT_EQ(StatusBarRect({200, 150}, 18, TCaptionPosition::cpTop), (TRect{1, 131, 199, 149}));
    EXPECT_EQ(StatusBarRect({200, 150}, 18, TCaptionPosition::cpLeft), (TRect{181, 1, 199, 149}));
    PaintFrame f;
    f.Width = 200;
    f.Height = 150;
    EXPECT_EQ(SizeGripCorner(f), (TPoint{200, 150}));
    f.HasBevel = true;
    f.BevelWidth = 2;
    f.BorderShadow = true;
    EXPECT_EQ(SizeGripCorner(f), (TPoint{192, 142}));
}
