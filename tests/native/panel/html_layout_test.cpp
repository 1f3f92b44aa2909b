// The mini-markup layout against fixed metrics: 6 pixels a character (7 bold), text height =
// |font height| + 3, so the base font of height -11 gives lines of 14 pixels.
#include "AdvPanel/markup/html_layout.h"
#include "fixed_metrics_surface.h"

#include <gtest/gtest.h>

using namespace advpanel;
using advpanel::testing::FixedMetricsSurface;

namespace {

constexpr tk::TColor kBlink = tk::RGBColor(1, 2, 3);

struct Rendered {
    FixedMetricsSurface Surface;
    HtmlRenderResult Result;
    bool OverAnchor = false;
};

HtmlFont BaseFont() {
    HtmlFont f;
    f.Name = "Tahoma";
    f.Height = -11;
    f.Color = tk::clBlack;
    return f;
}

HtmlRenderParams Params(std::string text, tk::TRect rect = {0, 0, 200, 100}) {
    HtmlRenderParams p;
    p.Text = std::move(text);
    p.Rect = rect;
    return p;
}

Rendered Render(const HtmlRenderParams& p, std::map<std::string, tk::TPoint> pictures = {}) {
    Rendered r;
    r.Surface.Pictures = std::move(pictures);
    r.OverAnchor = LayoutHtml(r.Surface, BaseFont(), kBlink, p, r.Result);
    return r;
}

std::vector<std::string> TextsOf(const Rendered& r) {
    std::vector<std::string> texts;
    for (const auto& t : r.Surface.Texts)
        texts.push_back(t.Text);
    return texts;
}

using Texts = std::vector<std::string>;

} // namespace

TEST(HtmlLayout, EmptyTextDrawsNothingAndIsOneGhHigh) {
    Rendered r = Render(Params(""));
    EXPECT_TRUE(r.Surface.Texts.empty());
    EXPECT_TRUE(r.Surface.Fills.empty());
    EXPECT_EQ(r.Result.Height, 14);
    EXPECT_EQ(r.Result.Width, 0);
    EXPECT_FALSE(r.OverAnchor);
    EXPECT_EQ(r.Result.MouseAnchor, -1);
}

TEST(HtmlLayout, EntitiesShowAsTextNotAsTags) {
    Rendered amp = Render(Params("a&amp;b"));
    EXPECT_EQ(TextsOf(amp), (Texts{"a&&b"})); // the text drawing shows one ampersand
    EXPECT_EQ(amp.Result.PlainText, "a&b");
    EXPECT_EQ(amp.Result.Width, 18);

    Rendered tag = Render(Params("&lt;B&gt;bold?"));
    EXPECT_EQ(TextsOf(tag), (Texts{"<B>bold?"}));
    EXPECT_EQ(tag.Surface.Texts[0].Font.Style & kHtmlBold, 0u);
    EXPECT_EQ(tag.Result.PlainText, "<B>bold?");
}

TEST(HtmlLayout, CarriageReturnLineFeedBreaksOnce) {
    Rendered r = Render(Params("one\r\ntwo"));
    ASSERT_EQ(TextsOf(r), (Texts{"one", "two"}));
    EXPECT_EQ(r.Surface.Texts[0].Rect, (tk::TRect{1, 0, 19, 14}));
    EXPECT_EQ(r.Surface.Texts[1].Rect, (tk::TRect{1, 14, 19, 28}));
    EXPECT_EQ(r.Result.Height, 28);
    EXPECT_EQ(r.Result.PlainText, "one\rtwo");
}

TEST(HtmlLayout, WordWrapBreaksAtTheLastSpaceThatFits) {
    // 60 pixels are available: "aaa bbb" (42) fits, "aaa bbb ccc" (66) does not.
    Rendered r = Render(Params("aaa bbb ccc ddd", {0, 0, 61, 100}));
    EXPECT_EQ(TextsOf(r), (Texts{"aaa ", "bbb ", "ccc ", "ddd"}));
    EXPECT_EQ(r.Surface.Texts[2].Rect.Left, 1);
    EXPECT_EQ(r.Surface.Texts[2].Rect.Top, 14);
    EXPECT_EQ(r.Result.Width, 42); // the trailing space does not count
    EXPECT_EQ(r.Result.Height, 28);

    // A word interrupted by a tag is never split, whatever the room.
    Rendered joined = Render(Params("aaaaaaaa<B>bbbbbbbb</B>", {0, 0, 61, 100}));
    EXPECT_EQ(joined.Surface.Texts[1].Rect.Top, 0);
    // A single piece wider than the line stays on it.
    Rendered wide = Render(Params("aaaaaaaaaaaaaaaaaaaa b", {0, 0, 61, 100}));
    EXPECT_EQ(wide.Surface.Texts[0].Rect.Top, 0);
    EXPECT_EQ(wide.Surface.Texts[1].Rect.Top, 14);
}

