// Reads the note window's state for end-to-end tests:
//   wintool topmost   prints 1 when the note window is topmost, else 0
//   wintool enabled   prints "note app": 1 for each of the two windows that is enabled
//   wintool memo      prints the memo's place in the window and the window's size:
//                     "left top width height windowWidth windowHeight"
//   wintool btnface   prints the system's button-face colour as "red green blue"
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "btnface") == 0) {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        std::printf("%d %d %d\n", GetRValue(face), GetGValue(face), GetBValue(face));
        return 0;
    }
    HWND note = FindWindowA("TkTForm1", nullptr);
    if (!note || argc < 2) {
        std::fprintf(stderr, "no note window\n");
        return 2;
    }
    if (std::strcmp(argv[1], "topmost") == 0) {
        std::printf("%d\n", (GetWindowLongA(note, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (std::strcmp(argv[1], "enabled") == 0) {
        HWND app = GetWindow(note, GW_OWNER);
        std::printf("%d %d\n", IsWindowEnabled(note) ? 1 : 0, IsWindowEnabled(app) ? 1 : 0);
        return 0;
    }
    if (std::strcmp(argv[1], "memo") == 0) {
        HWND panel = FindWindowExA(note, nullptr, "TkTAdvPanel", nullptr);
        HWND memo = panel ? FindWindowExA(panel, nullptr, "TkMemo", nullptr) : nullptr;
        if (!memo) return 2;
        RECT m, w;
        GetWindowRect(memo, &m);
        GetWindowRect(note, &w);
        std::printf("%ld %ld %ld %ld %ld %ld\n", m.left - w.left, m.top - w.top, m.right - m.left,
                    m.bottom - m.top, w.right - w.left, w.bottom - w.top);
        return 0;
    }
    return 1;
}
