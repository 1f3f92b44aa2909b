// Measures how long notes take to come to the screen, from inside the system: runs a command
// `starts` times in a row (each start waits until one more note window is shown and painted),
// or once, until `count` note windows are; prints the milliseconds from the first start until
// the last note showed the caption's colour at (x, y).
// Usage: desktop_timer <count> <starts> <x> <y> <RRGGBB> <program> [argument]
// Prints "<ms>", or "-1" when the notes did not all come within two minutes.
#include "bench_clock.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    int X, Y;
    COLORREF Colour;
    int Painted;
};

BOOL CALLBACK CountPainted(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) != "TkTForm1" || !IsWindowVisible(hwnd)) return TRUE;
    HDC dc = GetDCEx(hwnd, nullptr, DCX_WINDOW | DCX_CACHE);
    if (GetPixel(dc, search->X, search->Y) == search->Colour) ++search->Painted;
    ReleaseDC(hwnd, dc);
    return TRUE;
}

int PaintedNotes(int x, int y, COLORREF colour) {
    Search search{x, y, colour, 0};
    EnumWindows(CountPainted, reinterpret_cast<LPARAM>(&search));
    return search.Painted;
}

using bench::Now;

bool Start(const std::string& command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = command;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Waits until `count` notes are painted; false after two minutes.
bool WaitFor(int count, int x, int y, COLORREF colour, double started) {
    while (PaintedNotes(x, y, colour) < count) {
        if (Now() - started > 120000) return false;
        Sleep(1);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: desktop_timer count starts x y RRGGBB program [argument]\n");
        return 2;
    }
    const int count = std::atoi(argv[1]), starts = std::atoi(argv[2]);
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    const unsigned long rgb = std::strtoul(argv[5], nullptr, 16);
    const COLORREF colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    std::string command = std::string("\"") + argv[6] + "\"";
    if (argc > 7) command += std::string(" \"") + argv[7] + "\"";
    const int before = PaintedNotes(x, y, colour);
    const double started = Now();
    for (int i = 1; i <= starts; ++i) {
        if (!Start(command)) {
            std::printf("-1\n");
            return 1;
        }
        const int wanted = before + (i == starts ? count : i * count / starts);
        if (!WaitFor(wanted, x, y, colour, started)) {
            std::printf("-1\n");
            return 1;
        }
    }
    std::printf("%.0f\n", Now() - started);
    return 0;
}
