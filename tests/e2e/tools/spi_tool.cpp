// Reads or sets system settings for end-to-end tests:
//   spi_tool get        prints the drag-full-windows setting, 0 or 1
//   spi_tool set 0|1    sets it as the user's own setting
//   spi_tool hc get     prints 1 while a high-contrast theme is on, else 0
//   spi_tool hc 1|0     turns high contrast on or off, telling every window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kSettingKey = "Control Panel\\Accessibility\\HighContrast";

// As the system reports it; a system that keeps no such setting (Wine) reports no flags, and
// then the setting where Windows keeps it counts.
bool HighContrastOn() {
    HIGHCONTRASTW hc{sizeof(hc), 0, nullptr};
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0)) return false;
    if (hc.dwFlags & HCF_AVAILABLE) return (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
    char flags[16] = {};
    DWORD size = sizeof(flags) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingKey, "Flags", RRF_RT_REG_SZ, nullptr, flags,
                     &size) != ERROR_SUCCESS)
        return false;
    return (std::strtoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

// Where the system cannot set it (Wine), the setting is written where Windows keeps it and the
// change told to every window, as the system would.
bool KeepSetting(bool on) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const std::string flags = std::to_string(HCF_AVAILABLE | (on ? HCF_HIGHCONTRASTON : 0));
    const bool kept = RegSetValueExA(key, "Flags", 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(flags.c_str()),
                                     static_cast<DWORD>(flags.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG,
                        5000, &result);
    return kept;
}

// The switch alone: the theme's colours are the system's colours as they are (Wine, whose
// running programs would not see another program's new colours, keeps its own).
int SetHighContrast(bool on) {
    HIGHCONTRASTW hc{sizeof(hc), static_cast<DWORD>(HCF_AVAILABLE | (on ? HCF_HIGHCONTRASTON : 0)),
                     nullptr};
    const bool set = SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(hc), &hc,
                                           SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) ||
                     KeepSetting(on);
    return set ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "hc") == 0) {
        if (std::strcmp(argv[2], "get") == 0) {
            std::printf("%d\n", HighContrastOn() ? 1 : 0);
            return 0;
        }
        return SetHighContrast(argv[2][0] == '1');
    }
    if (argc >= 2 && std::strcmp(argv[1], "get") == 0) {
        BOOL value = FALSE;
        if (!SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &value, 0)) return 2;
        std::printf("%d\n", value ? 1 : 0);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "set") == 0) {
        UINT value = argv[2][0] == '1' ? 1 : 0;
        return SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, value, nullptr,
                                     SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
                   ? 0
                   : 2;
    }
    std::fprintf(stderr, "usage: spi_tool get | set 0|1 | hc get | hc 1|0\n");
    return 1;
}
