#include "AdvPanel/markup/html_gdi_surface.h"

#include "AdvPanel/shading/gradient_draw.h"
#include "AdvPanel/markup/html_markup.h"
#include "AdvPanel/markup/html_pictures.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/system/system_library.h"
#include "toolkit/text/unicode_text.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace advpanel {
namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_EXPANDTABS | DT_BOTTOM | DT_NOCLIP;

// The shell's small or large icon of a file or folder; a path that names neither is looked up
// by its name's type.
tk::IconHandle ShellIcon(const std::string& path, bool small) {
    const std::wstring widePath = tk::Wide(path);
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    DWORD attributes = GetFileAttributesW(widePath.c_str());
    DWORD useAttributes = FILE_ATTRIBUTE_NORMAL;
    if (attributes == INVALID_FILE_ATTRIBUTES) flags |= SHGFI_USEFILEATTRIBUTES;
    using FileInfoProc = DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);
    auto fileInfo = tk::SystemFunction<FileInfoProc>("shell32.dll", "SHGetFileInfoW");
    if (!fileInfo || !fileInfo(widePath.c_str(), useAttributes, &info, sizeof info, flags))
        return {};
    return tk::IconHandle(info.hIcon);
}

} // namespace

GdiHtmlSurface::GdiHtmlSurface(tk::TCanvas& canvas, const HtmlPictureSources& sources)
    : canvas_(canvas), dc_(canvas.Handle()), sources_(sources) {
    GetObjectW(canvas_.Font.Handle(), sizeof baseLogFont_, &baseLogFont_);
    if (!sources_.Cache) {
        ownCache_ = std::make_unique<THTMLPictureCache>();
        sources_.Cache = ownCache_.get();
    }
}

GdiHtmlSurface::~GdiHtmlSurface() = default;

HtmlFont GdiHtmlSurface::BaseFont() const {
    HtmlFont f;
    f.Name = canvas_.Font.Name();
    f.Height = canvas_.Font.Height();
    f.Charset = canvas_.Font.Charset();
    f.Color = canvas_.Font.Color();
    f.Style = canvas_.Font.Style();
    return f;
}

HFONT GdiHtmlSurface::FontFor(const HtmlFont& font) {
    for (auto& [described, handle] : fonts_)
        if (described == font) return handle.Get();
    // Fonts are selected only for each single operation, so none is in use here: a text that
    // asks for many fonts cannot pile up handles.
    constexpr std::size_t kKeptFonts = 32;
    if (fonts_.size() >= kKeptFonts) fonts_.clear();
    LOGFONTW lf = baseLogFont_;
    lf.lfHeight = font.Height;
    lf.lfWidth = 0;
    lf.lfWeight = (font.Style & kHtmlBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & kHtmlItalic) ? TRUE : FALSE;
    lf.lfUnderline = (font.Style & kHtmlUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (font.Style & kHtmlStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(font.Charset);
    lf.lfEscapement = lf.lfOrientation = font.Escapement;
    const std::wstring face = tk::Wide(font.Name);
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), L'\0');
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    tk::FontHandle made(CreateFontIndirectW(&lf));
    HFONT result = made.Get();
    fonts_.emplace_back(font, std::move(made));
    return result;
}

int GdiHtmlSurface::PixelsPerInch() const {
    int ppi = GetDeviceCaps(dc_, LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

tk::TPoint GdiHtmlSurface::TextSize(const HtmlFont& font, std::string_view text) {
    tk::SelectedObject selected(dc_, FontFor(font));
    const std::wstring wide = tk::Wide(text);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    return {r.right - r.left, r.bottom - r.top};
}

void GdiHtmlSurface::PaintText(const HtmlFont& font, std::string_view text, const tk::TRect& r) {
    tk::SelectedObject selected(dc_, FontFor(font));
    SetTextColor(dc_, tk::ColorToRGB(font.Color));
    SetBkMode(dc_, TRANSPARENT);
    const std::wstring wide = tk::Wide(text);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc, kTextFormat);
}

void GdiHtmlSurface::FillRect(const tk::TRect& r, tk::TColor color) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    tk::BrushHandle brush(CreateSolidBrush(tk::ColorToRGB(color)));
    ::FillRect(dc_, &rc, brush.Get());
}

