// The mini-markup renderer on real GDI: pixels of a few markup samples drawn into a 32-bit DIB,
// and pictures from files, resources, image lists, a container and the shell.
#include "AdvPanel/markup/html_pictures.h"
#include "AdvPanel/markup/html_render.h"
#include "support/image_files.h"
#include "support/win_test_support.h"
#include "toolkit/graphics/image_list.h"

#include <gtest/gtest.h>

using advpanel::HtmlRenderParams;
using advpanel::HtmlRenderResult;
using advpanel::RenderHtmlText;
using wintest::BmpFile;
using wintest::DibCanvas;
using wintest::IcoFile;
using wintest::TempPath;
using wintest::WriteFile;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);

void UseTahoma(DibCanvas& dib) {
    dib.Canvas().Font.SetName("Tahoma");
    dib.Canvas().Font.SetHeight(-13);
    dib.Canvas().Font.SetColor(tk::clBlack);
}

HtmlRenderParams Params(const std::string& text, const DibCanvas& dib) {
    HtmlRenderParams p;
    p.Text = text;
    p.Rect = {0, 0, dib.Width(), dib.Height()};
    return p;
}

HtmlRenderResult Render(DibCanvas& dib, const HtmlRenderParams& p) {
    HtmlRenderResult result;
    RenderHtmlText(dib.Canvas(), p, result);
    return result;
}

// The area of anchor `number` (counted from 1), found by hit-testing without drawing.
tk::TRect AnchorRect(DibCanvas& dib, HtmlRenderParams p, int number) {
    p.MeasureOnly = true;
    for (int x = 0; x < dib.Width(); ++x) {
        p.Mouse = {x, 6};
        HtmlRenderResult r;
        if (RenderHtmlText(dib.Canvas(), p, r) && r.MouseAnchor == number) return r.MouseAnchorRect;
    }
    ADD_FAILURE() << "anchor " << number << " not found";
    return {};
}

