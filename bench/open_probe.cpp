// Measures an open from outside, as a user sees it: starts a program with a file, finds its
// window and the edit control in it (by class name), and reports, in milliseconds from the
// launch: when the edit control first holds text (the first screen), when it holds the whole
// text (a length given in UTF-16 code units), and the longest time the window took to answer a
// message meanwhile (a probe thread sends it WM_NULL every few milliseconds).
// Usage: open_probe [--appdata <folder>] [--type] <program> <file or -> <edit class>
//        <expected length> <limit ms>
// Prints "<first> <whole> <longest unanswered>"; -1 for what did not happen within the limit.
// With "-" for the file, the program starts without one and the figures are of its start-up
// (first and whole: its edit control exists). "--appdata" starts the program with that folder as
// its %LOCALAPPDATA%. "--type" then types into the whole text as a user would, in four bursts of
// ten keys 100 ms apart with pauses of two seconds between them (long enough for a program that
// keeps a copy of unsaved text to take one), and adds "<mean ms per key> <slowest key ms>
// <longest unanswered while typing>": a key's time is how long the edit control took to answer
// it, the change it makes handled. "--start-keys <n>" instead types n keys at the start of the
// text, one after another, each posted to the edit control's queue as a typed key arrives (through
// the program's message loop) and timed until the text holds it and the repaint it asks for is
// done, and adds "<mean ms per key> <slowest key ms>". "--saves <n>" instead saves the whole text
// n times as a user does: a key typed at its end (the text changed), then Ctrl+S pressed, each
// save timed from the key press until the edit control's modified flag is cleared again (both
// programs clear it once the file is written); adds "<median save ms> <slowest save ms>".
#include "bench_clock.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::Now;

struct Search {
    DWORD Process;
    const wchar_t* EditClass;
    HWND Window = nullptr;
    HWND Edit = nullptr;
};

BOOL CALLBACK FindEdit(HWND child, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (_wcsicmp(name, search->EditClass) != 0) return TRUE;
    search->Edit = child;
    return FALSE;
}

BOOL CALLBACK FindWindowOfProcess(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->Process || !IsWindowVisible(hwnd)) return TRUE;
    EnumChildWindows(hwnd, FindEdit, lParam);
    if (!search->Edit) return TRUE;
    search->Window = hwnd;
    return FALSE;
}

std::atomic<HWND> g_window{nullptr};
std::atomic<bool> g_probing{true};
std::atomic<double> g_longest{0};
DWORD g_limit = 0;

DWORD WINAPI Probe(LPVOID) {
    while (g_probing) {
        HWND window = g_window;
        if (window) {
            DWORD_PTR result = 0;
            const double start = Now();
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, g_limit, &result);
            const double took = Now() - start;
            if (took > g_longest) g_longest = took;
        }
        Sleep(5);
    }
    return 0;
}

