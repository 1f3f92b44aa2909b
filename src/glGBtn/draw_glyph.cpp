#include "draw_glyph.h"

#include "toolkit/base/exceptions.h"

#include <cstddef>

namespace glgbtn {
namespace {

// Destination where the source is 0, brush where it is 1: (D xor P) and S xor D.
constexpr DWORD kBrushWhereSourceSet = 0x00E20746;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

tk::BitmapHandle MaskBitmap(int width, int height) {
    tk::BitmapHandle bitmap(CreateBitmap(width, height, 1, 1, nullptr));
    if (!bitmap) throw tk::EOutOfResources("Out of system resources");
    return bitmap;
}

// Copies a colour bitmap into a monochrome one: pixels of `selected` colour become set (1).
void MakeMask(HDC maskDC, HDC colorDC, int width, int height, COLORREF selected) {
    SetBkColor(colorDC, selected);
    BitBlt(maskDC, 0, 0, width, height, colorDC, 0, 0, SRCCOPY);
}

// Monochrome sources then read as all ones where set and all zeros elsewhere.
void MonoAsBlackAndWhite(HDC dc) {
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
}

void PaintMaskIn(HDC dc, int x, int y, int width, int height, HDC maskDC, tk::TColor color) {
    tk::BrushHandle brush(CreateSolidBrush(tk::ColorToRGB(color)));
    tk::SelectedObject selected(dc, brush.Get());
    BitBlt(dc, x, y, width, height, maskDC, 0, 0, kBrushWhereSourceSet);
}

// The etched look: the glyph's black shape in highlight one pixel right and down, then in
// shadow at its place, on the button face.
void EtchGlyph(HDC workDC, const tk::TBitmap& glyph) {
    const int w = glyph.Width(), h = glyph.Height();
    tk::BitmapHandle mask = MaskBitmap(w, h);
    tk::MemoryDC maskDC(workDC);
    tk::SelectedObject selectedMask(maskDC.Get(), mask.Get());
    {
        tk::MemoryDC glyphDC(workDC);
        tk::SelectedObject selectedGlyph(glyphDC.Get(), glyph.Handle());
        MakeMask(maskDC.Get(), glyphDC.Get(), w, h, kBlack);
    }
    RECT all{0, 0, w, h};
    tk::BrushHandle face(CreateSolidBrush(tk::ColorToRGB(tk::clBtnFace)));
    FillRect(workDC, &all, face.Get());
    MonoAsBlackAndWhite(workDC);
    PaintMaskIn(workDC, 1, 1, w, h, maskDC.Get(), tk::clBtnHighlight);
    PaintMaskIn(workDC, 0, 0, w, h, maskDC.Get(), tk::clBtnShadow);
}

// Puts the work bitmap on the surface except where it has the key colour, through masks so
// that the background is read once and written once.
void DrawThroughMask(HDC dc, int x, int y, HDC workDC, int w, int h, COLORREF key) {
    tk::BitmapHandle mask = MaskBitmap(w, h);
    tk::MemoryDC maskDC(dc);
    tk::SelectedObject selectedMask(maskDC.Get(), mask.Get());
    MakeMask(maskDC.Get(), workDC, w, h, key);

    // Work bitmaps are 32-bit sections, so every colour, the key colour included, stays exact.
    tk::TBitmap back;
    back.SetSize(w, h);
    tk::MemoryDC backDC(dc);
    tk::SelectedObject selectedBack(backDC.Get(), back.Handle());
    BitBlt(backDC.Get(), 0, 0, w, h, dc, x, y, SRCCOPY);
    MonoAsBlackAndWhite(backDC.Get());
    BitBlt(backDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, SRCAND); // background where key
    BitBlt(maskDC.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, NOTSRCCOPY);
    MonoAsBlackAndWhite(workDC);
    BitBlt(workDC, 0, 0, w, h, maskDC.Get(), 0, 0, SRCAND); // glyph, black where key
    BitBlt(backDC.Get(), 0, 0, w, h, workDC, 0, 0, SRCPAINT);
    BitBlt(dc, x, y, w, h, backDC.Get(), 0, 0, SRCCOPY);
}

} // namespace

COLORREF GlyphKeyColor(const tk::TBitmap& glyph) {
    if (glyph.Empty()) return 0;
    tk::MemoryDC dc(nullptr);
    tk::SelectedObject selected(dc.Get(), glyph.Handle());
    return GetPixel(dc.Get(), 0, glyph.Height() - 1);
}

TGlyphPixels ReadGlyphPixels(const tk::TBitmap& glyph) {
    TGlyphPixels pixels;
    if (glyph.Empty()) return pixels;
    BITMAPINFO info = tk::Dib32Info(glyph.Width(), glyph.Height());
    std::vector<std::uint32_t> bgra(static_cast<std::size_t>(glyph.Width()) *
                                    static_cast<std::size_t>(glyph.Height()));
    {
        tk::WindowDC screen(nullptr);
        if (GetDIBits(screen.Get(), glyph.Handle(), 0, static_cast<UINT>(glyph.Height()),
                      bgra.data(), &info, DIB_RGB_COLORS) == 0)
            return pixels; // unreadable: no pixel counts as the picture
    }
    pixels.Width = glyph.Width();
    pixels.Height = glyph.Height();
    pixels.Colors.reserve(bgra.size());
    for (std::uint32_t v : bgra) pixels.Colors.push_back(tk::ColorFromBgra(v));
    pixels.Key = GlyphKeyColor(glyph);
    return pixels;
}

void DrawGlyph(HDC dc, const tk::TBitmap& glyph, int x, int y, COLORREF key, bool transparent,
               TGlyphDrawStyle style) {
    if (glyph.Empty()) return;
    const int w = glyph.Width(), h = glyph.Height();
    tk::TBitmap work;
    work.SetSize(w, h);
    tk::MemoryDC workDC(dc);
    tk::SelectedObject selectedWork(workDC.Get(), work.Handle());
    if (style == TGlyphDrawStyle::Normal) {
        tk::MemoryDC glyphDC(dc);
        tk::SelectedObject selectedGlyph(glyphDC.Get(), glyph.Handle());
        BitBlt(workDC.Get(), 0, 0, w, h, glyphDC.Get(), 0, 0, SRCCOPY);
    } else {
        EtchGlyph(workDC.Get(), glyph);
        key = tk::ColorToRGB(tk::clBtnFace);
    }
    if (transparent)
        DrawThroughMask(dc, x, y, workDC.Get(), w, h, key);
    else
        BitBlt(dc, x, y, w, h, workDC.Get(), 0, 0, SRCCOPY);
}

} // namespace glgbtn
