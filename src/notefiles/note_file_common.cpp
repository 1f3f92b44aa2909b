#include "note_file_common.h"

#include "notetext/device_names.h"
#include "storage/file_calls.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>
#include <iterator>

namespace notefiles {

std::string FullPath(const std::string& fileName) {
    const std::wstring name = tk::Wide(fileName);
    DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return fileName;
    std::wstring path(needed, L'\0');
    DWORD length = GetFullPathNameW(name.c_str(), needed, path.data(), nullptr);
    if (length == 0 || length >= needed) return fileName;
    path.resize(length);
    return tk::Utf8(path);
}

size_t PathLength(const std::string& path) {
    return tk::Utf16Length(path);
}

std::string SystemErrorText(DWORD code) {
    wchar_t buffer[256] = {};
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY,
        nullptr, code, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    return SystemReason(tk::Utf8(std::wstring_view(buffer, length)), code);
}

bool NamesSomethingElse(const std::string& path) {
    if (IsDeviceName(path)) return true;
    DWORD attributes = GetFileAttributesW(tk::Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_INVALID_PARAMETER;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0;
}

bool IsDiskFile(HANDLE file) {
    return GetFileType(file) == FILE_TYPE_DISK;
}

tk::KernelHandle OpenToLookAt(const std::string& path) {
    return tk::KernelHandle(CreateFileW(tk::Wide(path).c_str(), 0, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string FinalPathOf(HANDLE file) {
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    // Asked again with more room while the answer does not fit (some systems report the length
    // without the NUL then, others with it).
    std::wstring path(MAX_PATH, L'\0');
    for (int tries = 0;; ++tries) {
        DWORD length =
            GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), kFlags);
        if (length == 0 || tries == 3) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(length + 1);
    }
    const std::string final = tk::Utf8(path);
    if (final.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + final.substr(8);
    if (final.rfind("\\\\?\\", 0) == 0) return final.substr(4);
    return final;
}

std::optional<FileStamp> StampOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(info.nFileSizeHigh, info.nFileSizeLow),
                     join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime),
                     info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                     FinalPathOf(file)};
}

bool SameFile(const FileStamp& a, const FileStamp& b) {
    if (!a.finalPath.empty() && a.finalPath == b.finalPath) return true;
    return a.volume != 0 && a.volume == b.volume && a.index == b.index;
}

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

namespace {
// The last error, or `fallback` where a failed call left none.
DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error ? error : fallback;
}
} // namespace

DWORD WriteWhole(HANDLE file, std::string_view bytes) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return LastErrorOr(ERROR_WRITE_FAULT);
    // A full disk can take part of a write and report success: the rest is written again, and
    // that write says why it fails (or takes nothing, which only a full disk does).
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!g_calls->writeFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0) return ERROR_DISK_FULL;
        bytes.remove_prefix(std::min<size_t>(written, bytes.size()));
    }
    if (!g_calls->setEndOfFile(file) || !g_calls->flushFileBuffers(file))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return ERROR_SUCCESS;
}

DWORD ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER start{}, size{};
    if (!GetFileSizeEx(file, &size) || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return GetLastError();
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    return ReadExactly(file, bytes);
}

DWORD ReadExactly(HANDLE file, std::string& bytes) {
    if (bytes.empty()) return ERROR_SUCCESS;
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return GetLastError();
    return read == bytes.size() ? ERROR_SUCCESS : ERROR_HANDLE_EOF;
}

std::optional<FileStamp> CurrentFileStamp(const std::string& fileName) {
    if (NamesSomethingElse(FullPath(fileName))) return std::nullopt;
    tk::KernelHandle file = OpenToLookAt(fileName);
    if (!file.Valid()) return std::nullopt;
    return StampOf(file.Get());
}

} // namespace notefiles
