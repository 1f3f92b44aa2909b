#include "WndActImg/click_targets.h"

#include <gtest/gtest.h>

using wndact::HitTestCodeFor;
using wndact::TClickTargets;

TEST(ClickTargets, EachTargetSendsItsHitTestCode) {
    struct Case {
        TClickTargets target;
        int code;
    };
    const Case cases[] = {
        {TClickTargets::atCaption, 2},           {TClickTargets::atBorderTop, 12},
        {TClickTargets::atBorderRight, 11},      {TClickTargets::atBorderBottom, 15},
        {TClickTargets::atBorderLeft, 10},       {TClickTargets::atCornerTopRight, 14},
        {TClickTargets::atCornerTopLeft, 13},    {TClickTargets::atCornerBottonRight, 17},
        {TClickTargets::atCornerBottomLeft, 16}, {TClickTargets::atNone, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTestCodeFor(static_cast<int>(c.target)), c.code)
            << static_cast<int>(c.target);
}

TEST(ClickTargets, OrdinalsOutsideTheRangeSendNothing) {
    for (int ordinal : {-1, 10, 11, 255, 1 << 30}) EXPECT_EQ(HitTestCodeFor(ordinal), 0);
}
