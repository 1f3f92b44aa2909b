#include "soak_support.h"

#include "toolkit/text/unicode_text.h"

#include "notetext/error_text.h"
#include "support/win_test_support.h"

#include <commdlg.h>
#include <dlgs.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

namespace soak {
namespace {

Answers* g_answers = nullptr;
HHOOK g_hook = nullptr;
std::set<HWND> g_answered;   // each window is answered once, however often it is activated
HWND g_fileDialog = nullptr; // the confirmed file dialog, until it is destroyed

std::string TitleOf(HWND hwnd) {
    char text[128] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

BOOL CALLBACK FindCaption(HWND child, LPARAM lParam) {
    auto* wanted = reinterpret_cast<std::pair<std::string, HWND>*>(lParam);
    if (TitleOf(child) == wanted->first) {
        wanted->second = child;
        return FALSE;
    }
    return TRUE;
}

void Click(HWND button) {
    if (button) PostMessageA(button, BM_CLICK, 0, 0);
}

void AnswerFileDialog(HWND dialog) {
    ++g_answers->fileDialogs;
    if (g_answers->fileName.empty() && g_answers->wideFileName.empty()) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // The name field: an edit box in some versions of the dialog, a combo box in others.
    for (int id : {edt1, cmb13})
        if (HWND field = GetDlgItem(dialog, id)) {
            if (g_answers->wideFileName.empty())
                SetWindowTextA(field, g_answers->fileName.c_str());
            else
                SetWindowTextW(field, g_answers->wideFileName.c_str());
        }
    g_fileDialog = dialog;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void Answer(HWND window) {
    std::string title = TitleOf(window);
    if (title.rfind("Jegyzet", 0) == 0) {
        if (HWND yes = GetDlgItem(window, IDYES)) { // the dialog's own "replace it?" prompt
            ++g_answers->overwritePrompts;
            Click(yes);
        } else {
            AnswerFileDialog(window);
        }
    } else if (title == "Confirm") {
        ++g_answers->confirmations;
        g_answers->questions.push_back(wintest::QuestionOf(window));
        std::pair<std::string, HWND> wanted{g_answers->confirmButton, nullptr};
        EnumChildWindows(window, FindCaption, reinterpret_cast<LPARAM>(&wanted));
        Click(wanted.second);
    }
}

LRESULT CALLBACK AnswerHook(int code, WPARAM wParam, LPARAM lParam) {
    auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && g_answers && g_answered.insert(window).second) Answer(window);
    if (code == HCBT_DESTROYWND) {
        g_answered.erase(window);
        if (window == g_fileDialog) {
            g_fileDialog = nullptr;
            if (g_answers && g_answers->afterFileDialog) g_answers->afterFileDialog();
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Wine's GDI handle table: one 24-byte entry per handle, live while its "unique" field is set.
struct GdiTableEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t type, flags;
    std::uint16_t unique;
    std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24);

// The process environment block's GdiSharedHandleTable field (offset 0x94 on 32-bit).
GdiTableEntry* GdiTable() {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query ||
        query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return nullptr;
    return *reinterpret_cast<GdiTableEntry**>(reinterpret_cast<char*>(basic.PebBaseAddress) + 0x94);
}

long CountGdiTable() {
    GdiTableEntry* table = GdiTable();
    if (!table) return 0;
    long live = 0;
    for (int i = 0; i < 65536; ++i)
        live += table[i].unique != 0;
    return live;
}

BOOL CALLBACK CountChild(HWND, LPARAM lParam) {
    ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountWindowTree(HWND hwnd, LPARAM lParam) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId()) return TRUE;
    auto* count = reinterpret_cast<long*>(lParam);
    ++*count;
    EnumChildWindows(hwnd, CountChild, lParam);
    return TRUE;
}

long CountWindows() {
    long count = 0;
    EnumWindows(CountWindowTree, reinterpret_cast<LPARAM>(&count));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
        CountWindowTree(w, reinterpret_cast<LPARAM>(&count));
    return count;
}

long CountHandles() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count > 0) return count;
    // Handle values are table slots times 4, taken lowest first: scan until a long stretch of
    // free slots follows the last live one (a fixed range would cap the count at its size).
    constexpr std::uintptr_t kFreeStretch = 4 * 4096;
    long live = 0;
    std::uintptr_t lastLive = 0;
    for (std::uintptr_t h = 4; h < lastLive + kFreeStretch && h < 0x4000000; h += 4) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags)) {
            ++live;
            lastLive = h;
        }
    }
    return live;
}

