#include "AdvPanel/markup/html_markup.h"

#include <gtest/gtest.h>

using namespace advpanel;

TEST(HtmlMarkup, EntitiesAreReplacedUntilNoneIsLeft) {
    EXPECT_EQ(PrepareHtmlText("a&amp;b"), "a&&b");
    EXPECT_EQ(PrepareHtmlText("&quot;x&quot; &euro;&copy;&reg;&sect;&para;&trade;&permil;"),
              "\"x\" €©®§¶™‰");
    // A replacement that completes another entity is replaced again.
    EXPECT_EQ(PrepareHtmlText("&amp;quot;"), "&\"");
    EXPECT_EQ(PrepareHtmlText("&amp;amp;"), "&&&"); // "&&amp;" holds "&amp;" again
    // These three wait for the piece-by-piece replacement.
    EXPECT_EQ(PrepareHtmlText("&lt;B&gt;&nbsp;"), "&lt;B&gt;&nbsp;");
    EXPECT_EQ(ReplaceLateEntities("&lt;B&gt;&nbsp;&amp"), "<B> &amp");
}

TEST(HtmlMarkup, HashTagAndLineBreaks) {
    EXPECT_EQ(PrepareHtmlText("a<#b>c>d"), "abc>d");
    EXPECT_EQ(PrepareHtmlText("<#x"), "x");
    EXPECT_EQ(PrepareHtmlText("one\r\ntwo\nthree\rfour"), "one<BR>twothree<BR>four");
}

TEST(HtmlMarkup, PrefixProcessingShowsOneAmpersandAndHidesSinglePrefixes) {
    EXPECT_EQ(VisiblePrefixText("a&&b"), "a&b");
    EXPECT_EQ(VisiblePrefixText("&File"), "File");
    EXPECT_EQ(VisiblePrefixText("end&"), "end");
}

