#include "high_contrast.h"

#include <cwchar>

namespace tk {

namespace {

// Where Windows keeps the user's setting: the flags as a decimal text.
bool KeptSettingOn() {
    wchar_t flags[16] = {};
    DWORD size = sizeof(flags) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                     RRF_RT_REG_SZ, nullptr, flags, &size) != ERROR_SUCCESS)
        return false;
    return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

} // namespace

bool HighContrastOn() {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof(setting);
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0)) return false;
    // Windows always reports the setting as available. A system that does not (Wine keeps no
    // such setting and answers with no flags at all) is asked where Windows keeps it.
    if (!(setting.dwFlags & HCF_AVAILABLE)) return KeptSettingOn();
    return (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace tk
