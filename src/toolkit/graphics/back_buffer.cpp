#include "back_buffer.h"

namespace tk {

HDC BackBuffer::Prepare(HDC dc, int width, int height) {
    const int bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    if (memory_ && width <= width_ && height <= height_ && bitsPerPixel == bitsPerPixel_)
        return memory_.Get();
    Release();
    MemoryDC memory(dc);
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!memory || !bitmap) return nullptr;
    memory_ = std::move(memory);
    bitmap_ = std::move(bitmap);
    selected_ = SelectedObject(memory_.Get(), bitmap_.Get());
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    return memory_.Get();
}

void BackBuffer::Release() {
    selected_.Reset();
    bitmap_.Reset();
    memory_.Reset();
    width_ = height_ = bitsPerPixel_ = 0;
}

} // namespace tk
