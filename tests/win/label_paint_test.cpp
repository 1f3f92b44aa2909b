// The label's text placement: a single line is placed by the system in the call that draws it,
// a wrapped or multi-line caption from its measured block; both must put the same line in the
// same place.
#include "support/win_test_support.h"
#include "toolkit/graphics/private_fonts.h"
#include "toolkit/controls/stdctrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using tk::TTextLayout;
using wintest::AppFixture;
using wintest::DibCanvas;

constexpr int kSize = 48;

// Paints a kSize-square label with `caption` in a 19-pixel font onto a white surface.
void PaintLabel(DibCanvas& dib, const std::string& caption, TTextLayout layout, bool wordWrap,
                bool enabled = true) {
    tk::TLabel label(nullptr);
    label.SetBounds(0, 0, kSize, kSize);
    label.SetCaption(caption);
    label.Font().SetHeight(-19);
    label.Alignment = tk::TAlignment::taCenter;
    label.Layout = layout;
    label.Transparent = true;
    label.WordWrap = wordWrap;
    label.SetEnabled(enabled);
    label.Paint(dib.Canvas());
}

// The first and last rows holding anything but white.
std::pair<int, int> InkRows(const DibCanvas& dib) {
    int first = -1, last = -1;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            if (dib.At(x, y) != RGB(255, 255, 255)) {
                if (first < 0) first = y;
                last = y;
            }
    return {first, last};
}

TEST(LabelPaint, OneLineSitsWhereItsMeasuredBlockWouldForEveryLayout) {
    AppFixture fixture;
    for (TTextLayout layout : {TTextLayout::tlTop, TTextLayout::tlCenter, TTextLayout::tlBottom})
        for (bool enabled : {true, false}) {
            DibCanvas single(kSize, kSize), wrapped(kSize, kSize);
            PaintLabel(single, "Ag", layout, false, enabled);
            PaintLabel(wrapped, "Ag", layout, true, enabled); // fits: still one line
            const auto rows = InkRows(single);
            ASSERT_GE(rows.first, 0);
            EXPECT_EQ(rows, InkRows(wrapped)) << static_cast<int>(layout) << enabled;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x)
                    ASSERT_EQ(single.At(x, y), wrapped.At(x, y)) << x << "," << y;
        }
    DibCanvas top(kSize, kSize), centre(kSize, kSize), bottom(kSize, kSize);
    PaintLabel(top, "Ag", TTextLayout::tlTop, false);
    PaintLabel(centre, "Ag", TTextLayout::tlCenter, false);
    PaintLabel(bottom, "Ag", TTextLayout::tlBottom, false);
    EXPECT_LT(InkRows(top).first, InkRows(centre).first);
    EXPECT_LT(InkRows(centre).first, InkRows(bottom).first);
    EXPECT_GE(InkRows(bottom).second, kSize - 8); // the line's foot near the bottom edge
}

TEST(LabelPaint, TwoLinesAreCentredAsOneBlock) {
    AppFixture fixture;
    DibCanvas one(kSize, kSize), two(kSize, kSize);
    PaintLabel(one, "A", TTextLayout::tlCenter, false);
    PaintLabel(two, "A\nA", TTextLayout::tlCenter, false);
    const auto single = InkRows(one), both = InkRows(two);
    // The pair spans about twice the single line, around the same middle.
    EXPECT_LT(both.first, single.first);
    EXPECT_GT(both.second, single.second);
    EXPECT_NEAR((both.first + both.second) / 2.0, (single.first + single.second) / 2.0, 2.0);
}

