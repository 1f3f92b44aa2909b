// Benchmark: what the memo takes, for the limits on a note's text. For each file it opens the
// text into the note's memo (which holds a small text before), saves it back to a scratch file,
// and pins and unpins the note (the memo must keep its whole text through both), printing per
// step its time and whether the text came through whole:
//   "limits <path> <bytes> open <ms> <ok|message> save <ms> <ok|...> pin <ms> <ok|...>
//    peak <MB>"
// Options before the files: "--open-only" measures the open and the typing alone; "--pieces" hands
// the text over as the note opens a file (room for the whole text first, then in pieces) instead
// of in one message; "--system-breaks" gives the memo the system's word-break procedure instead of
// its own, for comparison, and implies "--open-only". The note's limits refuse the largest
// files before the memo is touched; this program hands the text to the memo directly, past them.
#include "bench_files.h"
#include "notetext/line_breaks.h"
#include "notefiles/note_files.h"
#include "noteform_unit/NoteForm.h"
#include "document/memo_loading.h"
#include "toolkit/forms/application.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace {

using bench::Now;
using bench::ReadWhole;

// Runs a step; prints its time and "ok" or what went wrong.
bool Step(const char* name, const std::function<std::string()>& step) {
    std::string result;
    const double start = Now();
    try {
        result = step();
    } catch (const tk::Exception& e) {
        result = e.Message();
    } catch (const std::exception& e) {
        result = std::string("exception: ") + e.what();
    }
    std::printf(" %s %.0f %s", name, Now() - start, result.empty() ? "ok" : result.c_str());
    std::fflush(stdout);
    return result.empty();
}

struct Options {
    bool OpenOnly = false;
    bool Pieces = false;
};

// Hands `text` to the memo in one message, or in pieces as the note opens a file; "" when the
// memo holds it whole.
std::string HandOver(tk::TMemo& memo, std::string text, bool pieces) {
    const size_t expected = text.size();
    if (pieces) {
        note::MemoLoad<tk::TMemo> load(memo, std::move(text));
        while (!load.Step(Now)) {
        }
        load.Complete();
    } else if (!memo.SetTextSilently(text)) {
        return "refused";
    }
    const size_t held = memo.TextLength();
    return held == expected ? std::string() : "took " + std::to_string(held);
}

void Measure(note::TForm1& note, const char* path, const Options& options) {
    tk::TMemo& memo = *note.Memo1;
    std::string before; // what the note held before: 64 KB of short lines
    while (before.size() < 64 * 1024)
        before += "an earlier note, line after line\r\n";
    memo.SetTextSilently(before);
    size_t expected = 0;
    std::printf("limits %s", path);
    bool taken = Step("open", [&] {
        std::string text = notetext::NormalizeLineBreaks(ReadWhole(path));
        expected = text.size();
        return HandOver(memo, std::move(text), options.Pieces);
    });
    std::printf(" bytes %zu", expected);
    if (taken) {
        const int keys = 10;
        const double start = Now();
        SendMessageA(memo.Handle(), EM_SETSEL, 0, 0);
        for (int i = 0; i < keys; ++i)
            SendMessageA(memo.Handle(), WM_CHAR, 'k', 0);
        std::printf(" type %.1f", (Now() - start) / keys);
        expected += keys;
        std::printf(" %s", memo.TextLength() == expected ? "ok" : "lost");
    }
    if (taken && !options.OpenOnly) {
        std::string scratch = std::string(path) + ".saved";
        Step("save", [&] {
            notefiles::WriteNoteFile(scratch, memo.Text());
            WIN32_FILE_ATTRIBUTE_DATA data{};
            GetFileAttributesExA(scratch.c_str(), GetFileExInfoStandard, &data);
            DeleteFileA(scratch.c_str());
            return data.nFileSizeLow == expected ? std::string()
                                                 : "wrote " + std::to_string(data.nFileSizeLow);
        });
        Step("pin", [&] {
            note.Label2Click(&note);
            size_t held = memo.TextLength();
            note.Label2Click(&note);
            return held == expected ? std::string() : "kept " + std::to_string(held);
        });
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf(" peak %lu\n", static_cast<unsigned long>(counters.PeakPagefileUsage >> 20));
    std::fflush(stdout);
    memo.SetTextSilently("");
}

} // namespace

int main(int argc, char** argv) {
    int first = 1;
    bool systemBreaks = false;
    Options options;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        systemBreaks = systemBreaks || std::strcmp(argv[first], "--system-breaks") == 0;
        options.OpenOnly = options.OpenOnly || std::strcmp(argv[first], "--open-only") == 0;
        options.Pieces = options.Pieces || std::strcmp(argv[first], "--pieces") == 0;
    }
    options.OpenOnly = options.OpenOnly || systemBreaks;
    if (first >= argc) {
        std::fprintf(stderr,
                     "usage: limits_bench [--open-only] [--pieces] [--system-breaks] file...\n");
        return 2;
    }
    note::RegisterNoteClasses();
    tk::TApplication application;
    application.Initialize();
    auto* note = application.CreateForm<note::TForm1>();
    application.ShowMainForm(SW_SHOWNORMAL);
    if (systemBreaks) SendMessageA(note->Memo1->Handle(), EM_SETWORDBREAKPROC, 0, 0);
    for (int i = first; i < argc; ++i)
        Measure(*note, argv[i], options);
    return 0;
}
