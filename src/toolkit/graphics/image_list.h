#pragma once
// A list of pictures of one size, drawn by index.
#include "toolkit/components/component.h"
#include "pictures.h"

#include <vector>

namespace tk {

class TImageList : public TComponent {
public:
    TImageList(TComponent* owner, int width, int height);
    ~TImageList() override;
    const char* ClassName() const override { return "TImageList"; }

    int Count() const { return static_cast<int>(pictures_.size()); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Adds a picture (stretched to the list's size when drawn); returns its index.
    int Add(TPicture picture);
    // Draws picture `index` into `r`; an index outside the list draws nothing.
    void Draw(HDC dc, int index, const TRect& r, bool asDib = false) const;

private:
    int width_;
    int height_;
    std::vector<TPicture> pictures_;
};

} // namespace tk
