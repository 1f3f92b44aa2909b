// The floor of the note's start-up: the note's window at its size and place, its caption strip's
// colour, and a word-wrapping multi-line edit control in Tahoma where the memo is. Nothing else
// but the start-up marks (see toolkit/startup_marks.h), which cost nothing unless asked for.
#include "toolkit/system/startup_marks.h"

#include <windows.h>

namespace {

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
