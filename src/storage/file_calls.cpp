#include "file_calls.h"

namespace storage {

bool RunsUnderWine() {
    // Wine's ntdll exports wine_get_version; Windows' has no such function.
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

namespace {
const FileCalls kSystemCalls;
const FileCalls* g_calls = &kSystemCalls;
} // namespace

void UseFileCalls(const FileCalls* calls) {
    g_calls = calls ? calls : &kSystemCalls;
}

const FileCalls& CurrentFileCalls() {
    return *g_calls;
}

} // namespace storage
