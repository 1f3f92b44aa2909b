#include "AdvPanel/mouse/panel_hit_rules.h"

#include <gtest/gtest.h>

#include <string>

using namespace advpanel;
using tk::TPoint;
using tk::TRect;

namespace {

CaptionButtonLayout Layout(TCaptionPosition position, TCaptionButtonPosition side) {
    CaptionButtonLayout l;
    l.Position = position;
    l.ButtonPosition = side;
    l.ButtonSize = 12;
    l.CloseButton = true;
    l.MinMaxButton = true;
    l.CaptionHeight = 20;
    return l;
}

constexpr auto cpTop = TCaptionPosition::cpTop;
constexpr auto cpLeft = TCaptionPosition::cpLeft;
constexpr auto cbpRight = TCaptionButtonPosition::cbpRight;
constexpr auto cbpLeft = TCaptionButtonPosition::cbpLeft;

} // namespace

TEST(CaptionButtonSize, GlyphPairsAndTheThemedCaptionDecideTheSide) {
    CaptionButtonGlyphs g;
    EXPECT_EQ(12, CaptionButtonSize(g));
    g.CloseMinWidth = 9;
    g.CloseMinEmpty = false;
    EXPECT_EQ(12, CaptionButtonSize(g)); // only one of the close pair
    g.CloseMaxEmpty = false;
    EXPECT_EQ(9, CaptionButtonSize(g));
    g.MaxWidth = 14;
    g.MaxEmpty = false;
    g.MinWidth = 11;
    g.MinEmpty = false;
    EXPECT_EQ(14, CaptionButtonSize(g));
    EXPECT_EQ(11, CaptionButtonSize(g, ButtonSizeUse::HitTest));
    g.XPThemed = true;
    EXPECT_EQ(16, CaptionButtonSize(g));
    EXPECT_EQ(16, CaptionButtonSize(g, ButtonSizeUse::HitTest));
}

TEST(CaptionButtons, EachCaptionAndButtonSideHasItsCorner) {
    const TRect client{0, 0, 200, 100};
    auto l = Layout(cpTop, cbpRight);
    EXPECT_EQ(CloseButtonRect(client, l), (TRect{186, 2, 198, 14}));
    EXPECT_EQ(MinMaxButtonRect(client, l), (TRect{174, 2, 186, 14}));
    l = Layout(cpTop, cbpLeft);
    EXPECT_EQ(CloseButtonRect(client, l), (TRect{2, 2, 14, 14}));
    EXPECT_EQ(MinMaxButtonRect(client, l), (TRect{14, 2, 26, 14}));
    l = Layout(cpLeft, cbpRight); // buttons at the top of a left caption
    EXPECT_EQ(CloseButtonRect(client, l), (TRect{2, 2, 14, 14}));
    EXPECT_EQ(MinMaxButtonRect(client, l), (TRect{2, 14, 14, 26}));
    l = Layout(cpLeft, cbpLeft); // ... and at its bottom
    EXPECT_EQ(CloseButtonRect(client, l), (TRect{2, 86, 14, 98}));
    EXPECT_EQ(MinMaxButtonRect(client, l), (TRect{2, 74, 14, 86}));
}

TEST(CaptionButtons, MinMaxTakesTheClosePlaceWithoutACloseButton) {
    const TRect client{0, 0, 200, 100};
    auto l = Layout(cpTop, cbpRight);
    l.CloseButton = false;
    EXPECT_EQ(MinMaxButtonRect(client, l), (TRect{186, 2, 198, 14}));
    l.ButtonSize = 16;
    EXPECT_EQ(MinMaxButtonRect(client, l), (TRect{182, 2, 198, 18}));
}

TEST(CaptionButtons, ClickAreaLeavesOutOnlyTheCloseButtonSoMinMaxLiesInside) {
    const TRect client{0, 0, 200, 100};
    auto l = Layout(cpTop, cbpRight);
    const TRect area = CaptionClickArea(client, l);
    EXPECT_EQ(area, (TRect{0, 0, 186, 20}));
    const TRect minMax = MinMaxButtonRect(client, l);
    EXPECT_TRUE(area.Contains({minMax.Left, minMax.Top}));
    EXPECT_FALSE(area.Contains({CloseButtonRect(client, l).Left, 5}));
    l.CloseButton = false;
    EXPECT_EQ(CaptionClickArea(client, l), (TRect{0, 0, 198, 20}));
    l = Layout(cpLeft, cbpRight);
    EXPECT_EQ(CaptionClickArea(client, l), (TRect{0, 12, 20, 100}));
    EXPECT_EQ(CaptionDoubleClickArea(client, cpTop, 20), (TRect{0, 0, 198, 20}));
    EXPECT_EQ(CaptionDoubleClickArea(client, cpLeft, 20), (TRect{0, 0, 20, 100}));
}

