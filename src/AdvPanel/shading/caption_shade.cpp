#include "AdvPanel/shading/caption_shade.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace advpanel {

std::uint32_t ShadeRandom::Random(std::uint32_t n) {
    seed_ = seed_ * 134775813u + 1u; // unsigned arithmetic wraps modulo 2^32
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * n) >> 32);
}

ShadeSize CaptionShadeSize(TCaptionPosition position, int panelWidth, int panelHeight,
                           int captionHeight) {
    const bool top = position == TCaptionPosition::cpTop;
    ShadeSize s;
    s.BitmapWidth = std::max(0, top ? panelWidth : captionHeight);
    s.BitmapHeight = std::max(0, top ? captionHeight : panelHeight);
    s.W = s.BitmapWidth != 0 ? s.BitmapWidth : (top ? 100 : 20);
    s.H = s.BitmapHeight != 0 ? s.BitmapHeight : (top ? 20 : 100);
    return s;
}

ShadePixels::ShadePixels(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), tk::clBlack) {}

tk::TColor ShadePixels::Pixel(int x, int y) const {
    if (!Contains(x, y)) return tk::clNone;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

int ShadePixels::BlueAt(int x, int y) const {
    return Contains(x, y) ? (Pixel(x, y) >> 16) & 0xFF : 255;
}

void ShadePixels::SetPixel(int x, int y, tk::TColor color) {
    if (!Contains(x, y)) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = color;
}

void ShadePixels::Fill(int left, int top, int right, int bottom, tk::TColor color) {
    for (int y = std::max(0, top); y < std::min(bottom, height_); ++y)
        for (int x = std::max(0, left); x < std::min(right, width_); ++x)
            SetPixel(x, y, color);
}

namespace {

// Cube profile of a bump, for t from -127 to 128: -125 .. 128.
int Cube(int t) {
    return (t * t * t / 128) / 128;
}

// Nearest integer, ties to the even neighbour (the default floating-point rounding mode).
int RoundEven(double x) {
    return static_cast<int>(std::nearbyint(x));
}

// Draws one texture. Every formula runs x over 0..W and y over 0..H inclusive; the pixels of
// column W and row H fall outside the bitmap and are dropped, but random draws made for them
// still count.
class ShadeRenderer {
public:
    ShadeRenderer(const CaptionShadeInput& in, const ShadeSize& size, ShadePixels& out,
                  ShadeRandom& random)
        : out_(out), random_(random), W(size.W), H(size.H), L(in.ShadeLight & 0xFF),
          N(in.ShadeGrain & 0xFF), r_(in.Color & 0xFF), g_((in.Color >> 8) & 0xFF),
          b_((in.Color >> 16) & 0xFF) {}

    void Render(TShadeType type) {
        switch (type) {
        case TShadeType::stNoise:
            return Noise();
        case TShadeType::stDiagShade:
            return Diagonal(129);
        case TShadeType::stHShade:
            return HShade(false);
        case TShadeType::stVShade:
            return VShade(false);
        case TShadeType::stHBump:
            return HBump();
        case TShadeType::stVBump:
            return VBump();
        case TShadeType::stSoftBump:
            return SoftBump();
        case TShadeType::stHardBump:
            return HardBump();
        case TShadeType::stLMetal:
            return Metal(false);
        case TShadeType::stRMetal:
            return Metal(true);
        case TShadeType::stIRadial:
            return Radial(true);
        case TShadeType::stORadial:
            return Radial(false);
        case TShadeType::stHShadeInv:
            return HShade(true);
        case TShadeType::stVShadeInv:
            return VShade(true);
        default:
            return; // the flat types get no texture
        }
    }

private:
    // The caption colour at brightness `level`; components keep their low 8 bits.
    tk::TColor Tint(int level) const {
        return tk::RGBColor((r_ * level / 255) & 0xFF, (g_ * level / 255) & 0xFF,
                            (b_ * level / 255) & 0xFF);
    }
    void Put(int x, int y, int level) { out_.SetPixel(x, y, Tint(level)); }
    void PutColumn(int x, int level) {
        for (int y = 0; y <= H; ++y)
            Put(x, y, level);
    }
    void PutRow(int y, int level) {
        for (int x = 0; x <= W; ++x)
            Put(x, y, level);
    }
    int Draw(int n) { return static_cast<int>(random_.Random(static_cast<std::uint32_t>(n))); }

    void Noise() {
        for (int x = 0; x <= W; ++x)
            for (int y = 0; y <= H; ++y)
                Put(x, y, L - (Draw(N) + 128) / 2);
    }
    // Darkens towards the bottom right, on top of whatever each pixel already shows.
    void Diagonal(int slope) {
        for (int x = 0; x <= W; ++x)
            for (int y = 0; y <= H; ++y) {
                int t = L - out_.BlueAt(x, y) + (slope * x) / W + (slope * y) / H;
                Put(x, y, L - t / 2);
            }
    }
    void HShade(bool mirrored) {
        for (int x = 0; x <= W; ++x)
            PutColumn(mirrored ? W - x : x, L - ((239 * (W - x)) / W + 8) / 2);
    }
    void VShade(bool mirrored) {
        for (int y = 0; y <= H; ++y)
            PutRow(mirrored ? H - y : y, L - ((239 * y) / H + 8) / 4);
    }
    int BumpLevel(int t) const { return L - ((Cube(t) * 120) / 128 + 128) / 2; }
    void HBump() {
        for (int x = 0; x <= W; ++x)
            PutColumn(x, BumpLevel((255 * (W - x)) / W - 127));
    }
    void VBump() {
        for (int y = 0; y <= H; ++y)
            PutRow(y, BumpLevel((255 * y) / H - 127));
    }
    void SoftBump() {
        for (int y = 0; y <= H; ++y)
            for (int x = 0; x <= W; ++x) {
                int ty = (255 * y) / H - 127;
                int tx = (255 * (W - x)) / W - 127;
                int v = std::clamp(((Cube(ty) + Cube(tx)) * 120) / 128 + 128, 8, 247);
                Put(x, y, L - v / 2);
            }
    }
    void HardBump() {
        for (int y = 0; y <= H; ++y)
            PutRow(y, L - ((Cube((255 * y) / H - 127) * 112) / 128 + 128) / 2);
        HardBumpEnds();
    }
    // Rounds off both ends of the bump with a lens m pixels wide. A bitmap narrower than 6
    // pixels leaves no room for the lens (m = 0), and one at most a pixel high has no height
    // to bend it over (q = 0); both keep the plain bump rather than divide by zero.
    void HardBumpEnds() {
        const int m = std::min(16, W / 6);
        const int q = (H * H) / 4;
        if (m == 0 || q == 0) return;
        for (int y = 0; y <= H; ++y)
            for (int x = 0; x <= W; ++x) {
                int dy = y - H / 2;
                int dx = x - W / 2;
                int e = (dy * dy * m) / q + W / 2 - m;
                if (dx > e) Put(x, y, L - (((W - x) * 128) / m + 8) / 2);
                if (dx + e < 0) Put(x, y, L - (247 - (x * 128) / m) / 2);
            }
    }
    // Short streaks in random places, then the diagonal shade darkens them with the ground.
    void Metal(bool rising) {
        for (int s = 0; s < 251; ++s) {
            int x0 = Draw(W);
            int y0 = Draw(H);
            int len = Draw(std::min(W, H) / 2);
            tk::TColor color = Tint(L - Draw(40));
            for (int i = 0; i < len; ++i) {
                if (rising) {
                    if (x0 - i > 0 && y0 + i < H) out_.SetPixel(x0 - i, y0 + i, color);
                    if (x0 + i < W && y0 - i > 0) out_.SetPixel(x0 + i, y0 - i, color);
                } else {
                    if (x0 + i < W && y0 + i < H) out_.SetPixel(x0 + i, y0 + i, color);
                    if (x0 - i > 0 && y0 - i > 0) out_.SetPixel(x0 - i, y0 - i, color);
                }
            }
        }
        Diagonal(120);
    }
    // The levels run from the centre to the corners. The normalising distance is the rounded
    // distance from the centre to a corner, the largest rounded distance the loop meets, so
    // the level stays within 0..L; when the centre is the corner (W and H at most 1) it is 1.
    void Radial(bool brightCentre) {
        const int cx = W / 2;
        const int cy = H / 2;
        const double dmax = std::max(1, RoundEven(std::sqrt(double(cx) * cx + double(cy) * cy)));
        for (int x = 0; x <= cx; ++x)
            for (int y = 0; y <= cy; ++y) {
                int d = RoundEven(std::sqrt(double(x - cx) * (x - cx) + double(y - cy) * (y - cy)));
                int level =
                    brightCentre ? RoundEven((dmax - d) / dmax * L) : RoundEven(d / dmax * L);
                Put(x, y, level);
                Put(W - x, H - y, level);
                Put(W - x, y, level);
                Put(x, H - y, level);
            }
    }

    ShadePixels& out_;
    ShadeRandom& random_;
    const int W;
    const int H;
    const int L;
    const int N;
    const int r_, g_, b_;
};

bool IsFlat(TShadeType type) {
    switch (type) {
    case TShadeType::stNormal:
    case TShadeType::stXPCaption:
    case TShadeType::stBitmap:
    case TShadeType::stBitmapRStretch:
    case TShadeType::stBitmapLStretch:
        return true;
    default:
        return false;
    }
}

} // namespace

ShadePixels RenderCaptionShade(const CaptionShadeInput& input, ShadeRandom& random) {
    const ShadeSize size =
        CaptionShadeSize(input.Position, input.PanelWidth, input.PanelHeight, input.CaptionHeight);
    ShadePixels out(size.BitmapWidth, size.BitmapHeight);
    if (IsFlat(input.ShadeType)) {
        out.Fill(0, 0, out.Width(), out.Height(), input.Color & 0xFFFFFF);
        return out;
    }
    out.Fill(0, 0, size.W, size.H, tk::clWhite);
    ShadeRenderer(input, size, out, random).Render(input.ShadeType);
    return out;
}

} // namespace advpanel
