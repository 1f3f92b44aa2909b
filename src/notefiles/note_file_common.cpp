#include "note_file_common.h"

#include "notetext/device_names.h"
#include "toolkit/text/unicode_text.h"

namespace notefiles {

bool NamesSomethingElse(const std::string& path) {
    if (notetext::IsDeviceName(path)) return true;
    DWORD attributes = GetFileAttributesW(tk::Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_INVALID_PARAMETER;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0;
}

std::optional<storage::FileStamp> CurrentFileStamp(const std::string& fileName) {
    if (NamesSomethingElse(storage::FullPath(fileName))) return std::nullopt;
    tk::KernelHandle file = storage::OpenToLookAt(fileName);
    if (!file.Valid()) return std::nullopt;
    return storage::StampOf(file.Get());
}

} // namespace notefiles
