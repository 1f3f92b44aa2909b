#pragma once
// A picture of any supported kind (bitmap or icon) with its size, and its loading from file
// images, files and the program's resources.
#include "graphics.h"

#include <memory>
#include <string>

namespace tk {

class TPicture {
public:
    TPicture() = default;
    TPicture(TPicture&&) noexcept = default;
    TPicture& operator=(TPicture&&) noexcept = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
    ~TPicture();

    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // A bitmap (BMP) or icon (ICO) file image. Throws EInvalidOperation for anything else.
    void LoadFromData(const std::string& data);
    // These leave the picture empty and return false when nothing could be loaded.
    bool LoadFromFile(const std::string& path);
    // A bitmap or icon resource of that name, or raw data holding a BMP or ICO file image.
    bool LoadFromResource(HINSTANCE instance, const std::string& name);
    // Takes an icon over; its size is read from the icon.
    void AssignIcon(IconHandle icon);

    // Stretched into `r`; `asDib` copies a bitmap's pixels through a device-independent
    // transfer, which printers need.
    void Draw(HDC dc, const TRect& r, bool asDib = false) const;

private:
    void Clear();
    void DrawBitmap(HDC dc, HBITMAP bitmap, const TRect& r, bool asDib) const;

    std::unique_ptr<TBitmap> bitmap_; // from a file image
    BitmapHandle loaded_;             // a bitmap resource
    IconHandle icon_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace tk
