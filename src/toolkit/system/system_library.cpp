#include "system_library.h"

#include <string>
#include <vector>

namespace tk {
namespace {

struct LoadedLibrary {
    std::string name;
    HMODULE module;
};

// The system libraries loaded on demand stay loaded until the process ends: the functions taken
// from them are kept, so no library is ever freed.
std::vector<LoadedLibrary>& LoadedLibraries() {
    static std::vector<LoadedLibrary> libraries;
    return libraries;
}

bool& ComJoined() {
    static bool joined = false;
    return joined;
}

} // namespace

HMODULE SystemLibrary(const char* library) {
    for (const LoadedLibrary& loaded : LoadedLibraries())
        if (lstrcmpiA(loaded.name.c_str(), library) == 0) return loaded.module;
    // Remembered even when it failed, so that a missing library is not searched for again.
    HMODULE module = LoadLibraryA(library);
    LoadedLibraries().push_back({library, module});
    return module;
}

void EnsureComApartment() {
    if (ComJoined()) return;
    using CoInitializeProc = HRESULT(WINAPI*)(LPVOID);
    auto coInitialize = SystemFunction<CoInitializeProc>("ole32.dll", "CoInitialize");
    ComJoined() = coInitialize && SUCCEEDED(coInitialize(nullptr));
}

void LeaveComApartment() {
    if (!ComJoined()) return;
    using CoUninitializeProc = void(WINAPI*)();
    if (auto coUninitialize = SystemFunction<CoUninitializeProc>("ole32.dll", "CoUninitialize"))
        coUninitialize();
    ComJoined() = false;
}

} // namespace tk
