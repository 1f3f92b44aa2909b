#include "graphics.h"

#include "toolkit/components/component_reader.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/base/layout_scaling.h"
#include "toolkit/components/property_table.h"
#include "toolkit/text/unicode_text.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace tk {

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

BITMAPINFO Dib32Info(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

BitmapHandle CreateDib32(int width, int height, void** bits) {
    BITMAPINFO info = Dib32Info(width, height);
    WindowDC screen(nullptr);
    BitmapHandle section(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!section) throw EOutOfResources("Out of system resources");
    return section;
}

int ScreenPixelsPerInch() {
    static const int ppi = [] {
        WindowDC screen(nullptr);
        int value = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        return value > 0 ? value : 96;
    }();
    return ppi;
}

// ---- TFont ----

TFont::TFont() {
    base_.lfWeight = FW_NORMAL;
    base_.lfOutPrecision = OUT_DEFAULT_PRECIS;
    base_.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    base_.lfQuality = DEFAULT_QUALITY;
    base_.lfPitchAndFamily = DEFAULT_PITCH;
}

int TFont::Size() const {
    return FontSizeFromHeight(height_, ScreenPixelsPerInch());
}

void TFont::SetName(const std::string& name) {
    if (StoreChanged(name_, name)) Changed();
}
void TFont::SetHeight(int height) {
    if (StoreChanged(height_, height)) Changed();
}
void TFont::SetSize(int size) {
    SetHeight(FontHeightFromSize(size, ScreenPixelsPerInch()));
}
void TFont::SetCharset(int charset) {
    if (StoreChanged(charset_, charset)) Changed();
}
void TFont::SetColor(TColor color) {
    if (StoreChanged(color_, color)) Changed();
}
void TFont::SetStyle(TFontStyles style) {
    if (StoreChanged(style_, style)) Changed();
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    name_ = source.name_;
    height_ = source.height_;
    charset_ = source.charset_;
    color_ = source.color_;
    style_ = source.style_;
    base_ = source.base_;
    Changed();
}

void TFont::SetRotation(int escapement, int orientation) {
    if (base_.lfEscapement == escapement && base_.lfOrientation == orientation) return;
    base_.lfEscapement = escapement;
    base_.lfOrientation = orientation;
    Changed();
}

void TFont::AssignLogFont(const LOGFONTW& logFont) {
    base_ = logFont;
    name_ = Utf8(std::wstring_view(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE)));
    height_ = logFont.lfHeight;
    charset_ = logFont.lfCharSet;
    style_ = (logFont.lfWeight >= FW_BOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
             (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0);
    Changed();
}

void TFont::Changed() {
    handle_.Reset();
    if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW lf = base_;
        lf.lfHeight = height_;
        // A taken-over weight stays unless the bold style was switched since.
        bool baseBold = base_.lfWeight >= FW_BOLD;
        if ((style_ & fsBold) != 0 && !baseBold) lf.lfWeight = FW_BOLD;
        if ((style_ & fsBold) == 0 && baseBold) lf.lfWeight = FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
        const std::wstring face = Wide(name_);
        face.copy(lf.lfFaceName, LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectW(&lf));
        if (!handle_) throw EOutOfResources("Out of system resources");
    }
    return handle_.Get();
}

