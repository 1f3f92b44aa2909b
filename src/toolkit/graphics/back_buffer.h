#pragma once
// The off-screen surface of a window's double-buffered painting. It is kept between paints and
// made anew only when the window outgrows it or the screen's format changes: making a large
// bitmap (and touching its fresh memory) for every paint costs more than the painting itself.
#include "toolkit/base/win_handles.h"

namespace tk {

class BackBuffer {
public:
    BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // A memory device context compatible with `dc` holding a bitmap of at least width x height,
    // or null when the system cannot make one. Valid until the next call or Release.
    HDC Prepare(HDC dc, int width, int height);
    void Release();

private:
    // Released in the reverse order: the bitmap is deselected before it is deleted, and both
    // before the device context goes.
    MemoryDC memory_;
    BitmapHandle bitmap_;
    SelectedObject selected_;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
};

} // namespace tk
