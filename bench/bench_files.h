#pragma once
// What the benchmarks of opening notes share: a millisecond clock and a file's bytes.
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <string>

namespace bench {

// Milliseconds from the performance counter.
inline double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The whole file, read with one call.
inline std::string ReadWhole(const char* path) {
    tk::KernelHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return bytes;
}

inline bool IsLead(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

} // namespace bench
