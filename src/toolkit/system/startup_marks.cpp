#include "startup_marks.h"

#include "toolkit/base/file_time.h"

#include <windows.h>

#include <cstdint>
#include <string>

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
    // Milliseconds with two decimals, from the 100 ns units of the times, rounded.
    const std::uint64_t hundredths = (FileTimeValue(now) - FileTimeValue(created) + 50) / 100;
    const std::string fraction = std::to_string(100 + hundredths % 100);
    const std::string line =
        std::to_string(hundredths / 100) + "." + fraction.substr(1) + " " + phase + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

} // namespace tk
