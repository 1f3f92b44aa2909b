// Reads the note window's state for end-to-end tests:
//   wintool topmost   prints 1 when the note window is topmost, else 0
//   wintool enabled   prints "note app": 1 for each of the two windows that is enabled
//   wintool memo      prints the memo's place in the window and the window's size:
//                     "left top width height windowWidth windowHeight"
//   wintool btnface   prints the system's button-face colour as "red green blue"
//   wintool text      prints the memo's text, UTF-8
//   wintool sel       prints the memo's selection "start end" (UTF-16 units)
//   wintool pitch     prints the memo's line pitch: from its first line to its second, in pixels
//   wintool clipboard prints the clipboard's text, UTF-8
//   wintool syscolors prints the system's window, window text, button face and button text
//                     colours as "r,g,b r,g,b r,g,b r,g,b"
//   wintool lineheight FACE HEIGHT prints the height of a line of that font on the screen
//   WINTOOL_NOTE=TITLE picks the note with that title when several run
//   wintool title     prints the note's title as its task-bar button shows it
//   wintool action N  does what a screen reader's default action on the note's child N does
//   wintool box TITLE prints the text of the message box with that title
//   wintool owner TITLE prints the title of the window that owns the window with that title
//   wintool rect TITLE prints the message box's place "left top right bottom" and the work area of
//                     its monitor, the same way
//   wintool hide PATH gives the file the Hidden attribute
//   wintool attrib PATH prints the file's attributes as letters: A(rchive) H(idden) R(ead-only)
//                     S(ystem), the ones it has
//   wintool link PATH prints what the shortcut (.lnk) starts: "target|arguments", UTF-8
//   wintool press TITLE BUTTON clicks the button captioned BUTTON ("&Yes") of the box TITLE
//   wintool notes     prints a line for every note window:
//                     "pid left top right bottom topmost|title|text" (its CR LF as \n)
#include <windows.h>

#include <oleacc.h>
#include <shlobj.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text);

std::wstring WindowText(HWND window) {
    auto length = static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

BOOL CALLBACK AddNote(HWND window, LPARAM found) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "TkTForm1") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

int PrintNotes() {
    std::vector<HWND> notes;
    EnumWindows(AddNote, reinterpret_cast<LPARAM>(&notes));
    for (auto it = notes.rbegin(); it != notes.rend(); ++it) { // the z-order's bottom first
        HWND note = *it;
        DWORD pid = 0;
        GetWindowThreadProcessId(note, &pid);
        RECT r;
        GetWindowRect(note, &r);
        HWND panel = FindWindowExA(note, nullptr, "TkTAdvPanel", nullptr);
        HWND memo = panel ? FindWindowExA(panel, nullptr, "TkMemo", nullptr) : nullptr;
        std::string text = memo ? Utf8(WindowText(memo)) : std::string();
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.replace(at, 2, "\\n");
        std::printf("%lu %ld %ld %ld %ld %d|%s|%s\n", pid, r.left, r.top, r.right, r.bottom,
                    (GetWindowLongA(note, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0,
                    Utf8(WindowText(GetWindow(note, GW_OWNER))).c_str(), text.c_str());
    }
    return 0;
}

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(),
                                                       static_cast<int>(text.size()), out.data(),
                                                       static_cast<int>(out.size()), nullptr,
                                                       nullptr)));
    return out;
}

std::wstring Wide(const char* utf8) {
    std::wstring out(std::strlen(utf8) + 1, L'\0');
    out.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out.data(), static_cast<int>(out.size())) - 1));
    return out;
}

// Prints bytes as they are, CR LF included.
void PrintRaw(const std::string& bytes) {
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// The longest text of the box's static controls: its message (the other one holds the icon).
BOOL CALLBACK LongestStatic(HWND child, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") != 0) return TRUE;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    auto* longest = reinterpret_cast<std::wstring*>(found);
    if (text.size() > longest->size()) *longest = text;
    return TRUE;
}

// The default action of a child of the window's client object, as a screen reader does it.
int DoDefaultAction(HWND window, long child) {
    CoInitialize(nullptr);
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible, reinterpret_cast<void**>(&object))))
        return 2;
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = child;
    HRESULT hr = object->accDoDefaultAction(which);
    object->Release();
    return SUCCEEDED(hr) ? 0 : 2;
}

// What a shortcut starts, as the shell reads it: "target|arguments".
int PrintLink(const char* path) {
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return 2;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    wchar_t arguments[1024] = {};
    const bool read =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(Wide(path).c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetArguments(arguments, 1024));
    if (file) file->Release();
    link->Release();
    if (!read) return 2;
    std::printf("%s|%s\n", Utf8(target).c_str(), Utf8(arguments).c_str());
    return 0;
}

// The note a test drives: with PINLET_NOTE_X set (the X window the test found it in), the note
// window Wine shows in that X window, so that another note on the display is never read; without
// it, or when none matches, the first note window.
struct NoteSearch {
    std::uintptr_t xWindow;
    HWND found;
};

