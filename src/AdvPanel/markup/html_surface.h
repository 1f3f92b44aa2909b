#pragma once
// What the mini-markup layout needs from a drawing surface: text measuring and drawing in a
// described font, fills, gradients, lines and pictures. The layout itself makes no system
// calls; a GDI surface does the real work, tests use fixed metrics.
#include "toolkit/base/colors.h"
#include "toolkit/base/geometry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace advpanel {

// Font styles, with the same bits as the toolkit's font styles.
constexpr unsigned kHtmlBold = 1, kHtmlItalic = 2, kHtmlUnderline = 4, kHtmlStrikeOut = 8;
constexpr int kSymbolCharset = 2;

struct HtmlFont {
    std::string Name;
    int Height = -11; // pixels; negative: character height without internal leading
    int Charset = 1;
    tk::TColor Color = tk::clBlack;
    unsigned Style = 0;
    int Escapement = 0; // tenths of a degree, for escapement and orientation
    friend bool operator==(const HtmlFont&, const HtmlFont&) = default;
};

class HtmlSurface {
public:
    virtual ~HtmlSurface() = default;

    virtual int PixelsPerInch() const = 0;
    // The size of a single line of text, with prefix processing ("&&", "&x") and tabs expanded.
    virtual tk::TPoint TextSize(const HtmlFont& font, std::string_view text) = 0;
    // Draws a single line of text in the font's colour, transparently, aligned to the bottom of
    // `r`, with the same prefix processing.
    virtual void PaintText(const HtmlFont& font, std::string_view text, const tk::TRect& r) = 0;
    virtual void FillRect(const tk::TRect& r, tk::TColor color) = 0;
    // Sixty-four bands from `from` to `to`, left to right when `horizontal`.
    virtual void Gradient(const tk::TRect& r, tk::TColor from, tk::TColor to, bool horizontal) = 0;
    virtual void Polyline(const std::vector<tk::TPoint>& points, tk::TColor color) = 0;
    virtual void FocusRect(const tk::TRect& r) = 0;
    // A picture's own size; none when the source names nothing that can be shown.
    virtual std::optional<tk::TPoint> PictureSize(std::string_view source) = 0;
    virtual void DrawPicture(std::string_view source, const tk::TRect& r) = 0;
    virtual void TilePicture(std::string_view source, const tk::TRect& area) = 0;
};

} // namespace advpanel