void PressCtrlS() {
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_CONTROL, 'S', 'S', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

// Each save's milliseconds, or an empty list when a save did not end within the limit.
std::vector<double> TimeSaves(HWND window, HWND edit, int saves) {
    std::vector<double> times;
    DWORD_PTR result = 0;
    const auto length = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    for (int save = 0; save < saves; ++save) {
        SendMessageTimeoutW(edit, EM_SETSEL, length + save, length + save, SMTO_NORMAL, g_limit,
                            &result);
        SendMessageTimeoutW(edit, WM_CHAR, L'k', 1, SMTO_NORMAL, g_limit, &result);
        SetForegroundWindow(window);
        Sleep(200);
        const double start = Now();
        PressCtrlS();
        // The modified flag is asked for until it is cleared: a sent question is answered only
        // while the program looks at its queue, so never in the middle of the save.
        while (SendMessageTimeoutW(edit, EM_GETMODIFY, 0, 0, SMTO_NORMAL, g_limit, &result) &&
               result && Now() - start < g_limit)
            Sleep(0);
        if (result) return {};
        times.push_back(Now() - start);
        Sleep(300);
    }
    return times;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    bool typing = false;
    int startKeys = 0, saves = 0;
    for (; argc > 1 && std::wcsncmp(argv[1], L"--", 2) == 0; --argc, ++argv) {
        if (std::wcscmp(argv[1], L"--type") == 0) typing = true;
        if (std::wcscmp(argv[1], L"--start-keys") == 0 && argc > 2) {
            startKeys = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
            --argc;
            ++argv;
        }
        if (std::wcscmp(argv[1], L"--saves") == 0 && argc > 2) {
            saves = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
            --argc;
            ++argv;
        }
        if (std::wcscmp(argv[1], L"--appdata") == 0 && argc > 2) {
            SetEnvironmentVariableW(L"LOCALAPPDATA", argv[2]); // the program inherits it
            --argc;
            ++argv;
        }
    }
    if (argc < 6) {
        std::fprintf(stderr, "usage: open_probe [--appdata folder] [--type] program file|- "
                             "editclass length limit\n");
        return 2;
    }
    const std::wstring file = argv[2];
    const auto expected = static_cast<LRESULT>(std::wcstol(argv[4], nullptr, 10));
    g_limit = static_cast<DWORD>(std::wcstol(argv[5], nullptr, 10));
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    if (file != L"-") command += L" \"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double launched = Now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start the program\n");
        return 1;
    }
    HANDLE probe = CreateThread(nullptr, 0, Probe, nullptr, 0, nullptr);
    double first = -1, whole = -1;
    Search search{process.dwProcessId, argv[3]};
    while (Now() - launched < g_limit) {
        if (!search.Edit) {
            EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
            if (!search.Edit) {
                Sleep(1);
                continue;
            }
            g_window = search.Window;
            if (file == L"-") {
                first = whole = Now() - launched;
                break;
            }
        }
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(search.Edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, g_limit,
                                 &length))
            break;
        const double at = Now() - launched;
        if (first < 0 && length > 0) first = at;
        if (static_cast<LRESULT>(length) >= expected) {
            whole = at;
            break;
        }
        Sleep(2);
    }
    const double opening = g_longest;
    double keyTotal = 0, slowestKey = -1;
    constexpr int kBursts = 4, kKeys = 10;
    if (typing && whole >= 0) {
        g_longest = 0;
        for (int burst = 0; burst < kBursts; ++burst) {
            for (int key = 0; key < kKeys; ++key) {
                DWORD_PTR result = 0;
                const double start = Now();
                SendMessageTimeoutW(search.Edit, WM_CHAR, L'k', 1, SMTO_NORMAL, g_limit, &result);
                const double took = Now() - start;
                keyTotal += took;
                slowestKey = std::max(slowestKey, took);
                Sleep(100);
            }
            Sleep(2000);
        }
    }
    double startTotal = 0, slowestStart = -1;
    if (startKeys > 0 && whole >= 0) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(search.Edit, EM_SETSEL, 0, 0, SMTO_NORMAL, g_limit, &result);
        UpdateWindow(search.Edit);
        for (int key = 0; key < startKeys; ++key) {
            const double start = Now();
            PostMessageW(search.Edit, WM_CHAR, L'k', 1);
            // The length is asked for until the key is in; a sent question is answered as soon as
            // the program looks at its queue, so the wait ends within one message of the key.
            while (SendMessageTimeoutW(search.Edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, g_limit,
                                       &result) &&
                   static_cast<LRESULT>(result) <= expected + key)
                Sleep(0);
            UpdateWindow(search.Edit); // the repaint the key asked for, in the program's thread
            const double took = Now() - start;
            startTotal += took;
            slowestStart = std::max(slowestStart, took);
        }
    }
    std::vector<double> saveTimes;
    if (saves > 0 && whole >= 0) saveTimes = TimeSaves(search.Window, search.Edit, saves);
    g_probing = false;
    WaitForSingleObject(probe, g_limit);
    std::printf("%.0f %.0f %.0f", first, whole, opening);
    if (typing)
        std::printf(" %.2f %.1f %.0f", slowestKey < 0 ? -1.0 : keyTotal / (kBursts * kKeys),
                    slowestKey, slowestKey < 0 ? -1.0 : g_longest.load());
    if (startKeys > 0)
        std::printf(" %.2f %.1f", slowestStart < 0 ? -1.0 : startTotal / startKeys, slowestStart);
    if (saves > 0) {
        std::sort(saveTimes.begin(), saveTimes.end());
        if (saveTimes.empty()) std::printf(" -1 -1");
        else std::printf(" %.1f %.1f", saveTimes[saveTimes.size() / 2], saveTimes.back());
    }
    std::printf("\n");
    std::fflush(stdout);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(probe);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
