#include "AdvPanel/model/panel_size_rules.h"

#include <gtest/gtest.h>

using advpanel::AreaInsideStrips;
using advpanel::PanelFrame;
using advpanel::TCaptionPosition;
using tk::TRect;

TEST(PanelGeometry, CaptionOnTopTakesRowsAndStatusBarTakesTheBottom) {
    PanelFrame f;
    f.Width = 369;
    f.Height = 277;
    f.CaptionVisible = true;
    f.CaptionHeight = 30;
    EXPECT_EQ(AreaInsideStrips(f), (TRect{0, 30, 369, 277}));
    f.StatusBarVisible = true;
    EXPECT_EQ(AreaInsideStrips(f), (TRect{0, 30, 369, 259}));
    f.CaptionVisible = false;
    EXPECT_EQ(AreaInsideStrips(f), (TRect{0, 0, 369, 259}));
}

TEST(PanelGeometry, CaptionOnTheLeftTakesColumnsAndStatusBarTakesTheRight) {
    PanelFrame f;
    f.Width = 200;
    f.Height = 100;
    f.CaptionVisible = true;
    f.CaptionPosition = TCaptionPosition::cpLeft;
    f.CaptionHeight = 24;
    f.StatusBarVisible = true;
    f.StatusBarHeight = 10;
    EXPECT_EQ(AreaInsideStrips(f), (TRect{24, 0, 190, 100}));
}

TEST(PanelGeometry, NeverWidensBeyondTheClientArea) {
    PanelFrame f;
    f.Width = 50;
    f.Height = 40;
    f.CaptionVisible = true;
    f.CaptionHeight = -5;   // a negative strip takes nothing
    f.StatusBarVisible = true;
    f.StatusBarHeight = -8;
    EXPECT_EQ(AreaInsideStrips(f), (TRect{0, 0, 50, 40}));
}
