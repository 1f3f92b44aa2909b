#pragma once
// Functions of the system libraries that only a few commands need (the file dialogs, the shell,
// COM). They are loaded on first use rather than at start-up, so that a note opens without
// mapping them, and stay loaded until the program ends.
#include <windows.h>

namespace tk {

// The module of the system library `library`, loaded on the first call for that name; null when
// the system cannot load it.
HMODULE SystemLibrary(const char* library);

// The function `name` of `library` as a Proc; null when the library or the function is missing.
template <typename Proc> Proc SystemFunction(const char* library, const char* name) {
    HMODULE module = SystemLibrary(library);
    if (!module) return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Joins the calling thread to a single-threaded COM apartment, once, before the first command
// that may reach shell extensions (the file dialogs, opening a link).
void EnsureComApartment();

// Leaves the apartment EnsureComApartment joined, if it did; called when the program ends.
void LeaveComApartment();

} // namespace tk
