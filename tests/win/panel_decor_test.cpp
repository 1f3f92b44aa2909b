// The panel's painting beyond its background: caption buttons and text, shaded caption frames,
// the status bar, the size grip, the background picture and the body text's placement.
#include "AdvPanel/AdvPanel.h"
#include "support/image_files.h"
#include "support/panel_pixels.h"
#include "support/win_test_support.h"
#include "toolkit/forms/forms.h"
#include "toolkit/graphics/image_list.h"

#include <gtest/gtest.h>

using advpanel::TAdvPanel;
using advpanel::TBackGroundPosition;
using advpanel::TCaptionButtonPosition;
using advpanel::TCaptionPosition;
using tk::RGBColor;
using tk::TColor;
using wintest::PanelImage;
using wintest::PumpMessages;

namespace {

constexpr TColor kBody = RGBColor(250, 250, 200);
constexpr TColor kCaption = RGBColor(40, 60, 160);
constexpr TColor kRed = RGBColor(255, 0, 0);
constexpr TColor kGreen = RGBColor(0, 200, 0);
constexpr TColor kMagenta = RGBColor(255, 0, 255);

// A bitmap of one colour with some pixels in another.
std::unique_ptr<tk::TBitmap> Picture(int w, int h, TColor fill,
                                     std::initializer_list<tk::TPoint> spots = {},
                                     TColor spot = kMagenta) {
    auto bitmap = std::make_unique<tk::TBitmap>();
    bitmap->SetSize(w, h);
    tk::MemoryDC dc(nullptr);
    tk::SelectedObject selected(dc.Get(), bitmap->Handle());
    tk::TCanvas canvas(dc.Get());
    canvas.BrushColor = fill;
    canvas.FillRect({0, 0, w, h});
    for (tk::TPoint p : spots)
        SetPixel(dc.Get(), p.X, p.Y, tk::ColorToRGB(spot));
    return bitmap;
}

// A Tahoma font of the given height and colour.
std::unique_ptr<tk::TFont> Tahoma(int height, TColor color) {
    auto font = std::make_unique<tk::TFont>();
    font->SetName("Tahoma");
    font->SetHeight(height);
    font->SetColor(color);
    return font;
}

// How many pixels of `color` lie in the rectangle.
int Count(const PanelImage& img, const tk::TRect& r, TColor color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += img.At(x, y) == color;
    return n;
}

class PanelDecor : public ::testing::Test {
protected:
    // A shown 120 x 90 panel in a flat colour with no border, bevel or caption.
    TAdvPanel* MakePanel() {
        form_ = new tk::TForm(&fixture_.App());
        form_->SetBounds(100, 100, 400, 320);
        auto* panel = new TAdvPanel(form_);
        panel->SetParent(form_);
        panel->SetBounds(0, 0, 120, 90);
        panel->SetBevelOuter(tk::TBevelCut::bvNone);
        panel->SetBevelWidth(0);
        panel->SetBorderColor(kBody);
        panel->SetBorderWidth(0);
        panel->SetColor(kBody);
        panel->Caption().SetVisible(false);
        panel->Caption().SetColor(kCaption);
        panel->Caption().SetHeight(20);
        form_->HandleNeeded();
        form_->SetVisible(true);
        PumpMessages();
        return panel;
    }
    TAdvPanel* MakeCaptionPanel() {
        TAdvPanel* panel = MakePanel();
        panel->Caption().SetVisible(true);
        return panel;
    }

    wintest::AppFixture fixture_;
    tk::TForm* form_ = nullptr;
};

TEST_F(PanelDecor, TheCloseCrossAndTheMinMaxTriangleSitAtTheButtonEnd) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetCloseButton(true);
    panel->Caption().SetCloseButtonColor(kRed);
    panel->Caption().SetMinMaxButton(true);
    panel->Caption().SetMinMaxButtonColor(kGreen);
    PanelImage img(panel->Handle());
    // The cross's centre is (113, 7); the triangle, 12 pixels further in, points up when expanded.
    EXPECT_EQ(img.At(113, 7), kRed);
    EXPECT_GT(Count(img, {108, 2, 119, 12}, kRed), 15);
    EXPECT_EQ(Count(img, {0, 0, 107, 20}, kRed), 0);
    EXPECT_EQ(img.At(101, 7), kGreen);
    EXPECT_EQ(img.At(101, 4), kCaption); // above the tip
    EXPECT_EQ(Count(img, {0, 0, 97, 20}, kGreen), 0);

