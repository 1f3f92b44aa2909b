#include "AdvPanel/collapse/collapse_steps.h"

#include <gtest/gtest.h>

namespace {

using namespace advpanel;

TEST(Collapse, StepsTruncateAndTheCollapsedSizeKeepsCaptionStatusBarAndBorder) {
    CollapseFrame f;
    f.CaptionHeight = 20;
    f.BorderWidth = 1;
    f.Steps = 5;
    EXPECT_EQ(22, CollapsedExtent(f));
    EXPECT_EQ(25, CollapseStep(f, 150)); // 128 / 5 truncated
    EXPECT_EQ(26, ExpandStep(f, 150));   // no border term on the way back
    f.StatusBarHeight = 18;
    EXPECT_EQ(40, CollapsedExtent(f));
    EXPECT_EQ(-1, CollapseStep(f, 33)); // -7 / 5 truncates toward zero
    f.Position = TCaptionPosition::cpLeft;
    EXPECT_EQ(38, CollapsedExtent(f)); // no border with the caption on the left
    f.Steps = 0;
    EXPECT_EQ(0, CollapseStep(f, 150));
    EXPECT_EQ(0, ExpandStep(f, 150));
}

} // namespace
