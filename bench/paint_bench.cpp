// Benchmark: one full repaint of the note's panel (off-screen composition and the copy to the
// window) against a single BitBlt of the same size to the same window, at the note's stored size
// and at 1920 x 1080. Prints the median times in microseconds, one line per size:
// "paint WxH repaint <us> window-blt <us> offscreen-blt <us>"; it does not judge them.
#include "noteform_unit/NoteForm.h"
#include "toolkit/application.h"
#include "toolkit/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
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

void Measure(note::TForm1& note, int width, int height, int runs) {
    note.SetClientSize(width, height);
    Pump();
    HWND panel = note.panel->Handle();
    RECT client;
    GetClientRect(panel, &client);
    const double repaint = MedianMicros(
        runs, [panel] { RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
    tk::WindowDC window(panel);
    tk::MemoryDC memory(window.Get());
    tk::BitmapHandle bitmap(CreateCompatibleBitmap(window.Get(), client.right, client.bottom));
    tk::SelectedObject selected(memory.Get(), bitmap.Get());
    const double toWindow = MedianMicros(runs, [&] {
        BitBlt(window.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    });
    // The same copy between two off-screen bitmaps: every pixel is surely moved.
    tk::MemoryDC target(window.Get());
    tk::BitmapHandle targetBitmap(
        CreateCompatibleBitmap(window.Get(), client.right, client.bottom));
    tk::SelectedObject targetSelected(target.Get(), targetBitmap.Get());
    const double offScreen = MedianMicros(runs, [&] {
        BitBlt(target.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    });
    std::printf("paint %ldx%ld repaint %.1f window-blt %.1f offscreen-blt %.1f\n", client.right,
                client.bottom, repaint, toWindow, offScreen);
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