void GdiHtmlSurface::Gradient(const tk::TRect& r, tk::TColor from, tk::TColor to, bool horizontal) {
    DrawFramedGradient(canvas_, from, to, tk::clNone, 64, r, horizontal);
}

void GdiHtmlSurface::Polyline(const std::vector<tk::TPoint>& points, tk::TColor color) {
    if (points.size() < 2) return;
    std::vector<POINT> pts;
    pts.reserve(points.size());
    for (const tk::TPoint& p : points)
        pts.push_back({p.X, p.Y});
    tk::PenHandle pen(CreatePen(PS_SOLID, 1, tk::ColorToRGB(color)));
    tk::SelectedObject selected(dc_, pen.Get());
    ::Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
}

void GdiHtmlSurface::FocusRect(const tk::TRect& r) {
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    DrawFocusRect(dc_, &rc);
}

const tk::TPicture* GdiHtmlSurface::Picture(std::string_view source) {
    PictureSource kind = ClassifyPictureSource(source);
    using K = PictureSource::Kind;
    switch (kind.SourceKind) {
    case K::Container:
        return sources_.Container ? sources_.Container->Find(kind.Name) : nullptr;
    case K::Resource:
    case K::File:
        return sources_.Cache->Get(std::string(source));
    case K::SmallSystemIcon:
    case K::LargeSystemIcon: {
        auto found = ownPictures_.find(source);
        if (found == ownPictures_.end()) {
            auto picture = std::make_unique<tk::TPicture>();
            picture->AssignIcon(ShellIcon(kind.Name, kind.SourceKind == K::SmallSystemIcon));
            found = ownPictures_.emplace(std::string(source), std::move(picture)).first;
        }
        return found->second->Empty() ? nullptr : found->second.get();
    }
    case K::ImageIndex:
    case K::None:
        break;
    }
    return nullptr;
}

std::optional<tk::TPoint> GdiHtmlSurface::PictureSize(std::string_view source) {
    PictureSource kind = ClassifyPictureSource(source);
    if (kind.SourceKind == PictureSource::Kind::ImageIndex) {
        if (!sources_.Images || kind.Index >= sources_.Images->Count()) return std::nullopt;
        return tk::TPoint{sources_.Images->Width(), sources_.Images->Height()};
    }
    const tk::TPicture* picture = Picture(source);
    if (!picture || picture->Empty()) return std::nullopt;
    return tk::TPoint{picture->Width(), picture->Height()};
}

void GdiHtmlSurface::DrawPicture(std::string_view source, const tk::TRect& r) {
    PictureSource kind = ClassifyPictureSource(source);
    if (kind.SourceKind == PictureSource::Kind::ImageIndex) {
        if (sources_.Images) sources_.Images->Draw(dc_, kind.Index, r, sources_.Print);
        return;
    }
    if (const tk::TPicture* picture = Picture(source)) picture->Draw(dc_, r, sources_.Print);
}

void GdiHtmlSurface::TilePicture(std::string_view source, const tk::TRect& area) {
    std::optional<tk::TPoint> size = PictureSize(source);
    if (!size || size->X <= 0 || size->Y <= 0) return;
    tk::SavedDCState saved(dc_);
    IntersectClipRect(dc_, area.Left, area.Top, area.Right, area.Bottom);
    for (int y = area.Top; y < area.Bottom; y += size->Y)
        for (int x = area.Left; x < area.Right; x += size->X)
            DrawPicture(source, tk::TRect::FromBounds(x, y, size->X, size->Y));
}

} // namespace advpanel
