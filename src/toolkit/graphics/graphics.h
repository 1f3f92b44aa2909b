#pragma once
// Fonts, bitmaps and the drawing surface over GDI.
#include "toolkit/base/colors.h"
#include "toolkit/components/component.h"
#include "toolkit/base/geometry.h"
#include "toolkit/base/win_handles.h"

#include <functional>
#include <string>
#include <vector>

namespace tk {

// The colour GDI draws for a stored colour: system colours are resolved now.
COLORREF ColorToRGB(TColor color);

// The header of a 32-bit device-independent bitmap whose rows run from the top.
BITMAPINFO Dib32Info(int width, int height);
// A 32-bit top-down DIB section; `bits` receives its pixels (one BGRA value each). Throws
// EOutOfResources when the system cannot make it.
BitmapHandle CreateDib32(int width, int height, void** bits);
// The colour of one such pixel.
inline COLORREF ColorFromBgra(unsigned bgra) {
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

// The screen's resolution, taken once by the application; fonts convert points with it.
int ScreenPixelsPerInch();

class TFont : public TPersistent {
public:
    TFont();
    const char* ClassName() const override { return "TFont"; }

    const std::string& Name() const { return name_; }
    int Height() const { return height_; }
    int Size() const;
    int Charset() const { return charset_; }
    TColor Color() const { return color_; }
    TFontStyles Style() const { return style_; }

    void SetName(const std::string& name);
    void SetHeight(int height);
    void SetSize(int size);
    void SetCharset(int charset);
    void SetColor(TColor color);
    void SetStyle(TFontStyles style);
    void Assign(const TFont& source);
    // Takes a whole system font description (the message-box font, say): its weight, width,
    // quality and pitch are kept for the handle along with the properties above.
    void AssignLogFont(const LOGFONTW& logFont);
    // Escapement and orientation in tenths of a degree, as in the logical-font record.
    void SetRotation(int escapement, int orientation);

    // The GDI font for the current description, made on first use after a change.
    HFONT Handle() const;

    std::function<void()> OnChange;

protected:
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;

private:
    void Changed();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    int charset_ = DEFAULT_CHARSET;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    LOGFONTW base_{}; // the fields the properties above do not cover
    mutable FontHandle handle_;
};

// A bitmap kept as a device-independent section, so its pixels keep their stored depth.
class TBitmap : public TPersistent {
public:
    const char* ClassName() const override { return "TBitmap"; }

    bool Empty() const { return width_ == 0 || height_ == 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    // The system's bitmap. A loaded file image becomes one when first asked for, so that a
    // picture a layout loads but never shows costs no system bitmap; that may throw
    // EOutOfResources.
    HBITMAP Handle() const;

    // Loads a complete bitmap file image (file header included). Throws EInvalidOperation.
    void LoadFromFileData(const std::string& data);
    // Makes a 32-bit bitmap of the given size filled with black.
    void SetSize(int width, int height);
    // Makes a 32-bit bitmap of the given size from row-major plain RGB colours (TColor layout);
    // an empty size clears the bitmap.
    void SetPixels(int width, int height, const TColor* pixels);
    void Assign(const TBitmap& source);
    void Clear();

    std::function<void()> OnChange;

protected:
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    // A new black 32-bit section of the given size, without telling anyone yet; returns its
    // pixels.
    unsigned* MakeSection(int width, int height);
    static BitmapHandle SectionFromFileData(const std::string& data);

    mutable BitmapHandle handle_;
    std::string fileData_; // the loaded file image, kept for copies
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
};

enum class TBrushStyle { bsSolid, bsClear };

struct ColoredRect {
    TRect Rect;
    TColor Color;
};

// Limits drawing on a device context to a region, given in logical coordinates, for as long as it
// lives; within a clip already set it limits to both. The context's previous clip returns after.
class ClipRegion {
public:
    ClipRegion(HDC dc, RegionHandle region);
    ClipRegion(HDC dc, const TRect& r);
    ~ClipRegion();
    ClipRegion(const ClipRegion&) = delete;
    ClipRegion& operator=(const ClipRegion&) = delete;

private:
    HDC dc_;
    RegionHandle region_;
    RegionHandle previous_; // empty when there was no clip
};

// A drawing surface over a device context that it does not own. Drawing objects are made from
// the surface's current settings and deselected after each operation.
class TCanvas {
public:
    explicit TCanvas(HDC dc);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }

    TFont Font;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = TBrushStyle::bsSolid;
    TColor PenColor = clBlack;
    int PenWidth = 1;

    void FillRect(const TRect& r);
    void Rectangle(const TRect& r); // outline with the pen, inside with the brush
    // Fills each non-empty rectangle in its colour, in order, with the pixels of the rectangle
    // primitive drawn with a one-pixel pen and a brush of that colour.
    void FillColoredRects(const std::vector<ColoredRect>& rects);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint TextExtent(const std::string& text);
    void TextOutAt(int x, int y, const std::string& text);
    // DrawTextW with the surface's font and colour, transparent background; returns its height.
    int DrawTextIn(const std::string& text, TRect& r, UINT format);
    void Draw(int x, int y, const TBitmap& bitmap);
    // Draws the bitmap's `source` part stretched over `dest`.
    void StretchDrawPart(const TRect& dest, const TBitmap& bitmap, const TRect& source);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    // Draws the bitmap leaving out the pixels in the colour of its bottom-left pixel.
    void DrawTransparent(int x, int y, const TBitmap& bitmap);
    void Polygon(const TPoint* points, int count); // outline with the pen, inside with the brush
    void RoundRect(const TRect& r, int cornerWidth, int cornerHeight);

private:
    HDC dc_;
    TPoint penPos_;
};

} // namespace tk
