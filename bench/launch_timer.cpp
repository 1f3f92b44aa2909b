// Measures start-up from inside the system: starts a program, waits until a visible window whose
// title contains the given text is on the screen (and, when a colour is given, shows that colour
// at the given point of its client area), and prints the milliseconds that took. Polling every
// millisecond in-process keeps the measurement fine-grained. The program is ended afterwards,
// after `linger` milliseconds (so that its memory can be read meanwhile).
// Usage: launch_timer <title part> <x> <y> <RRGGBB or -> <linger ms> <program> [argument]
// Prints "<ms>", or "-1" when no such window appeared within 10 minutes (a large file can take
// that long to open).
#include "bench_clock.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
    const char* TitlePart;
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->ProcessId || !IsWindowVisible(hwnd)) return TRUE;
    char title[512] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    if (!std::strstr(title, search->TitlePart)) return TRUE;
    search->Found = hwnd;
    return FALSE;
}

// Reads the pixel through a device context of the whole window that does not leave its children
// out (a window's own context does), so the children's painting counts.
bool ShowsColour(HWND hwnd, int x, int y, COLORREF colour) {
    HDC dc = GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE);
    const COLORREF seen = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return seen == colour;
}

using bench::Now;

} // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: launch_timer title x y RRGGBB|- linger program [arg]\n");
        return 2;
    }
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const bool checkColour = std::strcmp(argv[4], "-") != 0;
    const unsigned long rgb = std::strtoul(argv[4], nullptr, 16);
    const COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    const int linger = std::atoi(argv[5]);
    std::string command = std::string("\"") + argv[6] + "\"";
    if (argc > 7) command += std::string(" \"") + argv[7] + "\"";

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[6]);
        return 1;
    }
    double elapsed = -1;
    while (Now() - start < 600000) {
        Search search{argv[1], process.dwProcessId, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.Found && (!checkColour || ShowsColour(search.Found, x, y, colour))) {
            elapsed = Now() - start;
            break;
        }
        Sleep(1);
    }
    std::printf("%.0f\n", elapsed);
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(linger));
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