TEST(HtmlLayout, WithoutWordWrapALongLineIsCutWithAnEllipsis) {
    HtmlRenderParams p = Params("abcdefghijklmnop <B>more</B>", {0, 0, 61, 100});
    p.WordWrap = false;
    Rendered r = Render(p);
    EXPECT_EQ(TextsOf(r), (Texts{"abcdefg..."}));
    EXPECT_LE(r.Surface.Texts[0].Rect.Right, 61);
    EXPECT_EQ(r.Result.Height, 14);
    EXPECT_EQ(r.Result.PlainText, "abcdefghijklmnop more");
}

namespace {

// The characters of a UTF-8 text, each as its own string: a lead byte says how long it is.
std::vector<std::string> Utf8Characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace

TEST(HtmlLayout, CutsBreaksAndEllipsesNeverSplitACharacter) {
    const std::string text = "kenyér ✓ 漢字";
    const std::vector<std::string> chars = Utf8Characters(text);
    ASSERT_EQ(chars.size(), 11u);
    const int width = 6 * 11;
    for (int right = 1; right <= width + 2; ++right) {
        for (bool wrap : {false, true}) {
            HtmlRenderParams p = Params(text, {0, 0, right, 200});
            p.WordWrap = wrap;
            Rendered r = Render(p);
            EXPECT_EQ(r.Surface.MalformedTexts, 0) << right << (wrap ? " wrapped" : "");
        }
        // Without wrapping the text is cut to the most characters that fit with "..." after
        // them; the line starts one pixel in.
        HtmlRenderParams p = Params(text, {0, 0, right, 200});
        p.WordWrap = false;
        const Texts drawn = TextsOf(Render(p));
        const int room = right - 1;
        std::string expected = text;
        if (width > room) {
            expected.clear();
            const int fit = room / 6 - 3;
            for (int i = 0; i < fit; ++i)
                expected += chars[static_cast<std::size_t>(i)];
            if (fit >= 0) expected += "...";
        }
        EXPECT_EQ(drawn, expected.empty() ? Texts{} : Texts{expected}) << right;
    }
}

TEST(HtmlLayout, FontSizesAndFaces) {
    Rendered r = Render(Params(R"(<FONT SIZE="3" face="Arial" color="#FF0000">a</FONT>)"
                               R"(<FONT SIZE="7">b</FONT>c)"));
    ASSERT_EQ(r.Surface.Texts.size(), 3u);
    EXPECT_EQ(r.Surface.Texts[0].Font.Height, -16); // 12 points at 96 pixels per inch
    EXPECT_EQ(r.Surface.Texts[0].Font.Name, "ARIAL");
    EXPECT_EQ(r.Surface.Texts[0].Font.Color, tk::RGBColor(255, 0, 0));
    EXPECT_EQ(r.Surface.Texts[1].Font.Height, -9); // 7 points
    EXPECT_EQ(r.Surface.Texts[2].Font, BaseFont());
    EXPECT_EQ(r.Result.Height, 19); // the tallest piece
}

TEST(HtmlLayout, ClosingListAtLevelZeroEndsUnderlining) {
    Rendered r = Render(Params("<U>a</UL>b"));
    ASSERT_EQ(r.Surface.Texts.size(), 2u);
    EXPECT_NE(r.Surface.Texts[0].Font.Style & kHtmlUnderline, 0u);
    EXPECT_EQ(r.Surface.Texts[1].Font.Style & kHtmlUnderline, 0u);
    // Inside a list the closing tag only leaves the level.
    Rendered list = Render(Params("<U><UL>a</UL>b"));
    EXPECT_NE(list.Surface.Texts.back().Font.Style & kHtmlUnderline, 0u);
}

TEST(HtmlLayout, HiddenTextIsInThePlainTextOnly) {
    Rendered r = Render(Params("a<Z>secret</Z>b"));
    EXPECT_EQ(TextsOf(r), (Texts{"a", "b"}));
    EXPECT_EQ(r.Surface.Texts[1].Rect.Left, 7);
    EXPECT_EQ(r.Result.PlainText, "asecretb");
    EXPECT_EQ(r.Result.Width, 12);
}

TEST(HtmlLayout, ParagraphAlignmentIndentAndBand) {
    Rendered r = Render(Params(R"(<P align="right">abc</P><P ALIGN="CENTER">abc</P>)"
                               R"(<P indent="10" bgcolor="clRed">abc</P>abc)"));
    ASSERT_EQ(r.Surface.Texts.size(), 4u);
    EXPECT_EQ(r.Surface.Texts[0].Rect.Right, 200);
    EXPECT_EQ(r.Surface.Texts[1].Rect.Left, (200 - 18) / 2);
    EXPECT_EQ(r.Surface.Texts[2].Rect.Left, 11);
    EXPECT_EQ(r.Surface.Texts[3].Rect.Left, 1); // the paragraph's end restores it
    ASSERT_EQ(r.Surface.Fills.size(), 1u);
    EXPECT_EQ(r.Surface.Fills[0].Rect, (tk::TRect{0, 28, 200, 42}));
    EXPECT_EQ(r.Surface.Fills[0].Color, tk::clRed);
}

TEST(HtmlLayout, ParagraphGradientAndBodyBackground) {
    Rendered r = Render(Params(R"(<BODY bgcolor="clWhite">x<P bgcolor="#000000" )"
                               R"(bgcolorto="#FFFFFF">y</P>)"));
    ASSERT_EQ(r.Surface.Fills.size(), 2u);
    EXPECT_EQ(r.Surface.Fills[0].Rect, (tk::TRect{-2, 0, 200, 100}));
    EXPECT_EQ(r.Surface.Fills[0].Color, tk::clWhite);
    EXPECT_EQ(r.Surface.Fills[1].To, tk::clWhite);
    EXPECT_TRUE(r.Surface.Fills[1].Horizontal);
    // Selected mode ignores the markup's colours.
    HtmlRenderParams selected = Params(R"(<BODY bgcolor="clWhite"><FONT color="clRed">x</FONT>)");
    selected.Selected = true;
    Rendered s = Render(selected);
    EXPECT_TRUE(s.Surface.Fills.empty());
    EXPECT_EQ(s.Surface.Texts[0].Font.Color, tk::clBlack);
}

TEST(HtmlLayout, ListsIndentAndDrawBullets) {
    Rendered r = Render(Params("<UL><LI>one</LI><UL><LI>two</LI></UL></UL>after"));
    std::vector<advpanel::testing::DrawnText> bullets, words;
    for (const auto& t : r.Surface.Texts)
        (t.Font.Name == "Symbol" ? bullets : words).push_back(t);
    ASSERT_EQ(bullets.size(), 2u);
    EXPECT_EQ(bullets[0].Text, "\xEF\x82\xB7"); // U+F0B7, the symbol font's bullet
    EXPECT_EQ(bullets[0].Font.Charset, kSymbolCharset);
    EXPECT_EQ(bullets[0].Rect.Left, 13);
    EXPECT_EQ(bullets[1].Text, "o");
    EXPECT_EQ(bullets[1].Rect.Left, 25);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].Rect.Left, 25);
    EXPECT_EQ(words[1].Rect.Left, 37);
    EXPECT_EQ(words[2].Rect.Left, 1);
    EXPECT_GT(words[1].Rect.Top, words[0].Rect.Top);
}

TEST(HtmlLayout, TheKeptAnchorBoxesAnswerAsTheMouseHitTestDoes) {
    // A wrapped anchor, mixed fonts and an image inside an anchor: for every point, the first
    // kept box whose pieces hold it names the anchor the hit test finds there.
    HtmlRenderParams p = Params(R"(go <A href="a">to the <B>first</B> page</A> or<BR>)"
                                R"(<A href="b"><IMG src="pic"> here</A> <FONT size="5">x</FONT>)",
                                {0, 0, 90, 100});
    const Rendered laidOut = Render(p, {{"pic", {10, 20}}});
    ASSERT_GE(laidOut.Result.AnchorBoxes.size(), 3u);
    for (int y = -2; y < 60; ++y)
        for (int x = -2; x < 95; ++x) {
            p.Mouse = {x, y};
            const Rendered hit = Render(p, {{"pic", {10, 20}}});
            int boxed = -1;
            for (const HtmlAnchorBox& box : laidOut.Result.AnchorBoxes)
                if (box.Holds({x, y})) {
                    boxed = box.Number;
                    EXPECT_EQ(box.Rect, hit.Result.MouseAnchorRect) << x << "," << y;
                    EXPECT_EQ(box.Target, hit.Result.AnchorUnderMouse) << x << "," << y;
                    break;
                }
            ASSERT_EQ(boxed, hit.Result.MouseAnchor) << x << "," << y;
        }
}

TEST(HtmlLayout, IndentTagMovesOnlyForward) {
    Rendered r = Render(Params(R"(a<IND x="40">b<IND x="2">c)"));
    ASSERT_EQ(r.Surface.Texts.size(), 3u);
    EXPECT_EQ(r.Surface.Texts[1].Rect.Left, 40);
    EXPECT_EQ(r.Surface.Texts[2].Rect.Left, 46);
}

TEST(HtmlLayout, AnchorsAreNumberedAndHitTested) {
    // "first " is 36 wide from x 1; the second anchor starts at 37.
    HtmlRenderParams p = Params(R"(<A HREF="one">first</A> <A href="two">second</A>)");
    p.Mouse = {40, 5};
    p.FocusAnchor = 1; // counted from 0: the second anchor
    Rendered r = Render(p);
    EXPECT_TRUE(r.OverAnchor);
    EXPECT_EQ(r.Result.AnchorCount, 2);
    EXPECT_EQ(r.Result.MouseAnchor, 2); // counted from 1
    EXPECT_EQ(r.Result.AnchorUnderMouse, "two");
    EXPECT_EQ(r.Result.MouseAnchorRect, (tk::TRect{37, 0, 73, 14}));
    EXPECT_EQ(r.Result.FocusTarget, "two");
    ASSERT_EQ(r.Surface.FocusRects.size(), 1u);
    EXPECT_EQ(r.Surface.FocusRects[0], (tk::TRect{36, -1, 74, 15}));
    for (int i : {0, 2}) {
        EXPECT_EQ(r.Surface.Texts[i].Font.Color, p.URLColor);
        EXPECT_NE(r.Surface.Texts[i].Font.Style & kHtmlUnderline, 0u);
    }
    EXPECT_EQ(r.Surface.Texts[1].Font.Style & kHtmlUnderline, 0u); // the space between
    p.Mouse = {36, 5};                                             // over that space
    EXPECT_FALSE(Render(p).OverAnchor);
}

TEST(HtmlLayout, HoverMarksOnlyTheHotAnchor) {
    HtmlRenderParams p = Params(R"(<A HREF="one">a</A><A HREF="two">b</A>)");
    p.Hover = true;
    p.HotAnchor = 2;
    p.HoverColor = tk::RGBColor(255, 255, 200);
    p.HoverFontColor = tk::RGBColor(0, 128, 0);
    Rendered r = Render(p);
    ASSERT_EQ(r.Surface.Texts.size(), 2u);
    EXPECT_EQ(r.Surface.Texts[0].Font.Style & kHtmlUnderline, 0u);
    EXPECT_EQ(r.Surface.Texts[0].Font.Color, p.URLColor);
    EXPECT_NE(r.Surface.Texts[1].Font.Style & kHtmlUnderline, 0u);
    EXPECT_EQ(r.Surface.Texts[1].Font.Color, p.HoverFontColor);
    ASSERT_EQ(r.Surface.Fills.size(), 1u);
    EXPECT_EQ(r.Surface.Fills[0].Color, p.HoverColor);
    EXPECT_EQ(r.Surface.Fills[0].Rect.Left, 7);
}

TEST(HtmlLayout, ImagesEndALineAndAreHitTestedInsideAnchors) {
    std::map<std::string, tk::TPoint> pics{{"pic", {50, 20}}, {"hot", {50, 20}}};
    // 54 pixels of text leave no room for a 50-pixel picture in 100.
    Rendered r = Render(Params(R"(aaaaaaaaa<IMG SRC="pic">b)", {0, 0, 101, 100}), pics);
    ASSERT_EQ(r.Surface.DrawnPictures.size(), 1u);
    EXPECT_EQ(r.Surface.DrawnPictures[0].Rect, (tk::TRect{1, 14, 51, 34}));
    EXPECT_EQ(r.Surface.Texts[1].Rect.Left, 51);
    EXPECT_EQ(r.Result.Height, 34);

    HtmlRenderParams p = Params(R"(x<A HREF="go"><IMG src="pic" alt="hot"></A>)");
    p.Mouse = {30, 10};
    Rendered over = Render(p, pics);
    EXPECT_TRUE(over.OverAnchor);
    EXPECT_EQ(over.Result.MouseAnchor, 1);
    EXPECT_EQ(over.Result.AnchorUnderMouse, "go");
    EXPECT_EQ(over.Result.MouseAnchorRect, (tk::TRect{7, 0, 57, 20}));
    ASSERT_EQ(over.Surface.DrawnPictures.size(), 1u);
    EXPECT_EQ(over.Surface.DrawnPictures[0].Source, "hot"); // ALT while the mouse is over it
    p.Mouse = {3, 10};
    Rendered away = Render(p, pics);
    EXPECT_FALSE(away.OverAnchor);
    EXPECT_EQ(away.Surface.DrawnPictures[0].Source, "pic");
}

TEST(HtmlLayout, ImageSizeAttributesAndMissingPictures) {
    std::map<std::string, tk::TPoint> pics{{"pic", {50, 20}}};
    Rendered r = Render(Params(R"(<IMG SRC="pic" WIDTH="10" HEIGHT="30"><IMG SRC="none">)"
                               R"(<IMG SRC="pic" WIDTH="10">)"),
                        pics);
    ASSERT_EQ(r.Surface.DrawnPictures.size(), 2u);
    EXPECT_EQ(r.Surface.DrawnPictures[0].Rect, (tk::TRect{1, 0, 11, 30}));
    EXPECT_EQ(r.Surface.DrawnPictures[1].Rect, (tk::TRect{11, 10, 61, 30}));
    EXPECT_EQ(r.Result.Width, 60);
    // A picture aligned to the top moves the line's text up to the top of its line.
    Rendered top = Render(Params(R"(<IMG SRC="pic" ALIGN="TOP">a)"), pics);
    EXPECT_EQ(top.Surface.Texts[0].Rect, (tk::TRect{51, 0, 57, 14}));
}

TEST(HtmlLayout, MeasureOnlyDrawsNothingButHitTests) {
    HtmlRenderParams p = Params(R"(<BODY bgcolor="clRed"><A HREF="t">link</A><HR>)");
    p.MeasureOnly = true;
    p.FocusAnchor = 0;
    p.Mouse = {5, 5};
    Rendered r = Render(p);
    EXPECT_TRUE(r.Surface.Texts.empty());
    EXPECT_TRUE(r.Surface.Fills.empty());
    EXPECT_TRUE(r.Surface.FocusRects.empty());
    EXPECT_TRUE(r.Surface.Lines.empty());
    EXPECT_TRUE(r.OverAnchor);
    EXPECT_EQ(r.Result.Width, 24);
    p.SizeOnly = true; // no drawing pass at all, so no hit test either
    Rendered s = Render(p);
    EXPECT_FALSE(s.OverAnchor);
    EXPECT_EQ(s.Result.Width, 24);
    EXPECT_EQ(s.Result.AnchorCount, 1);
}

TEST(HtmlLayout, LayoutStopsAtTheBottomUnlessOnlySizing) {
    HtmlRenderParams p = Params("a<BR>b<BR>c", {0, 0, 100, 20});
    Rendered r = Render(p);
    EXPECT_EQ(TextsOf(r), (Texts{"a"}));
    EXPECT_EQ(r.Result.Height, 14);
    p.SizeOnly = true;
    EXPECT_EQ(Render(p).Result.Height, 42);
    p.SizeOnly = false;
    p.LineSpacing = 3;
    p.Rect.Bottom = 100;
    EXPECT_EQ(Render(p).Result.Height, 51);
}

TEST(HtmlLayout, SubscriptAndSuperscriptAddTheirOffsets) {
    Rendered r = Render(Params("a<SUP>2</SUP>b<SUB>i</SUB>"));
    ASSERT_EQ(r.Surface.Texts.size(), 4u);
    // A 14-pixel piece is offset by 3: the line grows by 3 above and 3 below.
    EXPECT_EQ(r.Result.Height, 20);
    EXPECT_EQ(r.Surface.Texts[0].Rect.Bottom, 17);
    EXPECT_EQ(r.Surface.Texts[1].Rect.Bottom, 14);
    EXPECT_EQ(r.Surface.Texts[3].Rect.Bottom, 20);
}

TEST(HtmlLayout, TextEffects) {
    HtmlRenderParams p =
        Params(R"(<SHAD>s</SHAD><E>ee</E><R a="90">r</R><HI>h</HI><BLINK>b</BLINK>)"
               R"(<S>x</S><I>i</I>)");
    p.ShadowOffset = 2;
    p.ShadowColor = tk::clGray;
    p.BlinkPhase = false;
    Rendered r = Render(p);
    const auto& t = r.Surface.Texts;
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[0].Font.Color, tk::clGray);
    EXPECT_EQ(t[0].Rect.Left, t[1].Rect.Left + 2);
    EXPECT_EQ(t[0].Rect.Top, t[1].Rect.Top + 2);
    ASSERT_EQ(r.Surface.Lines.size(), 1u);
    EXPECT_EQ(r.Surface.LineColors[0], tk::clRed);
    EXPECT_EQ(r.Surface.Lines[0].front().X, t[2].Rect.Left);
    EXPECT_EQ(r.Surface.Lines[0].back().X, t[2].Rect.Right);
    EXPECT_EQ(t[3].Font.Escapement, 900);
    EXPECT_EQ(t[4].Font.Escapement, 0);
    EXPECT_EQ(t[4].Font.Color, tk::clHighlightText);
    ASSERT_EQ(r.Surface.Fills.size(), 1u);
    EXPECT_EQ(r.Surface.Fills[0].Color, tk::clHighlight);
    EXPECT_EQ(t[5].Font.Color, kBlink);
    EXPECT_EQ(t[6].Font.Style, kHtmlStrikeOut);
    EXPECT_EQ(t[7].Font.Style, kHtmlItalic);
    p.BlinkPhase = true;
    EXPECT_EQ(Render(p).Surface.Texts[5].Font.Color, tk::clBlack);
}

