#include "back_buffer.h"

namespace tk {

HDC BackBuffer::Prepare(HDC dc, int width, int height) {
    const int bitsPerPixel = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    if (memory_ && width <= width_ && height <= height_ && bitsPerPixel == bitsPerPixel_)
        return memory_->Get();
    Release();
    auto memory = std::make_unique<MemoryDC>(dc);
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!memory->Get() || !bitmap) return nullptr;
    memory_ = std::move(memory);
    bitmap_ = std::move(bitmap);
    selected_ = std::make_unique<SelectedObject>(memory_->Get(), bitmap_.Get());
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    return memory_->Get();
}

void BackBuffer::Release() {
    selected_.reset();
    bitmap_.Reset();
    memory_.reset();
    width_ = height_ = bitsPerPixel_ = 0;
}

} // namespace tk