size_t CommittedPrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    const char* at = nullptr;
    while (VirtualQuery(at, &info, sizeof info)) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

} // namespace

DialogAnswerer::DialogAnswerer(Answers& answers) {
    g_answers = &answers;
    g_answered.clear();
    g_fileDialog = nullptr;
    g_hook = SetWindowsHookExA(WH_CBT, AnswerHook, nullptr, GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer() {
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_answers = nullptr;
}

ScratchFolder::ScratchFolder(const std::string& under) {
    static int serial = 0;
    std::string base = under;
    if (base.empty()) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        base = temp;
    }
    if (base.back() != '\\') base += '\\';
    path_ = base + "pinlet-soak-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

void RemoveTree(const std::string& folder) {
    const int length = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
    if (length <= 0) return;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), length);
    wide.pop_back(); // the terminator
    wintest::RemoveTreeW(wide);
}

std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : " ") + name;
    return list;
}

std::string SystemText(DWORD code) {
    char buffer[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, sizeof buffer, nullptr);
    return notetext::TrimSystemText(std::string(buffer, n));
}

std::string SmallFileSystem() {
    const char* mount = std::getenv("PINLET_SMALLFS");
    if (!mount || !*mount) return "";
    std::string folder = std::string("Z:") + mount;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

std::string ResourceFigures::Describe() const {
    std::ostringstream out;
    out << "GDI objects " << gdi << ", USER objects " << user << ", handles " << handles
        << ", private bytes " << privateBytes;
    return out.str();
}

ResourceFigures MeasureResources() {
    ResourceFigures figures;
    HANDLE self = GetCurrentProcess();
    SetLastError(0);
    figures.gdi = static_cast<long>(GetGuiResources(self, GR_GDIOBJECTS));
    bool implemented = GetLastError() != ERROR_CALL_NOT_IMPLEMENTED && figures.gdi > 0;
    if (implemented) {
        figures.user = static_cast<long>(GetGuiResources(self, GR_USEROBJECTS));
    } else {
        figures.gdi = CountGdiTable();
        figures.user = CountWindows();
    }
    figures.handles = CountHandles();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        figures.privateBytes = memory.PrivateUsage;
    if (figures.privateBytes == 0) figures.privateBytes = CommittedPrivateBytes();
    return figures;
}

ResourceFigures SystemOpenDialogCost(int count, const std::string& fileName) {
    auto show = [&] {
        char file[MAX_PATH] = {};
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrTitle = "Jegyzet (bare system dialog)";
        ofn.Flags = OFN_EXPLORER;
        GetOpenFileNameA(&ofn);
    };
    std::string kept = g_answers->fileName;
    g_answers->fileName = fileName;
    // The first show loads what every later one shares, and the second keeps a few GDI objects
    // more once (Wine's dialog, also without the note): both come before the measurement.
    show();
    show();
    ResourceFigures before = MeasureResources();
    for (int i = 0; i < count; ++i)
        show();
    ResourceFigures after = MeasureResources();
    g_answers->fileName = kept;
    return {after.gdi - before.gdi, after.user - before.user, after.handles - before.handles, 0};
}

HWND CreateBareEdit(const std::string& text, int width, int height) {
    HWND edit =
        CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                        0, width, height, nullptr, nullptr, nullptr, nullptr);
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    SetWindowTextW(edit, tk::Wide(text).c_str());
    return edit;
}

ResourceFigures BareEditCost(const std::string& text, int count,
                             const std::function<void(HWND& edit, int round)>& round) {
    HWND edit = CreateBareEdit(text, 300, 200);
    round(edit, 0);
    ResourceFigures before = MeasureResources();
    for (int i = 1; i <= count; ++i)
        round(edit, i);
    ResourceFigures after = MeasureResources();
    DestroyWindow(edit);
    size_t grown =
        after.privateBytes > before.privateBytes ? after.privateBytes - before.privateBytes : 0;
    return {0, 0, 0, grown};
}

bool LongMode() {
    const char* value = std::getenv("PINLET_SOAK_LONG");
    return value && std::string(value) == "1";
}

int Count(int bounded, int full) {
    return LongMode() ? full : bounded;
}

} // namespace soak
