// The gradient panel's painting, pixel by pixel: background gradient, border and shadow, bevels
// and the caption strip, on the real note and on panels set up for the edge cases.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/shading/gradient_draw.h"
#include "support/panel_pixels.h"
#include "support/win_test_support.h"
#include "toolkit/forms/forms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using advpanel::TAdvPanel;
using tk::RGBColor;
using tk::TBevelCut;
using tk::TColor;
using wintest::AppFixture;
using wintest::DibCanvas;
using wintest::PanelImage;
using wintest::PumpMessages;
using wintest::SysRgb;

namespace {

// Colours of the note's stored settings.
constexpr TColor kOlive = RGBColor(104, 94, 32);
constexpr TColor kBodyFrom = RGBColor(255, 255, 204);
constexpr TColor kBodyTo = RGBColor(255, 255, 221);

// The body colour on row y of a 64-step vertical gradient of `h` rows from 204 to 221 blue.
TColor BodyRow(int y, int h) {
    int last = 0;
    for (int i = 0; i < 64; ++i)
        if (static_cast<int>(std::nearbyint(i * h / 64.0)) <= y) last = i;
    return RGBColor(255, 255, 204 + static_cast<int>(std::nearbyint(17.0 * last / 64)));
}

TEST(DrawGradient, FillsOnlyItsRectangleAndLeavesTheLastBandsColour) {
    AppFixture fixture;
    DibCanvas dib(20, 80, RGB(0, 0, 0));
    tk::TCanvas& c = dib.Canvas();
    advpanel::DrawGradient(c, RGBColor(0, 0, 0), RGBColor(0, 0, 64), 64, {2, 5, 12, 69}, false);
    EXPECT_EQ(dib.At(2, 5), RGBColor(0, 0, 0));
    EXPECT_EQ(dib.At(11, 68), RGBColor(0, 0, 63)); // the last band, short of the end colour
    EXPECT_EQ(dib.At(6, 40), RGBColor(0, 0, 35));
    EXPECT_EQ(dib.At(1, 40), RGBColor(0, 0, 0)); // nothing outside
    EXPECT_EQ(dib.At(12, 40), RGBColor(0, 0, 0));
    EXPECT_EQ(dib.At(6, 69), RGBColor(0, 0, 0));
    EXPECT_EQ(c.PenColor, RGBColor(0, 0, 63));
    EXPECT_EQ(c.BrushColor, RGBColor(0, 0, 63));

    // System colours take their current value; an inverted rectangle draws nothing.
    advpanel::DrawGradient(c, tk::clBtnFace, tk::clBtnFace, 64, {14, 0, 20, 10}, true);
    EXPECT_EQ(dib.At(17, 5), SysRgb(COLOR_BTNFACE));
    advpanel::DrawGradient(c, tk::clWhite, tk::clWhite, 64, {19, 79, 13, 70}, false);
    for (int y = 70; y < 80; ++y)
        for (int x = 13; x < 20; ++x)
            ASSERT_EQ(dib.At(x, y), RGBColor(0, 0, 0)) << x << "," << y;
}

TEST(DrawGradient, FramedGradientOutlinesUnlessTheFrameIsNone) {
    AppFixture fixture;
    DibCanvas dib(40, 20, RGB(0, 0, 0));
    tk::TCanvas& c = dib.Canvas();
    advpanel::DrawFramedGradient(c, RGBColor(50, 0, 0), RGBColor(90, 0, 0), RGBColor(0, 200, 0), 40,
                                 {0, 0, 20, 20}, true);
    EXPECT_EQ(dib.At(0, 10), RGBColor(0, 200, 0));
    EXPECT_EQ(dib.At(19, 10), RGBColor(0, 200, 0));
    EXPECT_EQ(dib.At(10, 0), RGBColor(0, 200, 0));
    EXPECT_EQ(dib.At(10, 19), RGBColor(0, 200, 0));
    // Half-pixel bands: column 1 shows only band 2 (offsets round half to even: 0, 0, 1, 2, 2, 2).
    EXPECT_EQ(dib.At(1, 10), RGBColor(52, 0, 0));
    EXPECT_EQ(c.BrushStyle, tk::TBrushStyle::bsClear);

    advpanel::DrawFramedGradient(c, RGBColor(50, 0, 0), RGBColor(90, 0, 0), tk::clNone, 40,
                                 {20, 0, 40, 20}, true);
    EXPECT_EQ(dib.At(20, 10), RGBColor(51, 0, 0));
    EXPECT_EQ(dib.At(39, 10), RGBColor(88, 0, 0)); // band 39 starts past the edge
    EXPECT_EQ(c.BrushStyle, tk::TBrushStyle::bsSolid);
}

class PanelPaint : public ::testing::Test {
protected:
    // A shown form holding one w x h panel with no bevel, caption hidden.
    TAdvPanel* MakePanel(int w, int h) {
        form_ = new tk::TForm(&fixture_.App());
        form_->SetBounds(100, 100, 400, 320);
        auto* panel = new TAdvPanel(form_);
        panel->SetParent(form_);
        panel->SetBounds(0, 0, w, h);
        panel->SetBevelOuter(TBevelCut::bvNone);
        panel->SetColor(kBodyFrom);
        panel->Caption().SetVisible(false);
        form_->HandleNeeded();
        form_->SetVisible(true);
        PumpMessages();
        return panel;
    }

