#include "note_file_common.h"

namespace notefiles {

std::string FullPath(const std::string& fileName) {
    DWORD needed = GetFullPathNameA(fileName.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return fileName;
    std::string path(needed, '\0');
    DWORD length = GetFullPathNameA(fileName.c_str(), needed, path.data(), nullptr);
    if (length == 0 || length >= needed) return fileName;
    path.resize(length);
    return path;
}

std::string SystemErrorText(DWORD code) {
    char buffer[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
    return SystemReason(std::string_view(buffer, length), code);
}

tk::KernelHandle OpenToLookAt(const std::string& path) {
    return tk::KernelHandle(CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<FileStamp> StampOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(info.nFileSizeHigh, info.nFileSizeLow),
                     join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)};
}

DWORD ReadExactly(HANDLE file, std::string& bytes) {
    if (bytes.empty()) return ERROR_SUCCESS;
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return GetLastError();
    return read == bytes.size() ? ERROR_SUCCESS : ERROR_HANDLE_EOF;
}

std::optional<FileStamp> CurrentFileStamp(const std::string& fileName) {
    tk::KernelHandle file = OpenToLookAt(fileName);
    if (!file.Valid()) return std::nullopt;
    return StampOf(file.Get());
}

} // namespace notefiles