    panel->Caption().ButtonPosition = TCaptionButtonPosition::cbpLeft;
    PanelImage left(panel->Handle());
    EXPECT_EQ(left.At(7, 7), kRed);
    EXPECT_EQ(left.At(19, 7), kGreen);
    EXPECT_EQ(Count(left, {30, 0, 120, 20}, kRed) + Count(left, {30, 0, 120, 20}, kGreen), 0);
}

TEST_F(PanelDecor, ButtonsUnderTheMouseTakeTheirHoverColours) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetCloseButton(true);
    panel->Caption().SetCloseButtonColor(kRed);
    panel->Caption().CloseButtonHoverColor = kGreen;
    panel->Caption().SetMinMaxButton(true);
    panel->Caption().SetMinMaxButtonColor(kRed);
    panel->Caption().MinMaxButtonHoverColor = kMagenta;
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(113, 7));
    PumpMessages();
    PanelImage overClose(panel->Handle());
    EXPECT_EQ(overClose.At(113, 7), kGreen);
    EXPECT_EQ(overClose.At(101, 7), kRed);
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(101, 7));
    PumpMessages();
    PanelImage overMinMax(panel->Handle());
    EXPECT_EQ(overMinMax.At(113, 7), kRed);
    EXPECT_EQ(overMinMax.At(101, 7), kMagenta);
}

// Along the row y = 7: where the close cross is painted, and where the mouse makes the close
// button hot; x ranges in client coordinates.
struct CloseButtonSpans {
    int PaintedFirst = -1, PaintedLast = -1, HotFirst = -1, HotLast = -1;
};
CloseButtonSpans MeasureCloseButton(TAdvPanel* panel) {
    const PanelImage img(panel->Handle());
    CloseButtonSpans s;
    for (int x = 0; x < img.Width(); ++x) {
        if (img.At(x, 7) == kRed) {
            if (s.PaintedFirst < 0) s.PaintedFirst = x;
            s.PaintedLast = x;
        }
        SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 7));
        if (panel->CloseButtonHot()) {
            if (s.HotFirst < 0) s.HotFirst = x;
            s.HotLast = x;
        }
    }
    return s;
}

TEST_F(PanelDecor, UnderASingleBorderTheCloseButtonAnswersWhereItIsPainted) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetCloseButton(true);
    panel->Caption().SetCloseButtonColor(kRed);
    panel->Caption().CloseButtonHoverColor = kGreen;
    const CloseButtonSpans none = MeasureCloseButton(panel);
    ASSERT_GE(none.PaintedFirst, 0);
    ASSERT_GE(none.HotFirst, 0);
    panel->SetBorderStyle(tk::TBorderStyle::bsSingle); // the client area is 2 pixels narrower
    PumpMessages();
    const CloseButtonSpans single = MeasureCloseButton(panel);
    EXPECT_EQ(single.PaintedLast, none.PaintedLast - 2);
    // The hot square keeps its place around the painted cross.
    EXPECT_EQ(single.HotFirst - single.PaintedFirst, none.HotFirst - none.PaintedFirst);
    EXPECT_EQ(single.HotLast - single.PaintedLast, none.HotLast - none.PaintedLast);
}

TEST_F(PanelDecor, ACollapsedPanelsTrianglePointsDown) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetMinMaxButton(true);
    panel->Caption().SetMinMaxButtonColor(kGreen);
    PanelImage expanded(panel->Handle());
    panel->SetCollaps(true);
    panel->Invalidate();
    PanelImage collapsed(panel->Handle());
    // Expanded: base on row 8, tip on row 5. Collapsed: base on row 5, tip on row 8.
    EXPECT_EQ(expanded.At(111, 8), kGreen);
    EXPECT_NE(expanded.At(111, 5), kGreen);
    EXPECT_EQ(collapsed.At(111, 5), kGreen);
    EXPECT_NE(collapsed.At(111, 8), kGreen);
}