    AppFixture fixture_;
    tk::TForm* form_ = nullptr;
};

TEST_F(PanelPaint, TheNoteShowsItsGradientBodyBorderShadowAndCaption) {
    note::TForm1* note = fixture_.CreateNote();
    PumpMessages();
    PanelImage img(note->panel->Handle());
    const int w = img.Width(), h = img.Height();
    ASSERT_EQ(w, 369);
    ASSERT_EQ(h, 277);

    // Body: five-row bands starting at rows 0, 4, 9, 13, 17, 22 ... 273, blue 204 to 221.
    const int x = 100;
    for (int y = 29; y < h - 3; ++y)
        ASSERT_EQ(img.At(x, y), BodyRow(y, h)) << y;
    EXPECT_EQ(img.At(x, 29), RGBColor(255, 255, 206)); // band 6, rows 26 to 30
    EXPECT_EQ(img.At(x, 273), kBodyTo);
    EXPECT_EQ(img.At(0, h - 2), BodyRow(h - 2, h)); // bottom-left keeps the body colour
    EXPECT_EQ(img.At(0, h - 1), kBodyTo);

    // Border: columns 0 and W-3, rows 0 and H-3.
    for (int y = 0; y <= h - 3; ++y) {
        ASSERT_EQ(img.At(0, y), kOlive) << y;
        ASSERT_EQ(img.At(w - 3, y), kOlive) << y;
    }
    for (int c = 0; c <= w - 3; ++c) {
        ASSERT_EQ(img.At(c, 0), kOlive) << c;
        ASSERT_EQ(img.At(c, h - 3), kOlive) << c;
    }

    // Shadow, blended with the system's actual button face.
    const TColor face = SysRgb(COLOR_BTNFACE);
    const TColor half = advpanel::BlendColor(kOlive, face, 50);
    const TColor fifth = advpanel::BlendColor(kOlive, face, 20);
    if (face == RGBColor(245, 245, 245)) { // Wine's default theme
        EXPECT_EQ(half, RGBColor(174, 170, 138));
        EXPECT_EQ(fifth, RGBColor(217, 215, 202));
    }
    for (int y = 0; y <= h - 2; ++y)
        ASSERT_EQ(img.At(w - 2, y), half) << y;
    for (int c = 1; c <= w - 2; ++c)
        ASSERT_EQ(img.At(c, h - 2), half) << c;
    for (int y = 0; y <= h - 1; ++y)
        ASSERT_EQ(img.At(w - 1, y), fifth) << y;
    for (int c = 1; c <= w - 1; ++c)
        ASSERT_EQ(img.At(c, h - 1), fifth) << c;

    // Caption strip: rows 1 to 28, columns 1 to W-4, one-row bands.
    for (int c = 1; c <= w - 4; ++c) {
        ASSERT_EQ(img.At(c, 1), RGBColor(228, 228, 182)) << c;
        ASSERT_EQ(img.At(c, 2), RGBColor(228, 227, 182)) << c;
        ASSERT_EQ(img.At(c, 28), RGBColor(218, 216, 173)) << c;
    }
    EXPECT_EQ(img.At(w - 3, 1), kOlive); // the strip stops inside the border
    EXPECT_EQ(img.At(w - 2, 1), half);
    EXPECT_EQ(img.At(x, 29), BodyRow(29, h)); // and leaves row 29 to the body
}

TEST_F(PanelPaint, AResizedNoteRecomputesItsBandsAndEdges) {
    note::TForm1* note = fixture_.CreateNote();
    note->SetClientSize(250, 190);
    PumpMessages();
    PanelImage img(note->panel->Handle());
    const int w = img.Width(), h = img.Height();
    ASSERT_EQ(w, 250);
    ASSERT_EQ(h, 190);
    for (int y = 29; y < h - 3; ++y)
        ASSERT_EQ(img.At(w / 2, y), BodyRow(y, h)) << y;
    EXPECT_EQ(img.At(0, h - 1), kBodyTo);
    EXPECT_EQ(img.At(w - 3, h / 2), kOlive);
    EXPECT_EQ(img.At(w / 2, h - 3), kOlive);
    const TColor face = SysRgb(COLOR_BTNFACE);
    EXPECT_EQ(img.At(w - 2, h / 2), advpanel::BlendColor(kOlive, face, 50));
    EXPECT_EQ(img.At(w - 1, h / 2), advpanel::BlendColor(kOlive, face, 20));
    EXPECT_EQ(img.At(w - 4, 28), RGBColor(218, 216, 173));
    EXPECT_EQ(img.At(w - 3, 28), kOlive);
}

TEST_F(PanelPaint, TheNoteOnScreenKeepsItsShadowAndBottomLeftCorner) {
    note::TForm1* note = fixture_.CreateNote();
    RedrawWindow(note->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    wintest::ScreenPixels screen(note->panel->Handle());
    const int w = screen.Width(), h = screen.Height();
    const TColor face = SysRgb(COLOR_BTNFACE);
    EXPECT_EQ(static_cast<TColor>(screen.At(0, h - 1)), kBodyTo);
    EXPECT_EQ(static_cast<TColor>(screen.At(0, h - 2)), BodyRow(h - 2, h));
    EXPECT_EQ(static_cast<TColor>(screen.At(w / 2, h - 1)), advpanel::BlendColor(kOlive, face, 20));
    EXPECT_EQ(static_cast<TColor>(screen.At(w - 1, 0)), advpanel::BlendColor(kOlive, face, 20));
    EXPECT_EQ(static_cast<TColor>(screen.At(w - 2, 0)), advpanel::BlendColor(kOlive, face, 50));
}

TEST_F(PanelPaint, TheNoteRepaintsWhereItsMemoWasAndLeavesTheShownMemoAlone) {
    note::TForm1* note = fixture_.CreateNote();
    PumpMessages();
    const int x = 100, y = 240; // inside the memo, where the body is bluer than the memo
    const TColor memoColour = RGBColor(255, 255, 204);
    {
        wintest::ScreenPixels screen(note->panel->Handle());
        ASSERT_EQ(static_cast<TColor>(screen.At(x, y)), memoColour);
        ASSERT_NE(BodyRow(y, screen.Height()), memoColour);
    }
    // Hidden, the memo's area is the panel's to paint, though no paint drew there before.
    note->Memo1->SetVisible(false);
    PumpMessages();
    {
        wintest::ScreenPixels screen(note->panel->Handle());
        EXPECT_EQ(static_cast<TColor>(screen.At(x, y)), BodyRow(y, screen.Height()));
    }
    // Shown again, a repaint of the panel alone leaves the memo's pixels to the memo.
    note->Memo1->SetVisible(true);
    PumpMessages();
    RedrawWindow(note->panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    wintest::ScreenPixels screen(note->panel->Handle());
    EXPECT_EQ(static_cast<TColor>(screen.At(x, y)), memoColour);
    EXPECT_EQ(static_cast<TColor>(screen.At(x, 29)), BodyRow(29, screen.Height())); // above it
}

TEST_F(PanelPaint, WithoutColorToTheBodyIsFlat) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(tk::clNone);
    PanelImage img(panel->Handle());
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(img.At(x, y), kBodyFrom) << x << "," << y;
}

TEST_F(PanelPaint, HorizontalGradientRunsLeftToRight) {
    TAdvPanel* panel = MakePanel(128, 40);
    panel->SetBorderColor(tk::clNone);
    panel->SetColor(RGBColor(0, 0, 0));
    panel->SetColorTo(RGBColor(64, 0, 0));
    panel->SetGradientDirection(advpanel::TGradientDirection::gdHorizontal);
    PanelImage img(panel->Handle());
    // Two-column bands, one red step each; the frame in Color rings the edge.
    EXPECT_EQ(img.At(1, 20), RGBColor(0, 0, 0));
    EXPECT_EQ(img.At(2, 20), RGBColor(1, 0, 0));
    EXPECT_EQ(img.At(65, 20), RGBColor(32, 0, 0));
    EXPECT_EQ(img.At(126, 20), RGBColor(63, 0, 0));
    EXPECT_EQ(img.At(127, 20), RGBColor(0, 0, 0)); // the Color frame
}

TEST_F(PanelPaint, BorderWidthZeroDrawsNoBorderOrShadow) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(kOlive);
    panel->SetBorderShadow(true);
    panel->SetBorderWidth(0);
    PanelImage img(panel->Handle());
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(img.At(x, y), kBodyFrom) << x << "," << y;
}

TEST_F(PanelPaint, AWideBorderIsStillOnePixel) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(kOlive);
    panel->SetBorderWidth(3);
    PanelImage img(panel->Handle());
    EXPECT_EQ(img.At(0, 40), kOlive);
    EXPECT_EQ(img.At(1, 40), kBodyFrom);
    EXPECT_EQ(img.At(119, 40), kOlive);
    EXPECT_EQ(img.At(60, 89), kOlive);
    EXPECT_EQ(img.At(60, 88), kBodyFrom);
}