namespace {

// A character set by number or by name.
int ReadCharset(LayoutReader& reader, const LayoutValue& value) {
    if (value.ValueKind == LayoutValue::Kind::Integer) return reader.Int(value);
    return reader.Enum<int>(value, {{"ANSI_CHARSET", ANSI_CHARSET},
                                    {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                    {"SYMBOL_CHARSET", SYMBOL_CHARSET},
                                    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
                                    {"OEM_CHARSET", OEM_CHARSET}});
}

TFontStyles ReadFontStyles(LayoutReader& reader, const LayoutValue& value) {
    return reader.Set<TFontStyles>(value, {{"fsBold", fsBold},
                                           {"fsItalic", fsItalic},
                                           {"fsUnderline", fsUnderline},
                                           {"fsStrikeOut", fsStrikeOut}});
}

} // namespace

bool TFont::ReadProperty(std::string_view name, const LayoutValue& value, LayoutReader& reader) {
    static const PropertyTable<TFont> properties{
        {"Name", Set<&TFont::SetName>},
        {"Height", Set<&TFont::SetHeight>},
        {"Size", Set<&TFont::SetSize>},
        {"Color", Set<&TFont::SetColor, &LayoutReader::Color>},
        {"Charset", Set<&TFont::SetCharset, ReadCharset>},
        {"Style", Set<&TFont::SetStyle, ReadFontStyles>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TPersistent::ReadProperty(name, value, reader);
}

// ---- TBitmap ----

void TBitmap::LoadFromFileData(const std::string& data) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' ||
        bytes[1] != 'M')
        throw EInvalidOperation("Bitmap image is not valid");
    BITMAPFILEHEADER fileHeader;
    std::memcpy(&fileHeader, bytes, sizeof fileHeader);
    BITMAPINFOHEADER info;
    std::memcpy(&info, bytes + sizeof fileHeader, sizeof info);
    // The pixels must start after the headers and fit in the data; sizes are checked in 64 bits
    // so that a hostile header cannot wrap them around.
    unsigned long long paletteEntries =
        info.biClrUsed ? info.biClrUsed : (info.biBitCount <= 8 ? 1ull << info.biBitCount : 0);
    unsigned long long headersEnd =
        sizeof fileHeader + static_cast<unsigned long long>(info.biSize) + 4 * paletteEntries;
    if (info.biSize < sizeof(BITMAPINFOHEADER) || info.biWidth <= 0 || info.biHeight == 0 ||
        info.biCompression != BI_RGB || fileHeader.bfOffBits >= data.size() ||
        fileHeader.bfOffBits < headersEnd || info.biBitCount == 0 || info.biBitCount > 32)
        throw EInvalidOperation("Bitmap image is not valid");
    long long stride = ((static_cast<long long>(info.biWidth) * info.biBitCount + 31) / 32) * 4;
    long long rows = info.biHeight < 0 ? -static_cast<long long>(info.biHeight) : info.biHeight;
    if (static_cast<long long>(data.size() - fileHeader.bfOffBits) < stride * rows)
        throw EInvalidOperation("Bitmap image is not valid");

    handle_.Reset(); // made from the data when first asked for
    fileData_ = data;
    width_ = info.biWidth;
    height_ = static_cast<int>(rows);
    bitsPerPixel_ = info.biBitCount;
    Changed();
}

HBITMAP TBitmap::Handle() const {
    if (!handle_ && !fileData_.empty()) handle_ = SectionFromFileData(fileData_);
    return handle_.Get();
}

// The section of a bitmap file image that LoadFromFileData has checked.
BitmapHandle TBitmap::SectionFromFileData(const std::string& data) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    BITMAPFILEHEADER fileHeader;
    std::memcpy(&fileHeader, bytes, sizeof fileHeader);
    // The header and palette, copied into aligned storage for CreateDIBSection.
    size_t infoSize = fileHeader.bfOffBits - sizeof fileHeader;
    std::vector<DWORD> infoCopy((infoSize + sizeof(DWORD) - 1) / sizeof(DWORD));
    std::memcpy(infoCopy.data(), bytes + sizeof fileHeader, infoSize);
    void* bits = nullptr;
    WindowDC screen(nullptr);
    BitmapHandle section(CreateDIBSection(screen.Get(),
                                          reinterpret_cast<BITMAPINFO*>(infoCopy.data()),
                                          DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section) throw EOutOfResources("Out of system resources");
    BITMAPINFOHEADER info;
    std::memcpy(&info, bytes + sizeof fileHeader, sizeof info);
    const long long stride =
        ((static_cast<long long>(info.biWidth) * info.biBitCount + 31) / 32) * 4;
    const long long rows =
        info.biHeight < 0 ? -static_cast<long long>(info.biHeight) : info.biHeight;
    std::memcpy(bits, bytes + fileHeader.bfOffBits, static_cast<size_t>(stride * rows));
    return section;
}

void TBitmap::SetSize(int width, int height) {
    MakeSection(width, height);
    Changed();
}

unsigned* TBitmap::MakeSection(int width, int height) {
    void* bits = nullptr;
    handle_ = CreateDib32(width, height, &bits);
    fileData_.clear();
    width_ = width;
    height_ = height;
    bitsPerPixel_ = 32;
    return static_cast<unsigned*>(bits);
}

void TBitmap::SetPixels(int width, int height, const TColor* pixels) {
    if (width <= 0 || height <= 0) {
        Clear();
        return;
    }
    unsigned* bits = MakeSection(width, height);
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        const TColor c = pixels[i]; // 0x00BBGGRR to the section's 0x00RRGGBB
        bits[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    Changed();
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    if (source.Empty()) {
        Clear();
    } else if (!source.fileData_.empty()) {
        LoadFromFileData(source.fileData_);
    } else {
        // Listeners hear of the change once the pixels are there.
        MakeSection(source.width_, source.height_);
        {
            MemoryDC from(nullptr), to(nullptr);
            SelectedObject a(from.Get(), source.Handle());
            SelectedObject b(to.Get(), handle_.Get());
            BitBlt(to.Get(), 0, 0, width_, height_, from.Get(), 0, 0, SRCCOPY);
        }
        Changed();
    }
}

void TBitmap::Clear() {
    handle_.Reset();
    fileData_.clear();
    width_ = height_ = bitsPerPixel_ = 0;
    Changed();
}

bool TBitmap::ReadProperty(std::string_view name, const LayoutValue& value, LayoutReader& reader) {
    if (name == "Data") {
        LoadFromFileData(reader.ResourceData(value));
        return true;
    }
    return TPersistent::ReadProperty(name, value, reader);
}

// ---- ClipRegion ----

ClipRegion::ClipRegion(HDC dc, RegionHandle region)
    : dc_(dc), region_(std::move(region)), previous_(CreateRectRgn(0, 0, 0, 0)) {
    if (previous_ && GetClipRgn(dc_, previous_.Get()) != 1) previous_.Reset();
    if (!region_) return;
    // Regions are in device coordinates.
    POINT origin{};
    GetViewportOrgEx(dc_, &origin);
    OffsetRgn(region_.Get(), origin.x, origin.y);
    if (previous_) CombineRgn(region_.Get(), region_.Get(), previous_.Get(), RGN_AND);
    SelectClipRgn(dc_, region_.Get());
}

ClipRegion::ClipRegion(HDC dc, const TRect& r)
    : ClipRegion(dc, RegionHandle(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom))) {}

ClipRegion::~ClipRegion() {
    SelectClipRgn(dc_, previous_ ? previous_.Get() : nullptr);
}

// ---- TCanvas ----

namespace {

// A pen of the surface's colour and width, selected for one operation. Thin solid pens (nearly
// all the drawing) use the device context's own pen, so nothing is made for them.
class SelectedPen {
public:
    SelectedPen(HDC dc, const TCanvas& c)
        : pen_(c.PenWidth > 1 ? CreatePen(PS_SOLID, c.PenWidth, ColorToRGB(c.PenColor)) : nullptr),
          selected_(dc, pen_ ? static_cast<HGDIOBJ>(pen_.Get()) : GetStockObject(DC_PEN)) {
        if (!pen_) SetDCPenColor(dc, ColorToRGB(c.PenColor));
    }

private:
    PenHandle pen_;
    SelectedObject selected_;
};

// The surface's pen and brush, selected for one operation; a solid brush is the device
// context's own.
class PenAndBrush {
public:
    PenAndBrush(HDC dc, const TCanvas& c)
        : pen_(dc, c),
          brush_(dc, GetStockObject(c.BrushStyle == TBrushStyle::bsSolid ? DC_BRUSH : NULL_BRUSH)) {
        if (c.BrushStyle == TBrushStyle::bsSolid) SetDCBrushColor(dc, ColorToRGB(c.BrushColor));
    }

private:
    SelectedPen pen_;
    SelectedObject brush_;
};

} // namespace

TCanvas::TCanvas(HDC dc) : dc_(dc) {}

void TCanvas::FillRect(const TRect& r) {
    if (BrushStyle == TBrushStyle::bsClear) return;
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    SetDCBrushColor(dc_, ColorToRGB(BrushColor));
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TCanvas::Rectangle(const TRect& r) {
    if (PenWidth == 1 && BrushStyle == TBrushStyle::bsSolid && PenColor == BrushColor &&
        r.Right > r.Left && r.Bottom > r.Top) {
        // A one-pixel outline in the fill's colour: the same pixels as a plain fill, which needs
        // no pen or brush to be made (gradients draw dozens of these per paint).
        SelectedObject brush(dc_, GetStockObject(DC_BRUSH));
        SetDCBrushColor(dc_, ColorToRGB(BrushColor));
        PatBlt(dc_, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, PATCOPY);
        return;
    }
    PenAndBrush tools(dc_, *this);
    ::Rectangle(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TCanvas::FillColoredRects(const std::vector<ColoredRect>& rects) {
    SelectedObject brush(dc_, GetStockObject(DC_BRUSH));
    for (const ColoredRect& r : rects) {
        if (r.Rect.Right <= r.Rect.Left || r.Rect.Bottom <= r.Rect.Top) continue;
        SetDCBrushColor(dc_, ColorToRGB(r.Color));
        PatBlt(dc_, r.Rect.Left, r.Rect.Top, r.Rect.Width(), r.Rect.Height(), PATCOPY);
    }
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    SelectedPen pen(dc_, *this);
    MoveToEx(dc_, penPos_.X, penPos_.Y, nullptr);
    ::LineTo(dc_, x, y);
    penPos_ = {x, y};
}

TPoint TCanvas::TextExtent(const std::string& text) {
    SelectedObject f(dc_, Font.Handle());
    SIZE size{};
    const std::wstring wide = Wide(text);
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
}

void TCanvas::TextOutAt(int x, int y, const std::string& text) {
    SelectedObject f(dc_, Font.Handle());
    SetTextColor(dc_, ColorToRGB(Font.Color()));
    if (BrushStyle == TBrushStyle::bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(BrushColor));
    }
    const std::wstring wide = Wide(text);
    TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int TCanvas::DrawTextIn(const std::string& text, TRect& r, UINT format) {
    SelectedObject f(dc_, Font.Handle());
    SetTextColor(dc_, ColorToRGB(Font.Color()));
    SetBkMode(dc_, TRANSPARENT);
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    std::wstring wide = Wide(text);
    int height = DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &rc, format);
    r = {rc.left, rc.top, rc.right, rc.bottom};
    return height;
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    MemoryDC source(dc_);
    SelectedObject s(source.Get(), bitmap.Handle());
    BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), source.Get(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDrawPart(const TRect& dest, const TBitmap& bitmap, const TRect& source) {
    if (bitmap.Empty() || dest.Width() <= 0 || dest.Height() <= 0) return;
    MemoryDC from(dc_);
    SelectedObject s(from.Get(), bitmap.Handle());
    const int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), from.Get(), source.Left,
               source.Top, source.Width(), source.Height(), SRCCOPY);
    SetStretchBltMode(dc_, oldMode);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    StretchDrawPart(dest, bitmap, {0, 0, bitmap.Width(), bitmap.Height()});
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    MemoryDC from(dc_);
    SelectedObject s(from.Get(), bitmap.Handle());
    const COLORREF transparent = GetPixel(from.Get(), 0, bitmap.Height() - 1);
    GdiTransparentBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), from.Get(), 0, 0, bitmap.Width(),
                      bitmap.Height(), transparent);
}

void TCanvas::Polygon(const TPoint* points, int count) {
    std::vector<POINT> corners;
    for (int i = 0; i < count; ++i)
        corners.push_back({points[i].X, points[i].Y});
    PenAndBrush tools(dc_, *this);
    ::Polygon(dc_, corners.data(), count);
}

void TCanvas::RoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
    PenAndBrush tools(dc_, *this);
    ::RoundRect(dc_, r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight);
}

} // namespace tk