TEST(HtmlLayout, RuleAndUnclosedTags) {
    Rendered r = Render(Params("a<HR>b<Q attr>c<B"));
    EXPECT_EQ(TextsOf(r), (Texts{"a", "b", "c"}));
    ASSERT_EQ(r.Surface.Lines.size(), 1u);
    EXPECT_EQ(r.Surface.Lines[0], (std::vector<tk::TPoint>{{0, 14}, {200, 14}}));
    EXPECT_EQ(r.Result.PlainText, "a\rbc");
}

TEST(HtmlLayout, BodyGradientRunsLeftToRightOnlyWhenAskedAndTilesItsPicture) {
    std::map<std::string, tk::TPoint> pics{{"tile", {8, 8}}};
    Rendered down = Render(
        Params(R"(<BODY BGCOLOR="clRed" BGCOLORTO="clBlue" BACKGROUND="tile">x</BODY>)"), pics);
    ASSERT_EQ(down.Surface.Fills.size(), 1u);
    EXPECT_EQ(down.Surface.Fills[0].Rect, (tk::TRect{0, 0, 200, 100}));
    EXPECT_EQ(down.Surface.Fills[0].To, 0xFF0000);
    EXPECT_FALSE(down.Surface.Fills[0].Horizontal);
    ASSERT_EQ(down.Surface.Tiled.size(), 1u);
    EXPECT_EQ(down.Surface.Tiled[0].Source, "tile");
    EXPECT_EQ(down.Surface.Tiled[0].Rect, (tk::TRect{0, 0, 200, 100}));
    Rendered across = Render(Params(R"(<BODY BGCOLOR="clRed" BGCOLORTO="clBlue" DIR="h">x)"));
    EXPECT_TRUE(across.Surface.Fills[0].Horizontal);
    // The body's background lies under the text even when the tag comes after it on the line.
    Rendered late = Render(Params(R"(x<BODY BGCOLOR="clRed"><P BGCOLOR="clLime">y)"));
    EXPECT_EQ(late.Surface.Order, "fftt");
}
