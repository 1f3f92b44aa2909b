// Benchmark: what the glyph fallback adds to start-up, in a fresh process as at start-up: asking
// the system, for each of the three glyph labels, whether its symbol font draws the character,
// and making the note's own symbol font usable. Before it, the note has already measured its
// layout font on the screen (which sets up the system's fonts, about 25 ms under Wine, paid with
// or without the fallback); this does the same first. Prints "fallback <ms>".
#include "bench_files.h"
#include "toolkit/forms/forms.h"
#include "toolkit/graphics/private_fonts.h"

#include <windows.h>

#include <cstdio>

int main() {
    tk::TFont layoutFont;
    layoutFont.SetName("MS Sans Serif");
    tk::TCustomForm::MeasureTextHeight(layoutFont);

    const double start = bench::Now();
    const struct {
        const char* face;
        char character;
    } glyphs[] = {{"Wingdings 3", 'X'}, {"Wingdings", '0'}, {"Wingdings", '='}};
    int own = 0;
    for (const auto& glyph : glyphs) {
        tk::TFont font;
        font.SetName(glyph.face);
        font.SetCharset(SYMBOL_CHARSET);
        font.SetHeight(-19);
        if (tk::DrawsCharacter(font, glyph.character)) continue;
        own += tk::UsePrivateFont(GetModuleHandleA(nullptr), "NOTE_GLYPHS");
    }
    std::printf("fallback %.2f (%d of 3 glyphs drawn from the note's own font)\n",
                bench::Now() - start, own);
    return 0;
}
