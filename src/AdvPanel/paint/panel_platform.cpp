#include "AdvPanel/paint/panel_platform.h"

#include "toolkit/system/system_library.h"

#include <windows.h>

namespace advpanel {
namespace {

using ThemeHandle = HANDLE;
using IsThemeActiveProc = BOOL(WINAPI*)();
using OpenThemeDataProc = ThemeHandle(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataProc = HRESULT(WINAPI*)(ThemeHandle);
using DrawThemeBackgroundProc = HRESULT(WINAPI*)(ThemeHandle, HDC, int, int, const RECT*,
                                                 const RECT*);

struct ThemeLibrary {
    IsThemeActiveProc IsThemeActive = Function<IsThemeActiveProc>("IsThemeActive");
    OpenThemeDataProc OpenThemeData = Function<OpenThemeDataProc>("OpenThemeData");
    CloseThemeDataProc CloseThemeData = Function<CloseThemeDataProc>("CloseThemeData");
    DrawThemeBackgroundProc DrawThemeBackground =
        Function<DrawThemeBackgroundProc>("DrawThemeBackground");

    template <typename Proc> static Proc Function(const char* name) {
        return tk::SystemFunction<Proc>("uxtheme.dll", name);
    }
};

const ThemeLibrary& Themes() {
    static const ThemeLibrary library;
    return library;
}

} // namespace

bool PlatformIsXPOrLater() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info)) return false;
    return IsXPOrLater(info.dwMajorVersion, info.dwMinorVersion);
}

bool PlatformThemeActive() {
    return Themes().IsThemeActive && Themes().IsThemeActive() != FALSE;
}

bool DrawWindowThemePart(HWND hwnd, HDC dc, int part, const RECT& r) {
    const ThemeLibrary& themes = Themes();
    if (!themes.OpenThemeData || !themes.CloseThemeData || !themes.DrawThemeBackground)
        return false;
    ThemeHandle theme = themes.OpenThemeData(hwnd, L"window");
    if (!theme) return false;
    constexpr int kNormalState = 1;
    themes.DrawThemeBackground(theme, dc, part, kNormalState, &r, nullptr);
    themes.CloseThemeData(theme);
    return true;
}

} // namespace advpanel
