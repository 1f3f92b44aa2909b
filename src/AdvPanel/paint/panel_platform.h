#pragma once
// What the panel asks of the platform: its version, whether visual styles are on, and their
// caption parts.
#include <windows.h>

namespace advpanel {

// Major version above 5, or 5 with minor version 1 or more.
constexpr bool IsXPOrLater(unsigned major, unsigned minor) {
    return major > 5 || (major == 5 && minor >= 1);
}

bool PlatformIsXPOrLater();
// Visual styles are active: the visual-styles library is present, exports IsThemeActive, and it
// answers yes. The library is loaded once, on first use, and kept for the program's life.
bool PlatformThemeActive();
// Draws part `part` of the visual style's window class, in its normal state, over `r` on `dc`;
// false when visual styles are unavailable.
bool DrawWindowThemePart(HWND hwnd, HDC dc, int part, const RECT& r);

} // namespace advpanel
