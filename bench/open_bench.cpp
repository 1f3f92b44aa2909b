// Benchmark: opening note files of the given paths into the note's memo, from the open call to
// the memo holding the text, with where the time goes: reading the file, normalising its line
// breaks, comparing with the memo's text, handing the text to the memo, and of that how much the
// memo's word wrapping takes (the same text handed to an edit control that does not wrap).
// Prints one line per file: "open <path> <bytes> total <ms> read <ms> normalise <ms> compare
// <ms> settext <ms> settext-nowrap <ms>", each the median of the runs.
#include "bench_files.h"
#include "notefiles/line_breaks.h"
#include "notefiles/note_files.h"
#include "noteform_unit/NoteForm.h"
#include "noteform_unit/memo_loading.h"
#include "toolkit/application.h"
#include "toolkit/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::IsLead;
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

void Measure(note::TForm1& note, HWND plainEdit, const char* path, int runs) {
    tk::TMemo& memo = *note.Memo1;
    auto clear = [&memo, plainEdit] {
        memo.SetTextSilently("");
        SetWindowTextA(plainEdit, "");
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
        MedianMs(runs, none, [&] { text = notefiles::NormalizeLineBreaks(bytes, IsLead); });
    const double compare = MedianMs(runs, clear, [&] {
        SendMessageA(memo.Handle(), WM_GETTEXTLENGTH, 0, 0); // an empty memo: lengths differ
    });
    const double setText = MedianMs(runs, clear, [&] { memo.SetTextSilently(text); });
    const double setPlain = MedianMs(runs, clear, [&] { SetWindowTextA(plainEdit, text.c_str()); });
    std::printf("open %s %zu total %.1f read %.1f normalise %.1f compare %.2f settext %.1f "
                "settext-nowrap %.1f\n",
                path, bytes.size(), total, read, normalise, compare, setText, setPlain);
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
    // An edit control like the memo but without word wrapping, hidden.
    HWND plainEdit = CreateWindowExA(0, "EDIT", "",
                                     WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                                         WS_HSCROLL | WS_VSCROLL,
                                     0, 0, 300, 200, note->Handle(), nullptr, nullptr, nullptr);
    SendMessageA(plainEdit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    for (int i = 2; i < argc; ++i)
        Measure(*note, plainEdit, argv[i], runs);
    DestroyWindow(plainEdit);
    return 0;
}
