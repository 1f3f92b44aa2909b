#pragma once
// The mini-markup surface over a GDI canvas: UTF-8 text measured and drawn with DrawTextW, fonts
// made from the canvas font's description, pictures found in the image list, the picture container,
// the picture cache or the shell's file icons.
#include "AdvPanel/markup/html_surface.h"
#include "toolkit/graphics/graphics.h"

#include <map>
#include <memory>
#include <utility>

namespace tk {
class TPicture;
class TImageList;
} // namespace tk

namespace advpanel {

class TPictureContainer;
class THTMLPictureCache;

struct HtmlPictureSources {
    const tk::TImageList* Images = nullptr;
    const TPictureContainer* Container = nullptr;
    THTMLPictureCache* Cache = nullptr; // none: "RES://" and "FILE://" pictures load per call
    bool Print = false;                 // pictures drawn through device-independent transfers
};

class GdiHtmlSurface : public HtmlSurface {
public:
    GdiHtmlSurface(tk::TCanvas& canvas, const HtmlPictureSources& sources);
    ~GdiHtmlSurface() override;
    GdiHtmlSurface(const GdiHtmlSurface&) = delete;
    GdiHtmlSurface& operator=(const GdiHtmlSurface&) = delete;

    // The canvas font as the layout's base font.
    HtmlFont BaseFont() const;

    int PixelsPerInch() const override;
    tk::TPoint TextSize(const HtmlFont& font, std::string_view text) override;
    void PaintText(const HtmlFont& font, std::string_view text, const tk::TRect& r) override;
    void FillRect(const tk::TRect& r, tk::TColor color) override;
    void Gradient(const tk::TRect& r, tk::TColor from, tk::TColor to, bool horizontal) override;
    void Polyline(const std::vector<tk::TPoint>& points, tk::TColor color) override;
    void FocusRect(const tk::TRect& r) override;
    std::optional<tk::TPoint> PictureSize(std::string_view source) override;
    void DrawPicture(std::string_view source, const tk::TRect& r) override;
    void TilePicture(std::string_view source, const tk::TRect& area) override;

private:
    HFONT FontFor(const HtmlFont& font);
    // A picture of any source but the image list, or null.
    const tk::TPicture* Picture(std::string_view source);

    tk::TCanvas& canvas_;
    HDC dc_;
    HtmlPictureSources sources_;
    LOGFONTW baseLogFont_{};
    std::vector<std::pair<HtmlFont, tk::FontHandle>> fonts_; // made during this call
    std::map<std::string, std::unique_ptr<tk::TPicture>, std::less<>> ownPictures_;
    std::unique_ptr<THTMLPictureCache> ownCache_;
};

} // namespace advpanel
