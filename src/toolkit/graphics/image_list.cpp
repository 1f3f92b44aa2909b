#include "image_list.h"

namespace tk {

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {}

TImageList::~TImageList() = default;

int TImageList::Add(TPicture picture) {
    pictures_.push_back(std::move(picture));
    return Count() - 1;
}

void TImageList::Draw(HDC dc, int index, const TRect& r, bool asDib) const {
    if (index < 0 || index >= Count()) return;
    pictures_[static_cast<std::size_t>(index)].Draw(dc, r, asDib);
}

} // namespace tk
