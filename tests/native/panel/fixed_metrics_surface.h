#pragma once
// A drawing surface with fixed character metrics that records what is drawn, for layout tests
// and the fuzz target: every shown character (a UTF-8 sequence) is 6 pixels wide (7 in bold), a
// line of text is the font's height in pixels plus 3 high, pictures are looked up in a small
// table. It counts the texts it was handed that are not whole UTF-8.
#include "AdvPanel/markup/html_markup.h"
#include "AdvPanel/markup/html_surface.h"
#include "toolkit/text/unicode_text.h"

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace advpanel::testing {

struct DrawnText {
    HtmlFont Font;
    std::string Text;
    tk::TRect Rect;
};
struct DrawnFill {
    tk::TRect Rect;
    tk::TColor Color;
    tk::TColor To = tk::clNone; // gradients
    bool Horizontal = false;
};
struct DrawnPicture {
    std::string Source;
    tk::TRect Rect;
};

class FixedMetricsSurface : public HtmlSurface {
public:
    int PixelsPerInch() const override { return 96; }
    tk::TPoint TextSize(const HtmlFont& font, std::string_view text) override {
        int perChar = (font.Style & kHtmlBold) ? 7 : 6;
        return {perChar * Characters(VisiblePrefixText(text)), std::abs(font.Height) + 3};
    }
    void PaintText(const HtmlFont& font, std::string_view text, const tk::TRect& r) override {
        Characters(text);
        Texts.push_back({font, std::string(text), r});
        Order.push_back('t');
    }
    void FillRect(const tk::TRect& r, tk::TColor color) override {
        Fills.push_back({r, color});
        Order.push_back('f');
    }
    void Gradient(const tk::TRect& r, tk::TColor from, tk::TColor to, bool horizontal) override {
        Fills.push_back({r, from, to, horizontal});
        Order.push_back('f');
    }
    void Polyline(const std::vector<tk::TPoint>& points, tk::TColor color) override {
        Lines.push_back(points);
        LineColors.push_back(color);
    }
    void FocusRect(const tk::TRect& r) override { FocusRects.push_back(r); }
    std::optional<tk::TPoint> PictureSize(std::string_view source) override {
        auto it = Pictures.find(std::string(source));
        if (it == Pictures.end()) return std::nullopt;
        return it->second;
    }
    void DrawPicture(std::string_view source, const tk::TRect& r) override {
        DrawnPictures.push_back({std::string(source), r});
    }
    void TilePicture(std::string_view source, const tk::TRect& area) override {
        Tiled.push_back({std::string(source), area});
    }

    // How many characters `text` holds; each byte that starts no whole sequence counts as one,
    // and counts in MalformedTexts.
    int Characters(std::string_view text) {
        int n = 0;
        bool malformed = false;
        for (std::size_t at = 0; at < text.size(); ++n)
            malformed |= tk::DecodeUtf8(text, at) < 0;
        if (malformed) ++MalformedTexts;
        return n;
    }

    int MalformedTexts = 0;
    std::map<std::string, tk::TPoint> Pictures;
    std::vector<DrawnText> Texts;
    std::vector<DrawnFill> Fills;
    std::vector<std::vector<tk::TPoint>> Lines;
    std::vector<tk::TColor> LineColors;
    std::vector<tk::TRect> FocusRects;
    std::vector<DrawnPicture> DrawnPictures, Tiled;
    std::string Order; // 't' for each text, 'f' for each fill, as they were drawn
};

} // namespace advpanel::testing
