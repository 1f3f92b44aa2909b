#include "desktop_places.h"

#include <algorithm>
#include <vector>

namespace note {
namespace {

bool IsOtherNote(HWND window, HWND self) {
    if (window == self || !IsWindowVisible(window)) return false;
    wchar_t mine[64] = {}, theirs[64] = {};
    GetClassNameW(self, mine, 64);
    GetClassNameW(window, theirs, 64);
    if (wcscmp(mine, theirs) != 0) return false;
    DWORD ours = 0, process = 0;
    GetWindowThreadProcessId(self, &ours);
    GetWindowThreadProcessId(window, &process);
    return process != ours;
}

struct CornerSearch {
    HWND self;
    std::vector<POINT> corners;
};

BOOL CALLBACK AddCorner(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<CornerSearch*>(data);
    RECT r;
    if (IsOtherNote(window, search.self) && GetWindowRect(window, &r))
        search.corners.push_back({r.left, r.top});
    return TRUE;
}

std::vector<POINT> OtherNoteCorners(HWND self) {
    CornerSearch search{self, {}};
    EnumWindows(AddCorner, reinterpret_cast<LPARAM>(&search));
    return search.corners;
}

// The monitor's DPI where the system tells it per monitor, else the system's.
int DpiOf(HMONITOR monitor) {
    using GetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto query = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitor>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    if (query && SUCCEEDED(query(monitor, 0, &x, &y)) && x > 0) return static_cast<int>(x);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT Offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

} // namespace

recovery::Rect RectOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

RECT RectOf(const recovery::Rect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

namespace {

MONITORINFO InfoOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info;
}

} // namespace

MonitorPlace MonitorNear(const RECT& r) {
    HMONITOR monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    const MONITORINFO info = InfoOf(monitor);
    return {RectOf(info.rcMonitor), RectOf(info.rcWork), DpiOf(monitor)};
}

recovery::Rect WorkAreaNear(const RECT& r) {
    return RectOf(InfoOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST)).rcWork);
}

int CascadeStep() {
    return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
}

RECT ClearOfOtherNotes(HWND self, RECT wanted) {
    const std::vector<POINT> taken = OtherNoteCorners(self);
    const recovery::Rect work = WorkAreaNear(wanted);
    const int step = CascadeStep();
    // Every step lands on a new corner, so as many steps as there are notes always find one free.
    for (size_t tries = 0; tries <= taken.size(); ++tries) {
        const bool free = std::none_of(taken.begin(), taken.end(), [&](const POINT& p) {
            return p.x == wanted.left && p.y == wanted.top;
        });
        if (free) break;
        wanted = Offset(wanted, step, step);
        if (wanted.right > work.Right || wanted.bottom > work.Bottom)
            wanted = Offset(wanted, work.Left - wanted.left, work.Top - wanted.top);
    }
    return wanted;
}

RECT BesideNote(HWND self, HWND other) {
    RECT mine, theirs;
    GetWindowRect(self, &mine);
    if (!IsWindow(other) || !GetWindowRect(other, &theirs)) return ClearOfOtherNotes(self, mine);
    const int step = CascadeStep();
    RECT wanted = Offset(mine, theirs.left + step - mine.left, theirs.top + step - mine.top);
    // Kept on the work area of the other note's monitor.
    const recovery::Rect work = WorkAreaNear(theirs);
    const int left = std::max<int>(work.Left, std::min<int>(wanted.left, work.Right - (wanted.right - wanted.left)));
    const int top = std::max<int>(work.Top, std::min<int>(wanted.top, work.Bottom - (wanted.bottom - wanted.top)));
    return ClearOfOtherNotes(self, Offset(wanted, left - wanted.left, top - wanted.top));
}

RECT RecordedPlace(const recovery::NotePlace& place) {
    const RECT was = RectOf(place.Window);
    // The monitor the note was on is there when one has exactly its rectangle.
    const MonitorPlace now = MonitorNear(was);
    const bool same = now.Whole == place.Monitor;
    return RectOf(recovery::PlaceOnDesktop(place, same, now.WorkArea, now.Dpi));
}

} // namespace note
