#pragma once
// Looking at files and folders without opening them for their data: full paths, whether a file
// is there, which file a handle is of, the files of a folder, and the system's words for an error.
#include "file_stamp.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace storage {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The full path of `fileName` as the current folder makes it, however long; the name itself
// when the system cannot make one.
std::string FullPath(const std::string& fileName);

// The length of a path as the system counts it: in UTF-16 code units.
size_t PathLength(const std::string& path);

// The system's text for an error code, trimmed; "Error <code>" where the system has none.
std::string SystemErrorText(DWORD code);

// Whether something (a file, a folder) is there under `path`.
bool Exists(const std::string& path);

// Whether an opened handle is of a file on a disk (not a device, a console or a pipe).
bool IsDiskFile(HANDLE file);

// An existing file, opened only to look at it, shared with everyone.
tk::KernelHandle OpenToLookAt(const std::string& path);

// The path the system finds an open file under, symbolic links and junctions followed, without a
// "\\?\" prefix; empty when the system cannot say.
std::string FinalPathOf(HANDLE file);

std::optional<FileStamp> StampOf(HANDLE file);
// The stamp of what GetFileInformationByHandle told of a file found at `finalPath`.
FileStamp StampFrom(const BY_HANDLE_FILE_INFORMATION& info, std::string finalPath);
// The stamp of the file at `path` that `before` was taken of, rewritten since: the same file on
// the same volume, its size and last-write time looked at again (not the volume's serial number,
// which under Wine is asked of another process). None when it cannot be looked at.
std::optional<FileStamp> StampRewritten(const std::string& path, FileStamp before);

// The files (not folders) of `folder` whose names match `pattern` ("*.copy"), with their
// last-write times; none when the folder is missing.
struct FoundFile {
    std::string Name;
    std::uint64_t LastWrite = 0;
};
std::vector<FoundFile> FilesIn(const std::string& folder, const char* pattern);

} // namespace storage
