#pragma once
// The caption strip's shade textures, rendered into a plain pixel buffer without any drawing
// layer; the panel copies the buffer into its ShadeBitmap.
#include "AdvPanel/model/panel_size_rules.h"
#include "AdvPanel/model/panel_types.h"
#include "toolkit/base/colors.h"

#include <cstdint>
#include <vector>

namespace advpanel {

// The run-time's linear congruential generator. The panel re-seeds it before every rebuild so
// that the noise and metal textures differ; tests fix the seed to get known draws.
class ShadeRandom {
public:
    explicit ShadeRandom(std::uint32_t seed = 0) : seed_(seed) {}
    void Seed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t CurrentSeed() const { return seed_; }
    // Steps the seed, then returns a value from 0 to n - 1 (0 when n is 0).
    std::uint32_t Random(std::uint32_t n);

private:
    std::uint32_t seed_;
};

struct ShadeSize {
    int BitmapWidth = 0; // the size ShadeBitmap takes
    int BitmapHeight = 0;
    int W = 0; // the extent the texture formulas work over, never 0
    int H = 0;
};

// A top caption's shade runs along the panel's width, a left one down its height. A negative
// panel or caption size counts as 0: a bitmap cannot be smaller than empty.
ShadeSize CaptionShadeSize(TCaptionPosition position, int panelWidth, int panelHeight,
                           int captionHeight);

// Row-major pixels in the colour layout 0x00BBGGRR. Writes outside the bitmap are dropped.
class ShadePixels {
public:
    ShadePixels(int width, int height); // a negative size counts as 0; starts black
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    tk::TColor Pixel(int x, int y) const; // clNone outside the bitmap
    // The blue byte of the pixel's present colour; 255 outside the bitmap, as on the white
    // ground (whatever is computed from it there is dropped anyway).
    int BlueAt(int x, int y) const;
    void SetPixel(int x, int y, tk::TColor color);
    // Fills columns left..right-1 and rows top..bottom-1, cut to the bitmap.
    void Fill(int left, int top, int right, int bottom, tk::TColor color);
    const std::vector<tk::TColor>& Data() const { return pixels_; }

private:
    int width_;
    int height_;
    std::vector<tk::TColor> pixels_;
};

struct CaptionShadeInput {
    tk::TColor Color = tk::clWhite; // the caption colour, already resolved to plain RGB
    int ShadeLight = 255;           // only its low 8 bits count
    int ShadeGrain = 0;             // a byte: only its low 8 bits count
    TShadeType ShadeType = TShadeType::stNormal;
    TCaptionPosition Position = TCaptionPosition::cpTop;
    int PanelWidth = 0;
    int PanelHeight = 0;
    int CaptionHeight = 0;
};

// Renders the caption shade: a white ground with the texture of ShadeType on it, or, for the
// plain, themed and bitmap types, the caption colour alone. `random` is used as it stands; the
// caller seeds it.
ShadePixels RenderCaptionShade(const CaptionShadeInput& input, ShadeRandom& random);

} // namespace advpanel