TEST(MoveZone, CaptionBandWithoutTheButtonsAndOpenAtBothEnds) {
    const TRect client{0, 0, 200, 100};
    auto l = Layout(cpTop, cbpRight); // buttons take 176..200
    EXPECT_TRUE(InMoveZone({175, 5}, client, l));
    EXPECT_FALSE(InMoveZone({176, 5}, client, l));
    EXPECT_FALSE(InMoveZone({0, 5}, client, l)); // the very edge is not inside
    EXPECT_TRUE(InMoveZone({1, 19}, client, l));
    EXPECT_FALSE(InMoveZone({1, 20}, client, l));
    l.CloseButton = l.MinMaxButton = false;
    EXPECT_TRUE(InMoveZone({199, 5}, client, l));
    EXPECT_FALSE(InMoveZone({200, 5}, client, l));

    l = Layout(cpLeft, cbpLeft); // buttons at the bottom: 76..100
    EXPECT_TRUE(InMoveZone({5, 75}, client, l));
    EXPECT_FALSE(InMoveZone({5, 76}, client, l));
    EXPECT_FALSE(InMoveZone({20, 40}, client, l));
    EXPECT_TRUE(InCaptionBand({19, 90}, cpLeft, 20));
    EXPECT_FALSE(InCaptionBand({90, 19}, cpLeft, 20));
}

TEST(SizeGrip, TheCornerOneScrollBarWideOpenAtItsInnerEdges) {
    EXPECT_TRUE(InSizeGrip({199, 99}, 200, 100, 17, 17));
    EXPECT_TRUE(InSizeGrip({184, 84}, 200, 100, 17, 17));
    EXPECT_FALSE(InSizeGrip({183, 99}, 200, 100, 17, 17));
    EXPECT_FALSE(InSizeGrip({199, 83}, 200, 100, 17, 17));
}

TEST(MoveAndSizeLimits, FixedEdgesAndSizesHoldWhileTheOtherDirectionFollows) {
    const TRect proposed = TRect::FromBounds(30, 40, 100, 50);
    EXPECT_EQ(KeepFixedEdges(proposed, {10, 20}, true, false), TRect::FromBounds(10, 40, 100, 50));
    EXPECT_EQ(KeepFixedEdges(proposed, {10, 20}, false, true), TRect::FromBounds(30, 20, 100, 50));
    EXPECT_EQ(KeepFixedEdges(proposed, {10, 20}, false, false), proposed);
    EXPECT_EQ(KeepFixedSize(proposed, {70, 60}, true, false), TRect::FromBounds(30, 40, 70, 50));
    EXPECT_EQ(KeepFixedSize(proposed, {70, 60}, false, true), TRect::FromBounds(30, 40, 100, 60));
}

TEST(AnchorTargets, SchemeSeparatorOrMailtoAnywhereGoesToTheShell) {
    EXPECT_TRUE(IsShellTarget("http://example.org"));
    EXPECT_TRUE(IsShellTarget("see ftp://x"));
    EXPECT_TRUE(IsShellTarget("mailto:a@b"));
    EXPECT_TRUE(IsShellTarget("x mailto:"));
    EXPECT_FALSE(IsShellTarget("MAILTO:a@b")); // the test is case-sensitive
    EXPECT_FALSE(IsShellTarget("page:/two"));
    EXPECT_FALSE(IsShellTarget(""));
    EXPECT_EQ(AnchorHintPos({100, 50}), (TPoint{110, 40}));
}

TEST(AnchorText, AnAnchorAnswersOnlyWhereItsTextWasPaintedAndShows) {
    PanelTextLayout layout;
    layout.Body.Shown = {0, 20, 200, 100};
    layout.Body.Anchors = {{1, "b", {0, 10, 60, 30}, {{0, 10, 30, 30}, {30, 16, 60, 30}}}};
    layout.Caption.Shown = {0, 0, 200, 100};
    layout.Caption.Anchors = {{1, "c", {50, 2, 90, 25}, {{50, 2, 90, 25}}}};
    layout.StatusBar.Shown = {0, 80, 200, 100};
    layout.Body.Anchors.push_back({2, "under the status bar", {0, 70, 60, 90}, {{0, 70, 60, 90}}});
    auto target = [&](TPoint p, bool captionVisible = true) -> std::string {
        PanelAnchorHit hit =
            FindPanelAnchor(layout, p, captionVisible, TCaptionPosition::cpTop, 20);
        if (!hit.Box) return "";
        return (hit.InCaption ? "caption " : "body ") + hit.Box->Target;
    };
    EXPECT_EQ(target({55, 10}), "caption c");
    EXPECT_EQ(target({55, 22}), "body b");  // below the caption band
    EXPECT_EQ(target({10, 15}), "");        // in the band, where the body is not shown
    EXPECT_EQ(target({10, 15}, false), ""); // the body is clipped below the hidden caption's band
    EXPECT_EQ(target({35, 17}), "");        // inside the box, between the pieces
    EXPECT_EQ(target({35, 22}), "body b");
    EXPECT_EQ(target({10, 75}), "body under the status bar");
    EXPECT_EQ(target({10, 85}), ""); // painted over by the status bar
}
