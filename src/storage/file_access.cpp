#include "file_access.h"

#include "notetext/error_text.h"
#include "toolkit/base/file_time.h"
#include "toolkit/text/unicode_text.h"

#include <iterator>

namespace storage {

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
    return notetext::SystemReason(tk::Utf8(std::wstring_view(buffer, length)), code);
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(tk::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
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
    return StampFrom(info, FinalPathOf(file));
}

std::optional<FileStamp> StampRewritten(const std::string& path, FileStamp before) {
    const tk::KernelHandle file = OpenToLookAt(path);
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!file.Valid() ||
        !GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(file.Get(), FileStandardInfo, &standard, sizeof standard))
        return std::nullopt;
    before.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
    before.lastWrite = static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart);
    return before;
}

FileStamp StampFrom(const BY_HANDLE_FILE_INFORMATION& info, std::string finalPath) {
    return FileStamp{tk::JoinHalves(info.nFileSizeHigh, info.nFileSizeLow),
                     tk::FileTimeValue(info.ftLastWriteTime), info.dwVolumeSerialNumber,
                     tk::JoinHalves(info.nFileIndexHigh, info.nFileIndexLow), std::move(finalPath)};
}

std::vector<FoundFile> FilesIn(const std::string& folder, const char* pattern) {
    std::vector<FoundFile> files;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(tk::Wide(folder + "\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back({tk::Utf8(found.cFileName), tk::FileTimeValue(found.ftLastWriteTime)});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return files;
}

} // namespace storage
