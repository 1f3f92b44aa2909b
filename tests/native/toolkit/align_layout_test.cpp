#include "toolkit/controls/align_layout.h"

#include <gtest/gtest.h>

using tk::AlignItem;
using tk::AlignItems;
using tk::TAlign;
using tk::TRect;

TEST(AlignLayout, PlacesTheNotesEdgeHandlesInsideThePanelArea) {
    // Right handle created before the bottom one, as on the note; bottom still goes first.
    std::vector<AlignItem> items = {
        {TAlign::alNone, TRect::FromBounds(0, 0, 862, 29)},
        {TAlign::alRight, TRect::FromBounds(360, 31, 8, 233)},
        {TAlign::alBottom, TRect::FromBounds(1, 264, 367, 12)},
        {TAlign::alNone, TRect::FromBounds(345, 261, 24, 16)},
    };
    TRect rest = AlignItems({1, 31, 368, 276}, items);
    EXPECT_EQ(items[0].Bounds, TRect::FromBounds(0, 0, 862, 29));
    EXPECT_EQ(items[1].Bounds, TRect::FromBounds(360, 31, 8, 233));
    EXPECT_EQ(items[2].Bounds, TRect::FromBounds(1, 264, 367, 12));
    EXPECT_EQ(items[3].Bounds, TRect::FromBounds(345, 261, 24, 16));
    EXPECT_EQ(rest, (TRect{1, 31, 360, 264}));

    // After a resize to 500 x 400 the handles follow the edges.
    AlignItems({1, 31, 499, 399}, items);
    EXPECT_EQ(items[1].Bounds, TRect::FromBounds(491, 31, 8, 356));
    EXPECT_EQ(items[2].Bounds, TRect::FromBounds(1, 387, 498, 12));
}

TEST(AlignLayout, TakesKindsInOrderAndSkipsHiddenItems) {
    std::vector<AlignItem> items = {
        {TAlign::alClient, TRect::FromBounds(0, 0, 5, 5)},
        {TAlign::alLeft, TRect::FromBounds(0, 0, 10, 5)},
        {TAlign::alTop, TRect::FromBounds(0, 50, 5, 7)},
        {TAlign::alTop, TRect::FromBounds(0, 0, 5, 3)},
        {TAlign::alBottom, TRect::FromBounds(0, 0, 5, 4), false},
        {TAlign::alRight, TRect::FromBounds(0, 0, 6, 5)},
    };
    AlignItems({0, 0, 100, 80}, items);
    EXPECT_EQ(items[3].Bounds, (TRect{0, 0, 100, 3}));   // nearer the top edge: first
    EXPECT_EQ(items[2].Bounds, (TRect{0, 3, 100, 10}));
    EXPECT_EQ(items[4].Bounds, TRect::FromBounds(0, 0, 5, 4)); // hidden: unchanged
    EXPECT_EQ(items[1].Bounds, (TRect{0, 10, 10, 80}));
    EXPECT_EQ(items[5].Bounds, (TRect{94, 10, 100, 80}));
    EXPECT_EQ(items[0].Bounds, (TRect{10, 10, 94, 80}));
}
