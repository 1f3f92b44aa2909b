#include "layout_scaling.h"

namespace tk {

TRect ScaleEdges(const TRect& r, int m, int d) {
    return {MulDivRound(r.Left, m, d), MulDivRound(r.Top, m, d), MulDivRound(r.Right, m, d),
            MulDivRound(r.Bottom, m, d)};
}

int FontSizeFromHeight(int height, int pixelsPerInch) {
    return -MulDivRound(height, 72, pixelsPerInch);
}

int FontHeightFromSize(int size, int pixelsPerInch) {
    return -MulDivRound(size, pixelsPerInch, 72);
}

int ScaleFontHeight(int height, int m, int d, int pixelsPerInch) {
    int size = FontSizeFromHeight(height, pixelsPerInch);
    return FontHeightFromSize(MulDivRound(size, m, d), pixelsPerInch);
}

} // namespace tk
