// Benchmark: Find in a large note, as the note does it: the memo's text fetched from the edit
// control, the search (a word that occurs only near the end, down from the start: the longest
// search there is), and the found word selected and scrolled into view. Beside it, the fetch
// alone and the standard library's plain find on the same text. For each size in MB given
// (default 1 and 10), prints "find <MB> <total ms> <fetch ms> <search ms> <case-sensitive
// search ms> <wstring::find ms>", each the median of `runs` (default 7).
#include "bench_files.h"
#include "toolkit/text/system_alphabet.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::wstring MemoText(HWND edit) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1, 10};
    HWND window = CreateWindowExW(0, L"STATIC", L"find bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL,
                                0, 0, 380, 280, window, nullptr, nullptr, nullptr);
    SendMessageW(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    const tk::SearchAlphabet& alphabet = tk::SystemAlphabet(); // made once per note, not timed
    const std::wstring line = L"Bevásárlás: kenyér, tej, alma, körte, sajt és egy kis vaj.\r\n";
    const std::wstring word = L"Zsemlemorzsa";
    for (int mb : sizes) {
        std::wstring text;
        while (text.size() * 2 < static_cast<size_t>(mb) << 20) text += line;
        text += word + L"\r\n" + line;
        SetWindowTextW(edit, text.c_str());
        std::vector<double> total, fetch, search, exact, plain;
        for (int run = 0; run < runs; ++run) {
            SendMessageW(edit, EM_SETSEL, 0, 0);
            const double t0 = bench::Now();
            const std::wstring held = MemoText(edit);
            const double t1 = bench::Now();
            auto at = tk::SearchText(held, L"zsemlemorzsa", 0, {true, false, false}, alphabet);
            const double t2 = bench::Now();
            if (!at) return 2;
            SendMessageW(edit, EM_SETSEL, *at, static_cast<LPARAM>(*at + word.size()));
            SendMessageW(edit, EM_SCROLLCARET, 0, 0);
            total.push_back(bench::Now() - t0);
            fetch.push_back(t1 - t0);
            search.push_back(t2 - t1);
            const double t3 = bench::Now();
            auto exactAt = tk::SearchText(held, word, 0, {true, true, false}, alphabet);
            const double t4 = bench::Now();
            const size_t plainAt = held.find(word);
            const double t5 = bench::Now();
            if (exactAt != at || plainAt != *at) return 3;
            exact.push_back(t4 - t3);
            plain.push_back(t5 - t4);
        }
        std::printf("find %d %.2f %.2f %.2f %.2f %.2f\n", mb, Median(total), Median(fetch),
                    Median(search), Median(exact), Median(plain));
    }
    DestroyWindow(window);
    return 0;
}