TEST_F(PanelDecor, CloseGlyphsNeedBothPicturesAndLeaveOutTheirCornerColour) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetCloseButton(true);
    panel->Caption().SetCloseButtonColor(kRed);
    // The bottom-left pixel's colour is transparent.
    panel->Caption().SetCloseMaxGlyph(*Picture(10, 8, kGreen, {{0, 7}, {5, 3}}));
    PanelImage one(panel->Handle());
    EXPECT_EQ(one.At(113, 7), kRed); // only one glyph: the cross
    panel->Caption().SetCloseMinGlyph(*Picture(10, 8, RGBColor(0, 0, 200), {{0, 7}}));
    PanelImage two(panel->Handle());
    // The expanded panel shows CloseMaxGlyph at (W - 10, 2).
    EXPECT_EQ(two.At(110, 2), kGreen);
    EXPECT_EQ(two.At(119, 9), kGreen);
    EXPECT_EQ(two.At(115, 5), kCaption); // a transparent spot
    EXPECT_EQ(two.At(110, 9), kCaption); // the corner itself
    EXPECT_EQ(two.At(109, 5), kCaption);
    EXPECT_EQ(Count(two, {0, 0, 120, 20}, kRed), 0);
}

TEST_F(PanelDecor, TheCaptionTextLeavesRoomForTheButtons) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetFont(*Tahoma(-14, kRed));
    panel->Caption().SetText("WWWWWWWWWWWWWWWWWWWW");
    PanelImage plain(panel->Handle());
    EXPECT_GT(Count(plain, {100, 0, 120, 20}, kRed), 0);
    panel->Caption().SetCloseButton(true);
    panel->Caption().SetCloseButtonColor(kGreen);
    PanelImage withButton(panel->Handle());
    // 12 pixels for the cross, 20 kept clear for it: the text stops at column 88.
    EXPECT_GT(Count(withButton, {0, 0, 88, 20}, kRed), 0);
    EXPECT_EQ(Count(withButton, {88, 0, 120, 20}, kRed), 0);
    EXPECT_EQ(Count(withButton, {0, 20, 120, 90}, kRed), 0);
}

TEST_F(PanelDecor, ALeftCaptionWritesItsTextRotatedAlongTheStrip) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetPosition(TCaptionPosition::cpLeft);
    panel->Caption().SetFont(*Tahoma(-12, kRed));
    panel->Caption().SetText("Side");
    PanelImage img(panel->Handle());
    EXPECT_GT(Count(img, {0, 0, 20, 90}, kRed), 10);
    EXPECT_EQ(Count(img, {20, 0, 120, 90}, kRed), 0);
}

TEST_F(PanelDecor, ARectangularShadedCaptionIsFramedUnlessFlat) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetShadeType(advpanel::TShadeType::stHShade);
    PanelImage framed(panel->Handle());
    const TColor gray = RGBColor(128, 128, 128), white = RGBColor(255, 255, 255);
    EXPECT_EQ(framed.At(50, 19), gray);
    EXPECT_EQ(framed.At(119, 10), gray);
    EXPECT_EQ(framed.At(50, 0), white);
    EXPECT_EQ(framed.At(0, 10), white);
    EXPECT_EQ(framed.At(0, 19), gray); // the grey line starts there
    panel->Caption().SetFlat(true);
    PanelImage flat(panel->Handle());
    EXPECT_NE(flat.At(50, 19), gray);
    EXPECT_NE(flat.At(50, 0), white);
}

TEST_F(PanelDecor, AShadedCaptionShowsItsTextureInsideTheFrame) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetShadeType(advpanel::TShadeType::stHShade);
    // Strip (0, 0, 120, 20) framed, texture from (1, 1). Column 10 of the texture with W = 120
    // and ShadeLight 200: level = 200 - ((239 * 110 div 120 + 8) div 2) = 87, the caption
    // colour (40, 60, 160) scaled by 87 / 255.
    EXPECT_EQ(PanelImage(panel->Handle()).At(11, 5), RGBColor(13, 20, 54));
    // A wider panel rebuilds it: level 200 - ((239 * 190 div 200 + 8) div 2) = 83.
    panel->SetBounds(0, 0, 200, 90);
    PumpMessages();
    EXPECT_EQ(PanelImage(panel->Handle()).At(11, 5), RGBColor(13, 19, 52));

    panel->Caption().SetShape(advpanel::TCaptionShape::csRounded);
    PanelImage rounded(panel->Handle());
    EXPECT_EQ(rounded.At(100, 19), RGBColor(128, 128, 128)); // the straight bottom line
    EXPECT_NE(rounded.At(100, 10), kBody);
    EXPECT_EQ(rounded.At(0, 0), kBody); // the rounded corner leaves the body showing
}

