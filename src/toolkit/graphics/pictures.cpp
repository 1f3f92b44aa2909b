#include "pictures.h"

#include "toolkit/base/exceptions.h"
#include "icon_file.h"
#include "toolkit/text/unicode_text.h"

#include <vector>

namespace tk {
namespace {

bool ReadWholeFile(const std::string& path, std::string& data) {
    KernelHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.Get(), &high);
    constexpr DWORD kLimit = 64u << 20; // no picture of ours comes near this
    if (size == INVALID_FILE_SIZE || high != 0 || size > kLimit) return false;
    data.resize(size);
    DWORD read = 0;
    return size == 0 || (ReadFile(file.Get(), data.data(), size, &read, nullptr) && read == size);
}

TPoint IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (color) {
        GetObjectA(color.Get(), sizeof bm, &bm);
        return {bm.bmWidth, bm.bmHeight};
    }
    GetObjectA(mask.Get(), sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight / 2}; // a monochrome icon stacks its mask on its image
}

} // namespace

TPicture::~TPicture() = default;

void TPicture::Clear() {
    bitmap_.reset();
    loaded_.Reset();
    icon_.Reset();
    width_ = height_ = 0;
}

void TPicture::LoadFromData(const std::string& data) {
    Clear();
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromFileData(data);
        width_ = bitmap->Width();
        height_ = bitmap->Height();
        bitmap_ = std::move(bitmap);
        return;
    }
    std::optional<IconImageEntry> entry = BestIconImage(data);
    if (!entry) throw EInvalidOperation("Unsupported picture format");
    auto* bits = reinterpret_cast<BYTE*>(const_cast<char*>(data.data())) + entry->Offset;
    IconHandle icon(CreateIconFromResourceEx(bits, static_cast<DWORD>(entry->Size), TRUE,
                                             0x00030000, entry->Width, entry->Height,
                                             LR_DEFAULTCOLOR));
    if (!icon) throw EInvalidOperation("Unsupported picture format");
    AssignIcon(std::move(icon));
}

bool TPicture::LoadFromFile(const std::string& path) {
    std::string data;
    if (!ReadWholeFile(path, data)) {
        Clear();
        return false;
    }
    try {
        LoadFromData(data);
    } catch (const Exception&) {
        Clear();
    }
    return !Empty();
}

bool TPicture::LoadFromResource(HINSTANCE instance, const std::string& name) {
    Clear();
    if (BitmapHandle bitmap{static_cast<HBITMAP>(
            LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))}) {
        loaded_ = std::move(bitmap);
        BITMAP bm{};
        GetObjectA(loaded_.Get(), sizeof bm, &bm);
        width_ = bm.bmWidth;
        height_ = bm.bmHeight;
        return !Empty();
    }
    if (IconHandle icon{
            static_cast<HICON>(LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, 0))}) {
        AssignIcon(std::move(icon));
        return !Empty();
    }
    HRSRC found = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    try {
        LoadFromData(std::string(static_cast<const char*>(bytes), SizeofResource(instance, found)));
    } catch (const Exception&) {
        Clear();
    }
    return !Empty();
}

void TPicture::AssignIcon(IconHandle icon) {
    Clear();
    TPoint size = icon ? IconSize(icon.Get()) : TPoint{};
    icon_ = std::move(icon);
    width_ = size.X;
    height_ = size.Y;
}

void TPicture::Draw(HDC dc, const TRect& r, bool asDib) const {
    if (Empty() || r.Width() <= 0 || r.Height() <= 0) return;
    if (icon_) {
        DrawIconEx(dc, r.Left, r.Top, icon_.Get(), r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
        return;
    }
    DrawBitmap(dc, bitmap_ ? bitmap_->Handle() : loaded_.Get(), r, asDib);
}

void TPicture::DrawBitmap(HDC dc, HBITMAP bitmap, const TRect& r, bool asDib) const {
    if (!bitmap) return;
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    if (asDib) {
        BITMAPINFO info = Dib32Info(width_, height_);
        std::vector<unsigned> pixels(static_cast<std::size_t>(width_) *
                                     static_cast<std::size_t>(height_));
        MemoryDC screen(nullptr);
        if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height_), pixels.data(), &info,
                      DIB_RGB_COLORS))
            StretchDIBits(dc, r.Left, r.Top, r.Width(), r.Height(), 0, 0, width_, height_,
                          pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    } else {
        MemoryDC source(dc);
        SelectedObject selected(source.Get(), bitmap);
        StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), source.Get(), 0, 0, width_, height_,
                   SRCCOPY);
    }
    SetStretchBltMode(dc, oldMode);
}

} // namespace tk
