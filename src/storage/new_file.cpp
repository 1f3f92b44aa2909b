#include "new_file.h"

#include "file_calls.h"
#include "file_access.h"
#include "toolkit/text/unicode_text.h"

#include <ntsecapi.h>

#include <algorithm>

namespace storage {
namespace {

constexpr const char* kStagingNamesTaken =
    "Every name tried for a temporary file beside it is taken";

RandomSource g_randomSource = nullptr;

std::uint32_t SystemRandom() {
    std::uint32_t value = 0;
    if (RtlGenRandom(&value, sizeof value)) return value;
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<std::uint32_t>(counter.QuadPart) ^ (GetCurrentProcessId() << 16);
}

std::uint32_t StagingRandom() {
    return g_randomSource ? g_randomSource() : SystemRandom();
}

} // namespace

void SetStagingRandomSource(RandomSource source) {
    g_randomSource = source;
}

std::string StagingPathFor(const std::string& targetFullPath, std::uint32_t unpredictable) {
    size_t slash = targetFullPath.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "" : targetFullPath.substr(0, slash + 1);
    char digits[9];
    wsprintfA(digits, "%08lX", static_cast<unsigned long>(unpredictable));

    // "~pn", eight digits and ".tmp"; fewer digits where the folder leaves less room.
    size_t room = MAX_PATH - 1 - std::min<size_t>(PathLength(folder), MAX_PATH - 1);
    if (room >= 15) return folder + "~pn" + digits + ".tmp";
    if (room < 3) return "";
    size_t count = std::min<size_t>(room - 1, 8);
    return folder + "~" + std::string(digits + 8 - count, count);
}

NewFile::NewFile(const std::string& folder, std::string_view extension, DWORD share,
                 LPSECURITY_ATTRIBUTES security) {
    for (unsigned attempt = 0; attempt < kStagingAttempts; ++attempt) {
        std::string path = StagingPathFor(folder, StagingRandom());
        if (path.empty()) {
            error_ = ERROR_FILENAME_EXCED_RANGE;
            return;
        }
        if (path.ends_with(".tmp")) path.replace(path.size() - 4, 4, extension);
        file_ = tk::KernelHandle(CurrentFileCalls().createFile(
            tk::Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, security, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_.Valid()) {
            path_ = path;
            return;
        }
        error_ = GetLastError();
        bool taken = error_ == ERROR_FILE_EXISTS || error_ == ERROR_ALREADY_EXISTS || Exists(path);
        if (!taken) return;
    }
    allTaken_ = true;
}

NewFile::~NewFile() {
    file_ = tk::KernelHandle();
    if (!path_.empty()) DeleteFileW(tk::Wide(path_).c_str());
}

std::string NewFile::Reason() const {
    return allTaken_ ? kStagingNamesTaken : SystemErrorText(error_);
}

} // namespace storage
