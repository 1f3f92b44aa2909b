#pragma once
// Whether the user has a high-contrast theme on: then programs paint with the system's colours.
#include <windows.h>

namespace tk {

bool HighContrastOn();

// Whether a message tells that the setting or the system's colours may have changed.
inline bool ContrastMayHaveChanged(UINT message) {
    return message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE;
}

} // namespace tk