// The longest run of `color` on any row of `rect`.
int LongestRun(const DibCanvas& dib, const tk::TRect& rect, COLORREF color) {
    int best = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        int run = 0;
        for (int x = rect.Left; x < rect.Right; ++x) {
            run = dib.At(x, y) == color ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

} // namespace

TEST(HtmlRender, LinksTakeTheLinkColourAndAreUnderlined) {
    DibCanvas dib(200, 30);
    UseTahoma(dib);
    HtmlRenderParams p = Params(R"(<A HREF="x">linked text</A>)", dib);
    p.URLColor = tk::RGBColor(0, 0, 255);
    tk::TRect link = AnchorRect(dib, p, 1);
    ASSERT_GT(link.Width(), 20);
    Render(dib, p);
    EXPECT_GT(dib.Count(link, kBlue), 20);
    EXPECT_EQ(dib.Count({0, 0, 200, 30}, RGB(0, 0, 0)), 0);
    EXPECT_GE(LongestRun(dib, link, kBlue), link.Width() - 2); // the underline

    DibCanvas plain(200, 30);
    UseTahoma(plain);
    Render(plain, Params("linked text", plain));
    EXPECT_EQ(plain.Count({0, 0, 200, 30}, kBlue), 0);
    EXPECT_LT(LongestRun(plain, link, RGB(0, 0, 0)), link.Width() - 2);
}

TEST(HtmlRender, TheHotAnchorTakesTheHoverColours) {
    DibCanvas dib(200, 30);
    UseTahoma(dib);
    HtmlRenderParams p = Params(R"(<A HREF="a">first</A> <A HREF="b">second</A>)", dib);
    p.Hover = true;
    p.HotAnchor = 2;
    p.HoverColor = tk::RGBColor(255, 255, 0);
    p.HoverFontColor = tk::RGBColor(0, 128, 0);
    tk::TRect first = AnchorRect(dib, p, 1), second = AnchorRect(dib, p, 2);
    Render(dib, p);
    EXPECT_EQ(dib.At(second.Left, second.Top), RGB(255, 255, 0));
    EXPECT_GT(dib.Count(second, RGB(0, 128, 0)), 20);
    EXPECT_GE(LongestRun(dib, second, RGB(0, 128, 0)), second.Width() - 2);
    EXPECT_EQ(dib.Count(first, RGB(255, 255, 0)), 0);
    EXPECT_GT(dib.Count(first, kBlue), 10);
    EXPECT_LT(LongestRun(dib, first, kBlue), first.Width() - 2); // only the hot one underlined
}

TEST(HtmlRender, ParagraphBandGradient) {
    DibCanvas dib(128, 30, RGB(0, 0, 255));
    UseTahoma(dib);
    // Lower-case hexadecimal digits count as upper-case ones.
    Render(dib, Params(R"(<P BGCOLOR="#000000" BGCOLORTO="#ffffff">&nbsp;</P>)", dib));
    EXPECT_LT(GetRValue(dib.At(0, 2)), 8);
    EXPECT_GT(GetRValue(dib.At(127, 2)), 240);
    for (int x = 1; x < 128; ++x) {
        ASSERT_GE(GetRValue(dib.At(x, 2)), GetRValue(dib.At(x - 1, 2))) << x;
        ASSERT_EQ(GetRValue(dib.At(x, 2)), GetBValue(dib.At(x, 2))) << x; // grey, not blue
    }
    EXPECT_EQ(dib.At(5, 25), RGB(0, 0, 255)); // below the line's band
}

TEST(HtmlRender, ErrorMarkingDrawsARedZigzag) {
    DibCanvas dib(100, 20);
    UseTahoma(dib);
    HtmlRenderResult r = Render(dib, Params("<E>wrnog</E>", dib));
    EXPECT_GT(dib.Count({0, r.Height - 4, 100, r.Height}, kRed), 10);
    DibCanvas plain(100, 20);
    UseTahoma(plain);
    Render(plain, Params("wrnog", plain));
    EXPECT_EQ(plain.Count({0, 0, 100, 20}, kRed), 0);
}

TEST(HtmlRender, EmptyTextDrawsNothingAndMeasuresOneLine) {
    DibCanvas dib(50, 20);
    UseTahoma(dib);
    dib.Canvas().BrushColor = tk::clRed;
    HtmlRenderResult r = Render(dib, Params("", dib));
    EXPECT_EQ(r.Height, dib.Canvas().TextExtent("gh").Y);
    EXPECT_EQ(dib.Count({0, 0, 50, 20}, kWhite), 50 * 20);
    EXPECT_EQ(dib.Canvas().BrushColor, tk::clRed); // kept for the caller
}

TEST(HtmlRender, UnicodeTextIsMeasuredAsTheSystemMeasuresItsCharacters) {
    DibCanvas dib(200, 20);
    UseTahoma(dib);
    const std::wstring wide = L"kenyér \x2713 \x6F22\x5B57 \x20AC";
    HtmlRenderParams p = Params("kenyér ✓ 漢字 &euro;", dib);
    p.WordWrap = false; // one piece, measured at once
    const HtmlRenderResult r = Render(dib, p);
    SIZE expected{};
    {
        tk::SelectedObject font(dib.Canvas().Handle(), dib.Canvas().Font.Handle());
        GetTextExtentPoint32W(dib.Canvas().Handle(), wide.c_str(), static_cast<int>(wide.size()),
                              &expected);
    }
    EXPECT_EQ(r.Width, expected.cx);
}

TEST(HtmlRender, BlinkingTextTakesTheBrushColourWhileThePhaseIsOff) {
    DibCanvas dib(100, 20);
    UseTahoma(dib);
    dib.Canvas().BrushColor = tk::RGBColor(0, 200, 0);
    HtmlRenderParams p = Params("<BLINK>blinking</BLINK>", dib);
    p.BlinkPhase = false;
    Render(dib, p);
    EXPECT_GT(dib.Count({0, 0, 100, 20}, kGreen), 10);
    EXPECT_EQ(dib.Count({0, 0, 100, 20}, RGB(0, 0, 0)), 0);
}

TEST(HtmlRender, PicturesFromFilesAreCachedUnderTheirSource) {
    std::string bmp = TempPath("pinlet_html_green.bmp");
    std::string ico = TempPath("pinlet_html_red.ico");
    WriteFile(bmp, BmpFile(40, 30, kGreen));
    WriteFile(ico, IcoFile(16, kRed));
    advpanel::THTMLPictureCache cache;
    DibCanvas dib(100, 40);
    UseTahoma(dib);
    HtmlRenderParams p =
        Params("<IMG SRC=\"FILE://" + bmp + "\"><IMG SRC=\"file://" + ico + "\">", dib);
    p.PictureCache = &cache;
    HtmlRenderResult r = Render(dib, p);
    EXPECT_EQ(r.Width, 56);
    EXPECT_EQ(r.Height, 30);
    EXPECT_EQ(dib.At(1, 0), kGreen);
    EXPECT_EQ(dib.At(40, 29), kGreen);
    EXPECT_EQ(dib.At(41, 29), kRed);
    EXPECT_EQ(dib.At(56, 14), kRed);
    EXPECT_EQ(dib.At(41, 13), kWhite); // the icon sits on the line's bottom
    EXPECT_EQ(cache.Count(), 2);

    DeleteFileA(bmp.c_str());
    DeleteFileA(ico.c_str());
    EXPECT_EQ(Render(dib, p).Width, 56); // from the cache
    p.PictureCache = nullptr;
    EXPECT_EQ(Render(dib, p).Width, 0); // nothing to load any more takes no room
}

TEST(HtmlRender, PrintingScalesPictures) {
    std::string bmp = TempPath("pinlet_html_print.bmp");
    WriteFile(bmp, BmpFile(20, 10, kGreen));
    DibCanvas dib(100, 50);
    UseTahoma(dib);
    HtmlRenderParams p = Params("<IMG SRC=\"FILE://" + bmp + "\">", dib);
    p.Print = true;
    p.Scale = 2.0;
    HtmlRenderResult r = Render(dib, p);
    DeleteFileA(bmp.c_str());
    EXPECT_EQ(r.Width, 20); // the layout keeps the picture's own size
    int top = r.Height - 10;
    EXPECT_EQ(dib.At(40, top + 19), kGreen);
    EXPECT_EQ(dib.At(41, top), kWhite);
    EXPECT_EQ(dib.At(40, top + 20), kWhite);
}

TEST(HtmlRender, DamagedOrMissingPictureFilesDrawNothing) {
    std::string bad = TempPath("pinlet_html_bad.bmp");
    WriteFile(bad, BmpFile(4, 4, kGreen, 2)); // pixels said to start inside the header
    std::string text = "a<IMG SRC=\"FILE://" + bad + "\"><IMG SRC=\"FILE://c:\\no\\such.bmp\">" +
                       "<IMG SRC=\"http://example/x.bmp\"><IMG SRC=\"RES://NO_SUCH\">";
    DibCanvas dib(100, 40);
    UseTahoma(dib);
    HtmlRenderResult r = Render(dib, Params(text, dib));
    EXPECT_EQ(r.Width, dib.Canvas().TextExtent("a").X);
    DeleteFileA(bad.c_str());
}

TEST(HtmlRender, PicturesFromResourcesListsAndContainers) {
    std::string bmp = TempPath("pinlet_html_list.bmp");
    WriteFile(bmp, BmpFile(40, 30, kGreen));
    tk::TPicture green;
    ASSERT_TRUE(green.LoadFromFile(bmp));
    DeleteFileA(bmp.c_str());

    tk::TImageList images(nullptr, 10, 12);
    images.Add(std::move(green));
    DibCanvas dib(200, 40);
    UseTahoma(dib);
    HtmlRenderParams p = Params(R"(<IMG SRC="IDX:0"><IMG SRC="IDX:1">)", dib);
    p.Images = &images;
    HtmlRenderResult r = Render(dib, p);
    EXPECT_EQ(r.Width, 10); // the list's size; an index past the list takes no room
    EXPECT_EQ(dib.At(10, r.Height - 1), kGreen);
    EXPECT_EQ(dib.At(11, r.Height - 1), kWhite);

    advpanel::TPictureContainer container(nullptr);
    container.Add("Logo", tk::TPicture());
    ASSERT_TRUE(container.Find("logo"));
    tk::TPicture icon;
    icon.AssignIcon(tk::IconHandle(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))));
    container.Add("logo", std::move(icon)); // replaces the empty one
    p = Params(R"(<IMG SRC="LOGO"><IMG SRC="other">)", dib);
    p.PictureContainer = &container;
    EXPECT_EQ(Render(dib, p).Width, GetSystemMetrics(SM_CXICON));

    tk::TPicture resourceBitmap, resourceIcon;
    ASSERT_TRUE(resourceBitmap.LoadFromResource(GetModuleHandleA(nullptr), "BTN_OK_ACTIVE"));
    ASSERT_TRUE(resourceIcon.LoadFromResource(GetModuleHandleA(nullptr), "MAINICON"));
    advpanel::THTMLPictureCache cache;
    p = Params(R"(<IMG SRC="RES://BTN_OK_ACTIVE"><IMG SRC="RES://MAINICON">)", dib);
    p.PictureCache = &cache;
    EXPECT_EQ(Render(dib, p).Width, resourceBitmap.Width() + resourceIcon.Width());
    EXPECT_GT(resourceIcon.Width(), 0);
}

TEST(HtmlRender, SystemIconsOfFilesAndFolders) {
    DibCanvas dib(200, 60);
    UseTahoma(dib);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    HtmlRenderParams p = Params(std::string("<IMG SRC=\"SSYS:") + windows + "\">", dib);
    EXPECT_EQ(Render(dib, p).Width, GetSystemMetrics(SM_CXSMICON));
    p.Text = "<IMG SRC=\"LSYS:c:\\no such folder\\notes.txt\">"; // looked up by its type
    EXPECT_EQ(Render(dib, p).Width, GetSystemMetrics(SM_CXICON));
}

TEST(HtmlRender, TheAltPictureShowsWhileTheMouseIsOverAnImageInAnAnchor) {
    std::string green = TempPath("pinlet_html_alt_green.bmp");
    std::string red = TempPath("pinlet_html_alt_red.bmp");
    WriteFile(green, BmpFile(20, 20, kGreen));
    WriteFile(red, BmpFile(20, 20, kRed));
    advpanel::THTMLPictureCache cache;
    DibCanvas dib(100, 30);
    UseTahoma(dib);
    HtmlRenderParams p = Params(
        "<A HREF=\"go\"><IMG SRC=\"FILE://" + green + "\" ALT=\"FILE://" + red + "\"></A>", dib);
    p.PictureCache = &cache;
    p.Mouse = {10, 10};
    HtmlRenderResult over;
    EXPECT_TRUE(RenderHtmlText(dib.Canvas(), p, over));
    EXPECT_EQ(over.AnchorUnderMouse, "go");
    EXPECT_EQ(over.MouseAnchor, 1);
    EXPECT_EQ(over.MouseAnchorRect, (tk::TRect{1, 0, 21, 20}));
    EXPECT_EQ(dib.At(10, 10), kRed);
    p.Mouse = {50, 10};
    HtmlRenderResult away;
    EXPECT_FALSE(RenderHtmlText(dib.Canvas(), p, away));
    EXPECT_EQ(away.MouseAnchor, -1);
    EXPECT_EQ(dib.At(10, 10), kGreen);
    DeleteFileA(green.c_str());
    DeleteFileA(red.c_str());
}
