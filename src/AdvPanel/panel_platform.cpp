#include "panel_platform.h"

#include "toolkit/win_handles.h"

#include <windows.h>

namespace advpanel {
namespace {

using IsThemeActiveProc = BOOL(WINAPI*)();

struct ThemeLibrary {
    tk::LibraryModule Module{"uxtheme.dll"};
    IsThemeActiveProc IsThemeActive = nullptr;

    ThemeLibrary() {
        if (Module)
            IsThemeActive = reinterpret_cast<IsThemeActiveProc>(
                reinterpret_cast<void*>(GetProcAddress(Module.Get(), "IsThemeActive")));
    }
};

} // namespace

bool PlatformIsXPOrLater() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return false;
    return IsXPOrLater(info.dwMajorVersion, info.dwMinorVersion);
}

bool PlatformThemeActive() {
    static const ThemeLibrary library;
    return library.IsThemeActive && library.IsThemeActive() != FALSE;
}

} // namespace advpanel
