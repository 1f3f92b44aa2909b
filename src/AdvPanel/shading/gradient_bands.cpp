#include "AdvPanel/shading/gradient_bands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace advpanel {
namespace {

int Red(tk::TColor c) {
    return c & 0xFF;
}
int Green(tk::TColor c) {
    return (c >> 8) & 0xFF;
}
int Blue(tk::TColor c) {
    return (c >> 16) & 0xFF;
}

// Nearest integer, ties to the even neighbour (the default floating-point rounding mode).
long long RoundEven(double x) {
    return static_cast<long long>(std::nearbyint(x));
}

// Components outside 0..255 keep only their low 8 bits.
tk::TColor Compose(long long r, long long g, long long b) {
    return tk::RGBColor(static_cast<int>(r & 0xFF), static_cast<int>(g & 0xFF),
                        static_cast<int>(b & 0xFF));
}

} // namespace

std::vector<GradientBand> GradientBands(tk::TColor from, tk::TColor to, int steps,
                                        const tk::TRect& r, bool horizontal) {
    const int count = std::clamp(steps, 1, 65535);
    const double dR = static_cast<double>(Red(to) - Red(from)) / count;
    const double dG = static_cast<double>(Green(to) - Green(from)) / count;
    const double dB = static_cast<double>(Blue(to) - Blue(from)) / count;
    const double size = static_cast<double>(horizontal ? r.Width() : r.Height()) / count;
    const int thickness = static_cast<int>(std::trunc(size)) + 1;

    std::vector<GradientBand> bands;
    bands.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        tk::TColor color = Compose(Red(from) + RoundEven(i * dR), Green(from) + RoundEven(i * dG),
                                   Blue(from) + RoundEven(i * dB));
        // The offset is a 16-bit quantity, as the gradient's step count is.
        const int o = static_cast<std::uint16_t>(RoundEven(i * size));
        tk::TRect band = r;
        if (horizontal) {
            band.Left = r.Left + o;
            band.Right = std::min(r.Left + o + thickness, r.Right);
        } else {
            band.Top = r.Top + o;
            band.Bottom = std::min(r.Top + o + thickness, r.Bottom);
        }
        bands.push_back({band, color});
    }
    return bands;
}

std::vector<GradientBand> CoalescedBands(const std::vector<GradientBand>& bands,
                                         bool horizontal) {
    // Extents along the gradient's direction.
    auto start = [horizontal](tk::TRect& r) -> int& { return horizontal ? r.Left : r.Top; };
    auto end = [horizontal](tk::TRect& r) -> int& { return horizontal ? r.Right : r.Bottom; };
    auto across = [horizontal](const tk::TRect& r) {
        return horizontal ? std::pair(r.Top, r.Bottom) : std::pair(r.Left, r.Right);
    };
    std::vector<GradientBand> fills;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        GradientBand band = bands[i];
        if (i + 1 < bands.size()) {
            tk::TRect next = bands[i + 1].Rect;
            // The next band paints over this one from its start up to at least this one's end.
            if (across(next) == across(band.Rect) && start(next) >= start(band.Rect) &&
                end(next) >= end(band.Rect) && start(next) < end(next))
                end(band.Rect) = std::min(end(band.Rect), start(next));
        }
        if (end(band.Rect) <= start(band.Rect) || band.Rect.Width() <= 0 ||
            band.Rect.Height() <= 0)
            continue;
        if (!fills.empty()) {
            GradientBand& last = fills.back();
            if (last.Color == band.Color && across(last.Rect) == across(band.Rect) &&
                end(last.Rect) == start(band.Rect)) {
                end(last.Rect) = end(band.Rect);
                continue;
            }
        }
        fills.push_back(band);
    }
    return fills;
}

tk::TColor BlendColor(tk::TColor c1, tk::TColor c2, int percent, ColorResolver resolve) {
    if (percent == 100) return c1;
    const tk::TColor a = resolve(c1);
    const tk::TColor b = resolve(c2);
    const double f = percent / 100.0;
    auto mix = [f](int x, int y) { return RoundEven(f * x + (1 - f) * y); };
    return Compose(mix(Red(a), Red(b)), mix(Green(a), Green(b)), mix(Blue(a), Blue(b)));
}

} // namespace advpanel