TEST(HtmlMarkup, AttributesAreWholeNamesInAnyCase) {
    std::string_view tag = R"(FONT bgcolor="#00FF00" color="clRed" size="3")";
    EXPECT_EQ(TagAttribute(tag, "COLOR"), "clRed");
    EXPECT_EQ(TagAttribute(tag, "BGCOLOR"), "#00FF00");
    std::string_view para = R"(P bgcolorto="clBlue" bgcolor="clRed")";
    EXPECT_EQ(TagAttribute(para, "BGCOLOR"), "clRed");
    EXPECT_EQ(TagAttribute(para, "BGCOLORTO"), "clBlue");
    bool found = true;
    EXPECT_EQ(TagAttribute(para, "ALIGN", &found), "");
    EXPECT_FALSE(found);
    EXPECT_EQ(TagAttribute(R"(IMG SRC="unterminated)", "SRC", &found), "");
    EXPECT_TRUE(found);
    EXPECT_EQ(QuotedText(R"(A HREF="mailto:x@y" class="z")"), "mailto:x@y");
}

TEST(HtmlMarkup, ColoursByHexInEitherCaseAndByName) {
    EXPECT_EQ(HtmlColor("#FF8000"), tk::RGBColor(255, 128, 0));
    EXPECT_EQ(HtmlColor("#ff8000"), tk::RGBColor(255, 128, 0));
    EXPECT_EQ(HtmlColor("#abcdef"), HtmlColor("#ABCDEF"));
    EXPECT_EQ(HtmlColor("#12"), tk::clBlack);
    EXPECT_EQ(HtmlColor("#GG0000"), tk::clBlack);
    EXPECT_EQ(HtmlColor("clNavy"), 0x800000);
    EXPECT_EQ(HtmlColor("CLTEAL"), 0x808000);
    EXPECT_EQ(HtmlColor("clBtnFace"), tk::clBtnFace);
    EXPECT_EQ(HtmlColor("clinfobk"), tk::SystemColor(0x18));
    EXPECT_EQ(HtmlColor("cl3DDkShadow"), tk::SystemColor(0x15));
    EXPECT_EQ(HtmlColor("clNoSuchColour"), tk::clBlack);
}

TEST(HtmlMarkup, FontSizesOneToFiveAreSteps) {
    EXPECT_EQ(HtmlFontPoints(1), 8);
    EXPECT_EQ(HtmlFontPoints(3), 12);
    EXPECT_EQ(HtmlFontPoints(5), 16);
    EXPECT_EQ(HtmlFontPoints(7), 7);
    EXPECT_EQ(HtmlFontPoints(0), 0);
}

TEST(HtmlMarkup, TagsByTheirFirstLetters) {
    using K = HtmlTagKind;
    auto kind = [](std::string_view t) { return ClassifyTag(t).Kind; };
    EXPECT_EQ(kind("b"), K::Bold);
    EXPECT_EQ(kind("BODY bgcolor=\"x\""), K::Body);
    EXPECT_EQ(kind("br"), K::Break);
    EXPECT_EQ(kind("BLINK"), K::Blink);
    EXPECT_EQ(kind("BX"), K::Unknown);
    EXPECT_EQ(kind("IND x=\"4\""), K::Indent);
    EXPECT_EQ(kind("img src=\"a\""), K::Image);
    EXPECT_EQ(kind("I"), K::Italic);
    EXPECT_EQ(kind("S"), K::Strike);
    EXPECT_EQ(kind("SHAD"), K::Shadow);
    EXPECT_EQ(kind("sub"), K::Subscript);
    EXPECT_EQ(kind("SUP"), K::Superscript);
    EXPECT_EQ(kind("U"), K::Underline);
    EXPECT_EQ(kind("UL"), K::List);
    EXPECT_EQ(kind("HR"), K::Rule);
    EXPECT_EQ(kind("HI"), K::Highlight);
    EXPECT_EQ(kind("Q"), K::Unknown);
    EXPECT_EQ(kind(""), K::Unknown);
    EXPECT_TRUE(ClassifyTag("/ul").Closing);
    EXPECT_EQ(ClassifyTag("/ul").Kind, K::List);
}

TEST(HtmlMarkup, PictureSources) {
    using K = PictureSource::Kind;
    PictureSource idx = ClassifyPictureSource("idx:3");
    EXPECT_EQ(idx.SourceKind, K::ImageIndex);
    EXPECT_EQ(idx.Index, 3);
    EXPECT_EQ(ClassifyPictureSource("IDX:x").SourceKind, K::None);
    EXPECT_EQ(ClassifyPictureSource("IDX:-1").SourceKind, K::None);
    PictureSource small = ClassifyPictureSource("SSYS:c:\\windows");
    EXPECT_EQ(small.SourceKind, K::SmallSystemIcon);
    EXPECT_EQ(small.Name, "c:\\windows");
    EXPECT_EQ(ClassifyPictureSource("lsys:x.txt").SourceKind, K::LargeSystemIcon);
    EXPECT_EQ(ClassifyPictureSource("logo").SourceKind, K::Container);
    PictureSource res = ClassifyPictureSource("res://LOGO");
    EXPECT_EQ(res.SourceKind, K::Resource);
    EXPECT_EQ(res.Name, "LOGO");
    PictureSource file = ClassifyPictureSource("FILE://c:\\a b.bmp");
    EXPECT_EQ(file.SourceKind, K::File);
    EXPECT_EQ(file.Name, "c:\\a b.bmp");
    EXPECT_EQ(ClassifyPictureSource("http://x/y.gif").SourceKind, K::None);
    EXPECT_EQ(ClassifyPictureSource("").SourceKind, K::None);
}

TEST(HtmlMarkup, ErrorZigzagStepsTwoPixels) {
    std::vector<tk::TPoint> z = ErrorZigzag(10, 16, 30);
    ASSERT_EQ(z.size(), 4u);
    EXPECT_EQ(z[0], (tk::TPoint{10, 29}));
    EXPECT_EQ(z[1], (tk::TPoint{12, 27}));
    EXPECT_EQ(z[2], (tk::TPoint{14, 29}));
    EXPECT_EQ(z[3], (tk::TPoint{16, 27}));
    EXPECT_TRUE(ErrorZigzag(5, 5, 0).empty());
}