TEST_F(PanelDecor, AnXPCaptionIsThemedOnlyWithActiveVisualStyles) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->Caption().SetShadeType(advpanel::TShadeType::stXPCaption);
    panel->Caption().SetCloseButton(true);
    panel->Caption().SetCloseButtonColor(kRed);
    PanelImage img(panel->Handle());
    if (panel->ThemesActive()) {
        // The theme's close button takes the place of the drawn cross.
        EXPECT_EQ(Count(img, {0, 0, 120, 20}, kRed), 0);
    } else {
        EXPECT_EQ(img.At(113, 7), kRed);
        EXPECT_EQ(img.At(50, 10), kCaption);
    }
}

TEST_F(PanelDecor, TheStatusBarHasItsGradientBorderAndBevel) {
    TAdvPanel* panel = MakePanel();
    advpanel::TPanelStatusBar& status = panel->StatusBar();
    status.SetVisible(true);
    status.SetHeight(18);
    status.SetColor(RGBColor(0, 0, 0));
    status.SetColorTo(RGBColor(0, 0, 80));
    status.SetGradientDirection(advpanel::TGradientDirection::gdVertical);
    status.SetBorderSingle(true);
    status.SetBorderColor(kRed);
    status.SetBevelInner(false);
    PanelImage plain(panel->Handle());
    // Q = (1, 71, 119, 89): 40 bands of 0.45 rows; row 80 shows band 21.
    EXPECT_EQ(plain.At(50, 80), RGBColor(0, 0, 42));
    EXPECT_EQ(plain.At(50, 71), kRed); // border (0, 71, 120, 90)
    EXPECT_EQ(plain.At(0, 80), kRed);
    EXPECT_EQ(plain.At(119, 80), kRed);
    EXPECT_EQ(plain.At(50, 89), kRed);
    EXPECT_EQ(plain.At(50, 70), kBody);

    status.SetBevelInner(true);
    PanelImage bevelled(panel->Handle());
    const TColor gray = RGBColor(128, 128, 128), white = RGBColor(255, 255, 255);
    EXPECT_EQ(bevelled.At(50, 71), gray);
    EXPECT_EQ(bevelled.At(0, 80), gray);
    EXPECT_EQ(bevelled.At(119, 71), kRed);
    EXPECT_EQ(bevelled.At(50, 88), white);
    EXPECT_EQ(bevelled.At(118, 80), white);
    EXPECT_EQ(bevelled.At(119, 80), kRed);
    EXPECT_EQ(bevelled.At(50, 89), kRed);

    panel->Caption().SetPosition(TCaptionPosition::cpLeft); // the bar moves to the right edge
    status.SetColorTo(tk::clNone);
    status.SetColor(kGreen);
    status.SetBevelInner(false);
    status.SetBorderSingle(false);
    PanelImage right(panel->Handle());
    EXPECT_EQ(right.At(110, 45), kGreen);
    EXPECT_EQ(right.At(101, 1), kGreen);
    EXPECT_EQ(right.At(100, 45), kBody);
    EXPECT_EQ(right.At(50, 80), kBody);
}

