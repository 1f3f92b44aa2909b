#pragma once
// Colour values: 0x00BBGGRR, clNone, or 0xFF000000 plus a system colour index.
#include <cstdint>
#include <optional>
#include <string_view>

namespace tk {

using TColor = std::int32_t;

constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}
constexpr bool IsSystemColor(TColor c) {
    return (static_cast<std::uint32_t>(c) >> 24) == 0xFF;
}
constexpr int SystemColorIndex(TColor c) {
    return static_cast<int>(c & 0xFF);
}
constexpr TColor RGBColor(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGray = 0x808080;
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);

// The colour for an identifier of a stored layout ("clWindow", "clNone", ...), if it names one.
std::optional<TColor> ColorFromIdent(std::string_view ident);

} // namespace tk
