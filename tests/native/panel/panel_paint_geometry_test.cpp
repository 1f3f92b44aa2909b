#include "AdvPanel/paint/panel_paint_geometry.h"

#include <gtest/gtest.h>

using advpanel::BorderOutline;
using advpanel::CaptionArea;
using advpanel::CaptionBand;
using advpanel::CaptionStrip;
using advpanel::PaintFrame;
using advpanel::TCaptionPosition;
using tk::TRect;

namespace {

PaintFrame Note() {
    PaintFrame f;
    f.Width = 369;
    f.Height = 277;
    f.BorderShadow = true;
    f.BorderWidth = 1;
    f.BevelWidth = 1;
    f.CaptionHeight = 30;
    return f;
}

} // namespace

TEST(PanelPaintGeometry, TheNotesStripSitsInsideTheBorderAndShadow) {
    PaintFrame f = Note();
    EXPECT_EQ(BorderOutline(f), (TRect{0, 0, 367, 275}));
    TRect k = CaptionArea(f);
    EXPECT_EQ(k, (TRect{1, 1, 366, 277}));
    EXPECT_EQ(CaptionBand(f), 28);
    EXPECT_EQ(CaptionStrip(f, k, false), (TRect{1, 1, 366, 29}));
}

TEST(PanelPaintGeometry, WithoutShadowTheStripStartsAtTheEdge) {
    PaintFrame f = Note();
    f.BorderShadow = false;
    f.BorderWidth = 3;
    EXPECT_EQ(BorderOutline(f), (TRect{0, 0, 369, 277}));
    EXPECT_EQ(CaptionArea(f), (TRect{0, 0, 369, 277})); // BorderWidth only counts with a shadow
}

TEST(PanelPaintGeometry, BevelsShrinkTheAreaAndBevelWidthAlwaysThinsTheBand) {
    PaintFrame f = Note();
    f.HasBevel = true;
    f.BevelWidth = 2;
    EXPECT_EQ(CaptionArea(f), (TRect{3, 3, 364, 275}));
    EXPECT_EQ(CaptionBand(f), 26);
    f.HasBevel = false;
    EXPECT_EQ(CaptionBand(f), 26);
    f.BevelWidth = 0;
    EXPECT_EQ(CaptionBand(f), 30);
}

TEST(PanelPaintGeometry, ALeftStripRunsDownAndOnlyThePlainOneStopsAboveTheShadow) {
    PaintFrame f = Note();
    f.CaptionPosition = TCaptionPosition::cpLeft;
    TRect k = CaptionArea(f);
    EXPECT_EQ(CaptionStrip(f, k, false), (TRect{1, 1, 29, 274}));
    EXPECT_EQ(CaptionStrip(f, k, true), (TRect{1, 1, 29, 277}));
    f.BorderShadow = false;
    k = CaptionArea(f);
    EXPECT_EQ(CaptionStrip(f, k, false), (TRect{0, 0, 28, 277}));
}