TEST_F(PanelDecor, TheStatusBarImageComesFromTheImageList) {
    TAdvPanel* panel = MakePanel();
    tk::TPicture picture;
    picture.LoadFromData(wintest::BmpFile(8, 8, tk::ColorToRGB(kGreen)));
    auto* images = new tk::TImageList(form_, 8, 8);
    images->Add(std::move(picture));
    panel->SetImages(images);
    advpanel::TPanelStatusBar& status = panel->StatusBar();
    status.SetVisible(true);
    status.SetHeight(18);
    status.SetColor(kBody);
    status.SetColorTo(tk::clNone);
    status.SetImageIndex(0);
    PanelImage img(panel->Handle());
    // Q = (1, 71, 119, 89): the image at (Q.Left + 1, Q.Top + 2).
    EXPECT_EQ(Count(img, {2, 73, 10, 81}, kGreen), 64);
    EXPECT_EQ(Count(img, {0, 0, 120, 90}, kGreen), 64);
    status.SetImageIndex(-1);
    EXPECT_EQ(Count(PanelImage(panel->Handle()), {0, 0, 120, 90}, kGreen), 0);
}

TEST_F(PanelDecor, TheSizeGripShowsOnlyOnAnExpandedSizablePanel) {
    TAdvPanel* panel = MakePanel();
    const TColor white = RGBColor(255, 255, 255), gray = RGBColor(128, 128, 128);
    EXPECT_EQ(Count(PanelImage(panel->Handle()), {100, 70, 120, 90}, white), 0);
    panel->SetCanSize(true);
    PanelImage grip(panel->Handle());
    // White diagonals end at the corner (120, 90): x + y = 198, 202 and 206.
    for (int x = 109; x <= 119; ++x)
        ASSERT_EQ(grip.At(x, 198 - x), white) << x;
    for (int x = 113; x <= 119; ++x)
        ASSERT_EQ(grip.At(x, 202 - x), white) << x;
    EXPECT_EQ(grip.At(118, 88), white);
    EXPECT_EQ(grip.At(114, 85), gray);
    EXPECT_EQ(grip.At(100, 80), kBody);
    panel->SetCollaps(true); // shrinks the panel to its (hidden) caption's height
    panel->Invalidate();
    PanelImage collapsed(panel->Handle());
    EXPECT_EQ(Count(collapsed, {0, 0, collapsed.Width(), collapsed.Height()}, white), 0);
}

TEST_F(PanelDecor, AShadowWithoutABorderStillTakesItsRoom) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->SetBorderShadow(true); // BorderWidth 0: no border and no shadow lines are drawn
    panel->SetBackground(*Picture(200, 200, kRed));
    panel->SetBackgroundPosition(TBackGroundPosition::bpStretched);
    PanelImage img(panel->Handle());
    // The caption strip ends 2 columns early; the body loses 2 columns and 3 rows.
    EXPECT_EQ(img.At(117, 5), kCaption);
    EXPECT_EQ(img.At(118, 5), kBody);
    EXPECT_EQ(img.At(117, 86), kRed);
    EXPECT_EQ(img.At(118, 50), kBody);
    EXPECT_EQ(img.At(50, 87), kBody);
    EXPECT_EQ(Count(img, {0, 20, 118, 87}, kRed), 118 * 67);
}

TEST_F(PanelDecor, TheBackgroundPictureTakesItsPlaceInsideTheBody) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->SetBackground(*Picture(10, 10, kRed));
    PanelImage topLeft(panel->Handle());
    EXPECT_EQ(Count(topLeft, {0, 20, 10, 30}, kRed), 100); // just below the caption band
    EXPECT_EQ(Count(topLeft, {0, 0, 120, 90}, kRed), 100);

    panel->SetBackgroundPosition(TBackGroundPosition::bpBottomRight);
    PanelImage corner(panel->Handle()); // at (120 - 10, 90 - 10) less the bevel width 0
    EXPECT_EQ(Count(corner, {110, 80, 120, 90}, kRed), 100);

    panel->SetBackgroundPosition(TBackGroundPosition::bpTiled);
    PanelImage tiled(panel->Handle());
    EXPECT_EQ(Count(tiled, {0, 20, 120, 90}, kRed), 120 * 70);
    EXPECT_EQ(Count(tiled, {0, 0, 120, 20}, kRed), 0); // clipped to the body

    panel->SetBackground(*Picture(3, 3, kGreen));
    panel->SetBackgroundPosition(TBackGroundPosition::bpStretched);
    PanelImage stretched(panel->Handle());
    EXPECT_EQ(Count(stretched, {0, 20, 120, 90}, kGreen), 120 * 70);
}

