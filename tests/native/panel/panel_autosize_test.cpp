#include "AdvPanel/model/panel_size_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace advpanel {
namespace {

// Bevel 2, border 3, indents 5 and 7, caption 20, status bar 18, text 100 x 40: the text with
// its border is 106 x 46.
AutoSizeFrame Frame(TCaptionPosition position, bool caption, bool statusBar) {
    AutoSizeFrame f;
    f.BevelWidth = 2;
    f.BorderWidth = 3;
    f.Indent = 5;
    f.TopIndent = 7;
    f.CaptionPosition = position;
    f.CaptionVisible = caption;
    f.CaptionHeight = 20;
    f.StatusBarVisible = statusBar;
    f.StatusBarHeight = 18;
    return f;
}

constexpr TextExtent kText{100, 40};

struct Expected {
    bool Caption;
    bool StatusBar;
    int Width;
    int Height;
};

TEST(PanelAutoSize, CaptionOnTopAddsStripsToTheHeightOnly) {
    // 4 + 106 + 5 = 115 wide; heights 46 + 4 + 7 plus the strips, and with both strips the
    // border (6) a second time.
    for (Expected e : {Expected{true, true, 115, 101}, Expected{true, false, 115, 77},
                       Expected{false, true, 115, 75}, Expected{false, false, 115, 57}}) {
        SCOPED_TRACE(std::to_string(e.Caption) + std::to_string(e.StatusBar));
        AutoSizeResult r =
            AutoSizeFromText(Frame(TCaptionPosition::cpTop, e.Caption, e.StatusBar), kText);
        ASSERT_TRUE(r.Width && r.Height);
        EXPECT_EQ(e.Width, *r.Width);
        EXPECT_EQ(e.Height, *r.Height);
    }
}

TEST(PanelAutoSize, CaptionOnLeftAddsStripsToTheWidthOnly) {
    for (Expected e : {Expected{true, true, 153, 57}, Expected{true, false, 135, 57},
                       Expected{false, true, 133, 57}, Expected{false, false, 115, 57}}) {
        SCOPED_TRACE(std::to_string(e.Caption) + std::to_string(e.StatusBar));
        AutoSizeResult r =
            AutoSizeFromText(Frame(TCaptionPosition::cpLeft, e.Caption, e.StatusBar), kText);
        ASSERT_TRUE(r.Width && r.Height);
        EXPECT_EQ(e.Width, *r.Width);
        EXPECT_EQ(e.Height, *r.Height);
    }
}

TEST(PanelAutoSize, OnlyTheChosenDirectionsFollowTheText) {
    AutoSizeFrame f = Frame(TCaptionPosition::cpTop, true, false);
    f.SizeWidth = false;
    AutoSizeResult r = AutoSizeFromText(f, kText);
    EXPECT_FALSE(r.Width);
    EXPECT_EQ(77, r.Height.value_or(-1));

    f.SizeWidth = true;
    f.SizeHeight = false;
    r = AutoSizeFromText(f, kText);
    EXPECT_EQ(115, r.Width.value_or(-1));
    EXPECT_FALSE(r.Height);
}

TEST(PanelAutoSize, MeasuringRectIsUnboundedOnlyWhereTheTextDecides) {
    AutoSizeFrame f = Frame(TCaptionPosition::cpTop, false, false);
    f.Width = 200;
    f.Height = 100;
    EXPECT_EQ((tk::TRect{0, 0, 65535, 65535}), AutoSizeMeasureRect(f));
    f.SizeWidth = false;
    EXPECT_EQ((tk::TRect{0, 0, 196, 65535}), AutoSizeMeasureRect(f));
    f.SizeHeight = false;
    EXPECT_EQ((tk::TRect{0, 0, 196, 96}), AutoSizeMeasureRect(f));
}

TEST(PanelAutoSize, PlainTextIsTheWidestLineAndTheSumOfLineHeights) {
    auto width = [](std::string_view line) { return static_cast<int>(line.size()) * 7; };
    TextExtent e = MeasurePlainLines("ab\r\nabcd\r\nc", 13, width);
    EXPECT_EQ(28, e.Width);
    EXPECT_EQ(39, e.Height);
    // A lone CR or LF does not end a line; an empty last line still counts.
    e = MeasurePlainLines("a\nb\rc\r\n", 13, width);
    EXPECT_EQ(35, e.Width);
    EXPECT_EQ(26, e.Height);
    e = MeasurePlainLines("", 13, width);
    EXPECT_EQ(0, e.Width);
    EXPECT_EQ(0, e.Height);
}

} // namespace
} // namespace advpanel
