// Benchmark: opening note files of the given paths into the note's memo, from the open call to
// the memo holding the text, with where the time goes: reading the file, normalising its line
// breaks, comparing with the memo's text, handing the text to the memo, and of that how much the
// memo's word wrapping takes (the same text handed to an edit control that does not wrap), and
// what the same text costs in one message to a wrapping edit control set up as notepad sets up its
// own (its font, in a window of the note's size).
// Prints one line per file: "open <path> <bytes> total <ms> read <ms> normalise <ms> compare
// <ms> settext <ms> settext-nowrap <ms> settext-notepad <ms>", each the median of the runs.
#include "bench_files.h"
#include "notetext/line_breaks.h"
#include "notefiles/note_files.h"
#include "noteform_unit/NoteForm.h"
#include "document/memo_loading.h"
#include "toolkit/forms/application.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::Now;
using bench::ReadWhole;

// Median milliseconds of `action` over `runs` runs; `reset` runs untimed before each.
double MedianMs(int runs, const std::function<void()>& reset, const std::function<void()>& action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        reset();
        const double start = Now();
        action();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The edit controls the memo is measured against.
struct Peers {
    HWND Plain;   // like the memo but without word wrapping, hidden
    HWND Notepad; // wrapping, with notepad's font, filling a window of the note's size
};

void Measure(note::TForm1& note, const Peers& peers, const char* path, int runs) {
    tk::TMemo& memo = *note.Memo1;
    auto clear = [&memo, &peers] {
        memo.SetTextSilently("");
        SetWindowTextA(peers.Plain, "");
        SetWindowTextA(peers.Notepad, "");
    };
    auto none = [] {};
    const double total = MedianMs(runs, clear, [&] {
        note::MemoLoad<tk::TMemo> load(memo, notefiles::ReadNoteFile(path).Text);
        while (!load.Step(Now)) {
        }
        load.Complete();
    });
    std::string bytes;
    const double read = MedianMs(runs, none, [&] { bytes = ReadWhole(path); });
    std::string text;
    const double normalise =
        MedianMs(runs, none, [&] { text = notetext::NormalizeLineBreaks(bytes); });
    const double compare = MedianMs(runs, clear, [&] {
        SendMessageA(memo.Handle(), WM_GETTEXTLENGTH, 0, 0); // an empty memo: lengths differ
    });
    const double setText = MedianMs(runs, clear, [&] { memo.SetTextSilently(text); });
    const double setPlain = MedianMs(runs, clear, [&] { SetWindowTextA(peers.Plain, text.c_str()); });
    const double setNotepad =
        MedianMs(runs, clear, [&] { SetWindowTextA(peers.Notepad, text.c_str()); });
    std::printf("open %s %zu total %.1f read %.1f normalise %.1f compare %.2f settext %.1f "
                "settext-nowrap %.1f settext-notepad %.1f\n",
                path, bytes.size(), total, read, normalise, compare, setText, setPlain,
                setNotepad);
    std::fflush(stdout);
    clear();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: open_bench runs file...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    note::RegisterNoteClasses();
    tk::TApplication application;
    application.Initialize();
    auto* note = application.CreateForm<note::TForm1>();
    application.ShowMainForm(SW_SHOWNORMAL);
    Peers peers{};
    peers.Plain = CreateWindowExA(0, "EDIT", "",
                                  WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                                      WS_HSCROLL | WS_VSCROLL,
                                  0, 0, 300, 200, note->Handle(), nullptr, nullptr, nullptr);
    // Notepad's window at the note's size, shown beside the note; its edit control fills the
    // client area, with a border and a vertical scroll bar, in the 12-pixel System font.
    HWND notepadWindow = CreateWindowExA(0, "STATIC", "notepad-like", WS_OVERLAPPEDWINDOW,
                                         400, 218, 369, 277, nullptr, nullptr, nullptr, nullptr);
    RECT client{};
    GetClientRect(notepadWindow, &client);
    peers.Notepad = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                    WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL |
                                        ES_AUTOVSCROLL | ES_MULTILINE | ES_NOHIDESEL,
                                    0, 0, client.right, client.bottom, notepadWindow, nullptr,
                                    nullptr, nullptr);
    LOGFONTA notepadFont{};
    notepadFont.lfHeight = -12;
    notepadFont.lfWeight = FW_REGULAR;
    notepadFont.lfCharSet = DEFAULT_CHARSET;
    notepadFont.lfPitchAndFamily = FIXED_PITCH | FF_DONTCARE;
    lstrcpyA(notepadFont.lfFaceName, "System");
    const HFONT font = CreateFontIndirectA(&notepadFont);
    SendMessageA(peers.Notepad, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(notepadWindow, SW_SHOWNOACTIVATE);
    for (HWND edit : {peers.Plain, peers.Notepad})
        SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    for (int i = 2; i < argc; ++i)
        Measure(*note, peers, argv[i], runs);
    DestroyWindow(notepadWindow);
    DeleteObject(font);
    DestroyWindow(peers.Plain);
    return 0;
}
