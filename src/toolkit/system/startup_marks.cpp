#include "startup_marks.h"

#include "toolkit/base/file_time.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace tk {
namespace {

// The file the marks go to, opened at the first mark; none when marks are not asked for.
HANDLE MarksFile() {
    static const HANDLE file = [] {
        wchar_t path[MAX_PATH] = {};
        if (!GetEnvironmentVariableW(L"PINLET_STARTUP_MARKS", path, MAX_PATH))
            return INVALID_HANDLE_VALUE;
        return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }();
    return file;
}

} // namespace

void StartupMark(const char* phase) {
    const HANDLE file = MarksFile();
    if (file == INVALID_HANDLE_VALUE) return;
    FILETIME now{}, created{}, exited{}, kernel{}, user{};
    GetSystemTimePreciseAsFileTime(&now);
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    char line[160];
    const int length = std::snprintf(
        line, sizeof line, "%.2f %s\n",
        static_cast<double>(FileTimeValue(now) - FileTimeValue(created)) / 1e4, phase);
    DWORD written = 0;
    if (length > 0) WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
}

} // namespace tk