TEST_F(PanelPaint, WithoutBorderColourTheEdgeIsFramedInColor) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(tk::clNone);
    panel->SetColor(RGBColor(10, 20, 30));
    panel->SetColorTo(RGBColor(200, 200, 200));
    PanelImage img(panel->Handle());
    for (int x = 0; x < 120; ++x) {
        ASSERT_EQ(img.At(x, 0), RGBColor(10, 20, 30)) << x;
        ASSERT_EQ(img.At(x, 89), RGBColor(10, 20, 30)) << x;
    }
    for (int y = 0; y < 90; ++y) {
        ASSERT_EQ(img.At(0, y), RGBColor(10, 20, 30)) << y;
        ASSERT_EQ(img.At(119, y), RGBColor(10, 20, 30)) << y;
    }
    EXPECT_NE(img.At(60, 88), RGBColor(10, 20, 30)); // the gradient inside the frame
}

TEST_F(PanelPaint, RaisedAndLoweredBevelsUseTheButtonColours) {
    TAdvPanel* panel = MakePanel(100, 60);
    panel->SetBorderColor(kOlive);
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBorderWidth(0);
    PanelImage img(panel->Handle());
    const TColor light = SysRgb(COLOR_BTNHIGHLIGHT), dark = SysRgb(COLOR_BTNSHADOW);
    ASSERT_NE(light, dark);
    EXPECT_EQ(img.At(0, 30), light); // outer raised: top and left light
    EXPECT_EQ(img.At(50, 0), light);
    EXPECT_EQ(img.At(99, 30), dark); // bottom and right dark
    EXPECT_EQ(img.At(50, 59), dark);
    EXPECT_EQ(img.At(1, 30), dark); // inner lowered: the reverse
    EXPECT_EQ(img.At(98, 30), light);
    EXPECT_EQ(img.At(2, 30), kBodyFrom);
}