BOOL CALLBACK MatchNote(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<NoteSearch*>(lParam);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "TkTForm1") != 0) return TRUE;
    if (reinterpret_cast<std::uintptr_t>(GetPropA(window, "__wine_x11_whole_window")) !=
        search->xWindow)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND TheNote() {
    if (const char* x = std::getenv("PINLET_NOTE_X")) {
        NoteSearch search{static_cast<std::uintptr_t>(std::strtoull(x, nullptr, 10)), nullptr};
        EnumWindows(MatchNote, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
    }
    return FindWindowA("TkTForm1", nullptr);
}

// Puts a file's UTF-8 text on the clipboard, as a user's copy would.
int PutOnClipboard(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return 2;
    std::string bytes;
    char chunk[65536];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, got);
    std::fclose(file);
    const std::wstring text = Wide(bytes.c_str());
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!data) return 2;
    std::memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    if (!OpenClipboard(nullptr)) return 2;
    EmptyClipboard();
    const bool put = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    CloseClipboard();
    return put ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "clip") == 0) return PutOnClipboard(argv[2]);
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
    if (argc >= 3 && std::strcmp(argv[1], "link") == 0) return PrintLink(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "box") == 0) {
        HWND box = FindWindowW(L"#32770", Wide(argv[2]).c_str());
        if (!box) return 2;
        std::wstring message;
        EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&message));
        std::printf("%s\n", Utf8(message).c_str());
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "owner") == 0) {
        HWND window = FindWindowW(nullptr, Wide(argv[2]).c_str());
        if (!window) return 2;
        wchar_t title[256] = {};
        GetWindowTextW(GetWindow(window, GW_OWNER), title, 256);
        std::printf("%s\n", Utf8(title).c_str());
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "rect") == 0) {
        HWND box = FindWindowW(L"#32770", Wide(argv[2]).c_str());
        if (!box) return 2;
        RECT r{};
        GetWindowRect(box, &r);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &info);
        const RECT& w = info.rcWork;
        std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom, w.left,
                    w.top, w.right, w.bottom);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "notes") == 0) return PrintNotes();
    if (argc >= 4 && std::strcmp(argv[1], "press") == 0) {
        HWND box = FindWindowW(nullptr, Wide(argv[2]).c_str());
        HWND button = box ? FindWindowExW(box, nullptr, nullptr, Wide(argv[3]).c_str()) : nullptr;
        if (!button) return 2;
        PostMessageW(button, BM_CLICK, 0, 0);
        return 0;
    }
    // The note with the title WINTOOL_NOTE names, when there are several; else the test's own.
    const char* title = std::getenv("WINTOOL_NOTE");
    HWND note = title ? FindWindowW(L"TkTForm1", Wide(title).c_str()) : TheNote();
    if (!note || argc < 2) {
        std::fprintf(stderr, "no note window\n");
        return 2;
    }
    if (argc >= 4 && std::strcmp(argv[1], "lineheight") == 0) { // a font's line on the screen
        HDC screen = GetDC(nullptr);
        HFONT font = CreateFontW(std::atoi(argv[3]), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                 0, 0, 0, 0, Wide(argv[2]).c_str());
        HGDIOBJ old = SelectObject(screen, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen, &metrics);
        SelectObject(screen, old);
        DeleteObject(font);
        ReleaseDC(nullptr, screen);
        std::printf("%ld\n", metrics.tmHeight);
        return 0;
    }
    if (std::strcmp(argv[1], "clipboard") == 0) { // the clipboard's text, UTF-8
        if (!OpenClipboard(nullptr)) return 2;
        std::wstring text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        PrintRaw(Utf8(text));
        return 0;
    }
    if (std::strcmp(argv[1], "syscolors") == 0) { // those a high-contrast note paints with
        for (int element : {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT}) {
            COLORREF c = GetSysColor(element);
            std::printf("%d,%d,%d ", GetRValue(c), GetGValue(c), GetBValue(c));
        }
        std::printf("\n");
        return 0;
    }
    if (std::strcmp(argv[1], "topmost") == 0) {
        std::printf("%d\n", (GetWindowLongA(note, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
        return 0;
    }
    if (std::strcmp(argv[1], "title") == 0) {
        HWND app = GetWindow(note, GW_OWNER);
        std::wstring title(static_cast<size_t>(GetWindowTextLengthW(app)) + 1, L'\0');
        title.resize(static_cast<size_t>(
            GetWindowTextW(app, title.data(), static_cast<int>(title.size()))));
        std::printf("%s\n", Utf8(title).c_str());
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "action") == 0)
        return DoDefaultAction(note, std::atol(argv[2]));
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
        auto length = static_cast<size_t>(SendMessageW(memo, WM_GETTEXTLENGTH, 0, 0));
        std::wstring text(length + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        PrintRaw(Utf8(text));
        return 0;
    }
    if (std::strcmp(argv[1], "sel") == 0) {
        DWORD start = 0, end = 0;
        SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        std::printf("%lu %lu\n", start, end);
        return 0;
    }
    if (std::strcmp(argv[1], "pitch") == 0) { // from the first line's start to the second's
        auto second = SendMessageW(memo, EM_LINEINDEX, 1, 0);
        if (second < 0) return 2;
        LRESULT a = SendMessageW(memo, EM_POSFROMCHAR, 0, 0);
        LRESULT b = SendMessageW(memo, EM_POSFROMCHAR, static_cast<WPARAM>(second), 0);
        std::printf("%d\n", static_cast<short>(HIWORD(b)) - static_cast<short>(HIWORD(a)));
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
