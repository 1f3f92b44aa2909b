#pragma once
// Plain geometry types shared by the OS-free logic and the Win32 layer.

namespace tk {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Half-open rectangle: covers columns Left..Right-1 and rows Top..Bottom-1.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    static TRect FromBounds(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    bool Intersects(const TRect& o) const {
        return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// a * b / c rounded to the nearest integer, halves away from zero, for operands of any sign (a
// negative divisor turns the sign of the result); -1 for a zero divisor or a result beyond 32
// bits, as the system's MulDiv answers. Every scaling of the program rounds through this one.
int MulDivRound(int a, int b, int c);

} // namespace tk