TEST_F(PanelPaint, AHiddenCaptionLeavesTheTopToTheBody) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(tk::clNone);
    panel->Caption().SetColor(RGBColor(200, 0, 0));
    PanelImage hidden(panel->Handle());
    EXPECT_EQ(hidden.At(60, 5), kBodyFrom);
    panel->Caption().SetVisible(true);
    PanelImage shown(panel->Handle());
    // Band = Caption.Height - 2 x BevelWidth, from the panel's edge without a shadow.
    const int band = panel->Caption().Height() - 2 * panel->BevelWidth();
    EXPECT_EQ(shown.At(0, 0), RGBColor(200, 0, 0));
    EXPECT_EQ(shown.At(119, band - 1), RGBColor(200, 0, 0));
    EXPECT_EQ(shown.At(60, band), kBodyFrom);
}

TEST_F(PanelPaint, ACollapsedPanelsFlatCaptionTakesCloseColor) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(tk::clNone);
    panel->Caption().SetVisible(true);
    panel->Caption().SetColor(RGBColor(200, 0, 0));
    panel->Caption().SetCloseColor(RGBColor(0, 0, 200));
    panel->SetCollaps(true);
    EXPECT_EQ(PanelImage(panel->Handle()).At(60, 5), RGBColor(0, 0, 200));
    panel->Caption().SetColorTo(RGBColor(200, 0, 0)); // a gradient keeps Caption.Color
    EXPECT_EQ(PanelImage(panel->Handle()).At(60, 5), RGBColor(200, 0, 0));
}

