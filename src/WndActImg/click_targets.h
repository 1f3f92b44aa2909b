#pragma once
// Which part of a window a press on a window-action image stands for.

namespace wndact {

enum class TClickTargets {
    atCaption,
    atBorderTop,
    atBorderRight,
    atBorderBottom,
    atBorderLeft,
    atCornerTopRight,
    atCornerTopLeft,
    atCornerBottonRight,
    atCornerBottomLeft,
    atNone,
};

// The non-client hit-test code sent for a target given by its ordinal; any ordinal outside the
// ten targets sends 0 (no move, no size), as atNone does.
int HitTestCodeFor(int ordinal);

} // namespace wndact