// Whether the system's font draws a character itself: a face that is missing (and replaced) or
// lacks the glyph does not; the note's own font does once it is registered.
TEST(GlyphFallback, TheSystemsChoiceOfFontIsCheckedForTheFaceAndTheGlyph) {
    AppFixture fixture;
    auto font = [](const char* name, int charset) {
        auto f = std::make_unique<tk::TFont>();
        f->SetName(name);
        f->SetCharset(charset);
        f->SetHeight(-19);
        return f;
    };
    EXPECT_FALSE(tk::DrawsCharacter(*font("No Such Symbols", SYMBOL_CHARSET), 'X'));
    EXPECT_TRUE(tk::DrawsCharacter(*font("Tahoma", DEFAULT_CHARSET), 'x'));
    ASSERT_TRUE(tk::UsePrivateFont(GetModuleHandleA(nullptr), "NOTE_GLYPHS"));
    for (char c : {'X', '0', '='})
        EXPECT_TRUE(tk::DrawsCharacter(*font("Pinlet Glyphs", SYMBOL_CHARSET), c)) << c;
    EXPECT_FALSE(tk::DrawsCharacter(*font("Pinlet Glyphs", SYMBOL_CHARSET), 'a')); // no glyph
}

// The ink of a label's caption, drawn alone on white in the label's size and font.
std::vector<bool> Ink(const tk::TLabel& glyph, const tk::TFont& font) {
    DibCanvas dib(glyph.Width(), glyph.Height());
    tk::TLabel label(nullptr);
    label.SetBounds(0, 0, glyph.Width(), glyph.Height());
    label.SetCaption(glyph.Caption());
    label.Font().Assign(font);
    label.Alignment = glyph.Alignment;
    label.Layout = glyph.Layout;
    label.Transparent = true;
    label.Paint(dib.Canvas());
    std::vector<bool> ink;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            ink.push_back(dib.At(x, y) != RGB(255, 255, 255));
    return ink;
}

int Differing(const std::vector<bool>& a, const std::vector<bool>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        count += a[i] != b[i];
    return count;
}

// On this system the symbol fonts lack the glyphs: the pin, open and save labels draw the note's
// own symbols, each its own and none the shape the missing glyph would have left.
TEST(GlyphFallback, ThePinOpenAndSaveGlyphsAreThreeDifferentSymbols) {
    AppFixture fixture;
    note::TForm1* note = fixture.CreateNote();
    const tk::TLabel* glyphs[] = {note->Label2, note->Label4, note->Label3};
    std::vector<bool> inks[3];
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(glyphs[i]->Caption());
        inks[i] = Ink(*glyphs[i], glyphs[i]->Font());
        int pixels = 0;
        for (bool b : inks[i])
            pixels += b;
        EXPECT_GT(pixels, 30); // a symbol, not a speck
        // What the layout's own font draws for the character here.
        tk::TFont asked;
        asked.Assign(glyphs[i]->Font());
        asked.SetName(i == 0 ? "Wingdings 3" : "Wingdings");
        EXPECT_GT(Differing(inks[i], Ink(*glyphs[i], asked)), 30);
    }
    EXPECT_GT(Differing(inks[0], inks[1]), 30);
    EXPECT_GT(Differing(inks[1], inks[2]), 30);
    EXPECT_GT(Differing(inks[0], inks[2]), 30);
    EXPECT_EQ(note->Label1->Font().Name(), "Verdana"); // the close glyph is a letter: as it was
}

// The pin's own symbol takes the label's colour: red exactly while pinned.
TEST(GlyphFallback, ThePinSymbolIsRedExactlyWhilePinned) {
    AppFixture fixture;
    note::TForm1* note = fixture.CreateNote();
    auto redPixels = [&] {
        DibCanvas dib(note->Label2->Width(), note->Label2->Height());
        tk::TLabel label(nullptr);
        label.SetBounds(0, 0, note->Label2->Width(), note->Label2->Height());
        label.SetCaption(note->Label2->Caption());
        label.Font().Assign(note->Label2->Font());
        label.Transparent = true;
        label.Paint(dib.Canvas());
        return dib.Count({0, 0, dib.Width(), dib.Height()}, RGB(255, 0, 0));
    };
    EXPECT_EQ(redPixels(), 0);
    note->Label2Click(note);
    EXPECT_GT(redPixels(), 30);
    note->Label2Click(note);
    EXPECT_EQ(redPixels(), 0);
}

} // namespace
