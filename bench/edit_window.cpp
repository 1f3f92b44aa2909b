// The floor of the note's start-up: the note's window at its size and place, its caption strip's
// colour, and a word-wrapping multi-line edit control in Tahoma where the memo is. Nothing else
// but the start-up marks (see toolkit/startup_marks.h), which cost nothing unless asked for.
// Given a file (UTF-8 text), the edit control holds its text: the floor for typing in it.
#include "toolkit/system/startup_marks.h"

#include <windows.h>

#include <string>

namespace {

// The text of a UTF-8 file, for the edit control; empty when it cannot be read.
std::wstring FileText(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(read), text.data(),
                                                        static_cast<int>(text.size()))));
    return text;
}

// The one argument, a file's path, quoted or not (read here rather than through the shell's
// library, which the floor's start-up would then load).
std::wstring FileArgument() {
    std::wstring line = GetCommandLineW();
    size_t end = line[0] == L'"' ? line.find(L'"', 1) : line.find(L' ');
    if (end == std::wstring::npos) return {};
    line.erase(0, end + 1);
    line.erase(0, line.find_first_not_of(L' '));
    if (!line.empty() && line.front() == L'"') line = line.substr(1, line.find(L'"', 1) - 1);
    return line;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        HBRUSH brush = CreateSolidBrush(RGB(228, 228, 182));
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &paint);
        tk::StartupMark("painted");
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    tk::StartupMark("main");
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"EditWindow";
    RegisterClassW(&windowClass);
    HWND hwnd = CreateWindowExW(0, L"EditWindow", L"Floor", WS_POPUP | WS_CLIPCHILDREN, 809, 218,
                                369, 277, nullptr, nullptr, instance, nullptr);
    tk::StartupMark("window made");
    HWND edit = CreateWindowExW(
        0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 1,
        31, 364, 237, hwnd, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                             0, L"Tahoma");
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (const std::wstring file = FileArgument(); !file.empty()) {
        // The limit a memo has: the system's largest.
        SendMessageW(edit, EM_LIMITTEXT, 0, 0);
        SetWindowTextW(edit, FileText(file.c_str()).c_str());
    }
    tk::StartupMark("edit made");
    ShowWindow(hwnd, show == SW_SHOWDEFAULT ? SW_SHOWNORMAL : show);
    tk::StartupMark("shown");
    UpdateWindow(hwnd);
    SetFocus(edit);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DeleteObject(font);
    return 0;
}