TEST_F(PanelDecor, BodyMarkupIsRenderedOnThePanel) {
    TAdvPanel* panel = MakePanel();
    panel->Font().Assign(*Tahoma(-13, RGBColor(0, 0, 0)));
    panel->SetURLColor(RGBColor(0, 0, 255));
    panel->SetText("<A HREF=\"x\">link</A><BR><P BGCOLOR=\"#00FF00\" "
                   "BGCOLORTO=\"#0000FF\">band</P><E>wrong</E>");
    PanelImage img(panel->Handle());
    EXPECT_GT(Count(img, {0, 0, 120, 14}, RGBColor(0, 0, 255)), 20); // link text and underline
    // The paragraph's band: a gradient from green at its left to (almost) blue at its right.
    int bandRow = -1;
    for (int y = 14; y < 40 && bandRow < 0; ++y) {
        const TColor left = img.At(0, y);
        if (GetRValue(left) < 60 && GetGValue(left) > 200 && GetBValue(left) < 60) bandRow = y;
    }
    ASSERT_GE(bandRow, 0);
    const TColor right = img.At(118, bandRow);
    EXPECT_LT(GetGValue(right), 60);
    EXPECT_GT(GetBValue(right), 200);
    EXPECT_GT(Count(img, {0, 30, 120, 60}, RGBColor(255, 0, 0)), 10); // the error zigzag
    EXPECT_EQ(Count(img, {0, 0, 120, 90}, RGBColor(255, 0, 0)),
              Count(img, {0, 30, 120, 60}, RGBColor(255, 0, 0)));
}

TEST_F(PanelDecor, TheHotAnchorTakesTheHoverColours) {
    TAdvPanel* panel = MakePanel();
    panel->Font().Assign(*Tahoma(-13, RGBColor(0, 0, 0)));
    panel->SetURLColor(RGBColor(0, 0, 255));
    panel->SetHover(true);
    panel->SetHoverColor(kGreen);
    panel->SetHoverFontColor(kRed);
    panel->SetText("<A HREF=\"one\">first</A> <A HREF=\"two\">second</A>");
    PanelImage before(panel->Handle());
    EXPECT_EQ(Count(before, {0, 0, 120, 20}, kRed), 0);
    EXPECT_EQ(Count(before, {0, 0, 120, 20}, kGreen), 0);
    // The mouse over the first anchor makes it hot: hover background and font colour, and it
    // alone is underlined; the second keeps the link colour.
    SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    PumpMessages();
    ASSERT_EQ(panel->HotBodyAnchor(), 1);
    PanelImage hot(panel->Handle());
    EXPECT_GT(Count(hot, {0, 0, 40, 20}, kRed), 10);
    EXPECT_GT(Count(hot, {0, 0, 40, 20}, kGreen), 50);
    EXPECT_GT(Count(hot, {40, 0, 120, 20}, RGBColor(0, 0, 255)), 10);
    EXPECT_EQ(Count(hot, {40, 0, 120, 20}, kRed), 0);
}

TEST_F(PanelDecor, BodyTextFollowsItsVerticalAlignment) {
    TAdvPanel* panel = MakePanel();
    panel->Font().Assign(*Tahoma(-16, kRed));
    panel->SetText("Hg");
    auto rows = [&] {
        PanelImage img(panel->Handle());
        int first = -1, last = -1;
        for (int y = 0; y < 90; ++y)
            if (Count(img, {0, y, 120, y + 1}, kRed) > 0) {
                if (first < 0) first = y;
                last = y;
            }
        return std::pair<int, int>(first, last);
    };
    const auto top = rows();
    ASSERT_GE(top.first, 0);
    EXPECT_LT(top.second, 30);
    panel->SetTextVAlign(advpanel::TTextVAlignment::tvaBottom);
    const auto bottom = rows();
    EXPECT_GT(bottom.first, 60);
    EXPECT_EQ(bottom.second - bottom.first, top.second - top.first);
    panel->SetTextVAlign(advpanel::TTextVAlignment::tvaCenter);
    const auto centre = rows();
    EXPECT_NEAR((centre.first + centre.second) / 2, 45, 6);
}

} // namespace