TEST_F(PanelPaint, ALeftCaptionRunsDownTheLeftEdgeAboveTheShadowCut) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(kOlive);
    panel->SetBorderShadow(true);
    panel->SetBorderWidth(1);
    panel->SetBevelWidth(0);
    panel->Caption().SetVisible(true);
    panel->Caption().SetPosition(advpanel::TCaptionPosition::cpLeft);
    panel->Caption().SetHeight(20);
    panel->Caption().SetColor(RGBColor(200, 0, 0));
    PanelImage img(panel->Handle());
    // K = (1, 1, 117, 90): the strip covers columns 1..20, rows 1..86.
    EXPECT_EQ(img.At(1, 1), RGBColor(200, 0, 0));
    EXPECT_EQ(img.At(20, 86), RGBColor(200, 0, 0));
    EXPECT_EQ(img.At(21, 40), kBodyFrom);
    EXPECT_NE(img.At(10, 87), RGBColor(200, 0, 0));
}

TEST_F(PanelPaint, AShortPanelsGradientLetsTheLaterBandWin) {
    TAdvPanel* panel = MakePanel(50, 10);
    panel->SetBorderColor(tk::clNone);
    panel->SetColor(RGBColor(0, 0, 0));
    panel->SetColorTo(RGBColor(0, 0, 64));
    PanelImage img(panel->Handle());
    for (int y = 1; y < 9; ++y) {
        int last = 0;
        for (int i = 0; i < 64; ++i)
            if (std::nearbyint(i * 10.0 / 64) == y) last = i;
        ASSERT_EQ(img.At(25, y), RGBColor(0, 0, last)) << y;
    }
}

TEST_F(PanelPaint, UnbufferedPanelsPaintTheSame) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(kOlive);
    panel->SetBorderShadow(true);
    panel->SetBorderWidth(1);
    panel->SetColorTo(kBodyTo);
    PanelImage buffered(panel->Handle());
    panel->Buffered = false;
    PanelImage direct(panel->Handle());
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(direct.At(x, y), buffered.At(x, y)) << x << "," << y;
    EXPECT_EQ(buffered.At(119, 0), advpanel::BlendColor(kOlive, tk::clBtnFace, 20));
}

TEST_F(PanelPaint, OnPaintDrawsLastOnTheSameSurface) {
    TAdvPanel* panel = MakePanel(120, 90);
    panel->SetBorderColor(kOlive);
    panel->SetBorderWidth(1);
    tk::TRect seen;
    panel->OnPaint = [&seen](tk::TObject*, tk::TCanvas& canvas, tk::TRect r) {
        seen = r;
        canvas.PenColor = RGBColor(0, 255, 0);
        canvas.MoveTo(0, 0);
        canvas.LineTo(3, 0);
    };
    PanelImage img(panel->Handle());
    EXPECT_EQ(seen, (tk::TRect{0, 0, 120, 90}));
    EXPECT_EQ(img.At(2, 0), RGBColor(0, 255, 0));
    EXPECT_EQ(img.At(3, 0), kOlive);
}

} // namespace
