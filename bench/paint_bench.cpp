// Benchmark: one full repaint of the note's panel (through the window's paint message, composed
// off-screen and copied to the window) at the note's stored size and at 1920 x 1080, with its
// references measured in the same run: the panel's own painting into an off-screen surface, the
// full repaint of a bare system window of the same size (the platform's cost of any repaint), a
// single BitBlt of the same size to the window and one between two off-screen bitmaps. Prints
// the medians in microseconds, one line per size:
//   "paint WxH repaint <us> panel-only <us> bare-window <us> window-blt <us> offscreen-blt <us>"
// It does not judge them.
#include "noteform_unit/NoteForm.h"
#include "toolkit/forms/application.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median duration of `action` in microseconds over `runs` runs, after a few to warm up.
double MedianMicros(int runs, const std::function<void()>& action) {
    for (int i = 0; i < 5; ++i)
        action();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        action();
        GdiFlush();
        times.push_back((Now() - start) * 1e6);
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

void Redraw(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Measure(note::TForm1& note, int width, int height, int runs) {
    note.SetClientSize(width, height);
    Pump();
    HWND panel = note.panel->Handle();
    RECT client;
    GetClientRect(panel, &client);
    const int w = client.right, h = client.bottom;
    const double repaint = MedianMicros(runs, [panel] { Redraw(panel); });

    tk::WindowDC window(panel);
    tk::MemoryDC memory(window.Get());
    tk::BitmapHandle bitmap(CreateCompatibleBitmap(window.Get(), w, h));
    tk::SelectedObject selected(memory.Get(), bitmap.Get());
    HDC source = memory.Get();
    const double panelOnly = MedianMicros(runs, [panel, source] {
        SendMessageA(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(source), PRF_CLIENT);
    });

    HWND bare = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                                nullptr, nullptr, nullptr);
    const double bareWindow = MedianMicros(runs, [bare] { Redraw(bare); });
    DestroyWindow(bare);

    const double toWindow =
        MedianMicros(runs, [&] { BitBlt(window.Get(), 0, 0, w, h, source, 0, 0, SRCCOPY); });
    // The same copy between two off-screen bitmaps: every pixel is surely moved.
    tk::MemoryDC target(window.Get());
    tk::BitmapHandle targetBitmap(CreateCompatibleBitmap(window.Get(), w, h));
    tk::SelectedObject targetSelected(target.Get(), targetBitmap.Get());
    const double offScreen =
        MedianMicros(runs, [&] { BitBlt(target.Get(), 0, 0, w, h, source, 0, 0, SRCCOPY); });
    std::printf("paint %dx%d repaint %.1f panel-only %.1f bare-window %.1f window-blt %.1f "
                "offscreen-blt %.1f\n",
                w, h, repaint, panelOnly, bareWindow, toWindow, offScreen);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    note::RegisterNoteClasses();
    tk::TApplication application;
    application.Initialize();
    auto* note = application.CreateForm<note::TForm1>();
    application.ShowMainForm(SW_SHOWNORMAL);
    Pump();
    Measure(*note, 369, 277, runs);
    Measure(*note, 1920, 1080, runs);
    return 0;
}
