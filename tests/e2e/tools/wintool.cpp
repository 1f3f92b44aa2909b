// Reads the note window's state for end-to-end tests:
//   wintool topmost   prints 1 when the note window is topmost, else 0
//   wintool enabled   prints "note app": 1 for each of the two windows that is enabled
//   wintool memo      prints the memo's place in the window and the window's size:
//                     "left top width height windowWidth windowHeight"
//   wintool btnface   prints the system's button-face colour as "red green blue"
//   wintool text      prints the memo's text, byte for byte
//   wintool box TITLE prints the text of the message box with that title
//   wintool hide PATH gives the file the Hidden attribute
//   wintool attrib PATH prints the file's attributes as letters: A(rchive) H(idden) R(ead-only)
//                     S(ystem), the ones it has
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// The longest text of the box's static controls: its message (the other one holds the icon).
BOOL CALLBACK LongestStatic(HWND child, LPARAM found) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(child)) + 1);
    GetWindowTextA(child, text.data(), static_cast<int>(text.size()));
    auto* longest = reinterpret_cast<std::string*>(found);
    if (std::strlen(text.data()) > longest->size()) *longest = text.data();
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "btnface") == 0) {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        std::printf("%d %d %d\n", GetRValue(face), GetGValue(face), GetBValue(face));
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "hide") == 0)
        return SetFileAttributesA(argv[2], GetFileAttributesA(argv[2]) | FILE_ATTRIBUTE_HIDDEN) ? 0
                                                                                                : 2;
    if (argc >= 3 && std::strcmp(argv[1], "attrib") == 0) {
        DWORD attributes = GetFileAttributesA(argv[2]);
        if (attributes == INVALID_FILE_ATTRIBUTES) return 2;
        const std::pair<DWORD, char> letters[] = {{FILE_ATTRIBUTE_ARCHIVE, 'A'},
                                                  {FILE_ATTRIBUTE_HIDDEN, 'H'},
                                                  {FILE_ATTRIBUTE_READONLY, 'R'},
                                                  {FILE_ATTRIBUTE_SYSTEM, 'S'}};
        for (auto [flag, letter] : letters)
            if (attributes & flag) std::putchar(letter);
        std::putchar('\n');
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "box") == 0) {
        HWND box = FindWindowA("#32770", argv[2]);
        if (!box) return 2;
        std::string message;
        EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&message));
        std::printf("%s\n", message.c_str());
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
    HWND panel = FindWindowExA(note, nullptr, "TkTAdvPanel", nullptr);
    HWND memo = panel ? FindWindowExA(panel, nullptr, "TkMemo", nullptr) : nullptr;
    if (!memo) return 2;
    if (std::strcmp(argv[1], "text") == 0) {
        // Asked of the control itself: another process's edit control keeps no caption.
        auto length = static_cast<size_t>(SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0));
        std::vector<char> text(length + 1);
        auto got = static_cast<size_t>(
            SendMessageA(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
        _setmode(_fileno(stdout), _O_BINARY); // the bytes as they are, CR LF included
        std::fwrite(text.data(), 1, got, stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "memo") == 0) {
        RECT m, w;
        GetWindowRect(memo, &m);
        GetWindowRect(note, &w);
        std::printf("%ld %ld %ld %ld %ld %ld\n", m.left - w.left, m.top - w.top, m.right - m.left,
                    m.bottom - m.top, w.right - w.left, w.bottom - w.top);
        return 0;
    }
    return 1;
}
