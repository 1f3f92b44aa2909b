#pragma once
// What reading and writing note files share: full paths, the messages of their errors, and
// looking at a file without opening it for its data.
#include "notetext/error_text.h"
#include "note_files.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace notefiles {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The length of a path as the system counts it: in UTF-16 code units.
size_t PathLength(const std::string& path);

// The system's text for an error code; the code itself where the system has no text for it.
std::string SystemErrorText(DWORD code);

// Raises E with `format` ("Cannot ... file "%s". %s") filled with the full path and the reason.
template <typename E>
[[noreturn]] void RaiseFileError(const char* format, const std::string& fileName,
                                 const std::string& reason) {
    throw E(FormatMessageText(format, {FullPath(fileName), reason}));
}

template <typename E>
[[noreturn]] void RaiseFileError(const char* format, const std::string& fileName, DWORD code) {
    RaiseFileError<E>(format, fileName, SystemErrorText(code));
}

// Paths of MAX_PATH characters or more are refused here, before anything is touched: the file
// dialogs cannot hand them back, and some of the calls a save makes fail on them.
template <typename E> void RefuseLongName(const char* format, const std::string& fileName) {
    if (PathLength(FullPath(fileName)) >= MAX_PATH)
        RaiseFileError<E>(format, fileName, ERROR_FILENAME_EXCED_RANGE);
}

// Whether `path` names something other than a file on a disk, told without opening it (opening a
// serial port or a pipe can wait for the other side): a device by its name, a folder, or what the
// system will not give attributes for (Wine's answer for a FIFO, a socket or a device file).
bool NamesSomethingElse(const std::string& path);

// Whether an opened handle is of a file on a disk (not a device, a console or a pipe).
bool IsDiskFile(HANDLE file);

// Raises E with "It is not a file" when `fileName` names something other than a file on a disk.
template <typename E> void RefuseWhatIsNotAFile(const char* format, const std::string& fileName) {
    if (NamesSomethingElse(FullPath(fileName))) RaiseFileError<E>(format, fileName, kNotAFile);
}

// An existing file, opened only to look at it, shared with everyone.
tk::KernelHandle OpenToLookAt(const std::string& path);

// The path the system finds an open file under, symbolic links and junctions followed, without a
// "\\?\" prefix; empty when the system cannot say.
std::string FinalPathOf(HANDLE file);

std::optional<FileStamp> StampOf(HANDLE file);

// Writes all bytes from the file's start, ends the file there and flushes it, through the save's
// file calls: 0, or why not. A write that takes fewer bytes than it was given is tried again with
// the rest; one that takes none counts as a full disk.
DWORD WriteWhole(HANDLE file, std::string_view bytes);

// The file's whole content, read through `file` from its start: 0, or why it could not be read.
DWORD ReadAll(HANDLE file, std::string& bytes);

// Fills `bytes` (sized by the caller) from the file's current position with one read: 0 when
// every byte came, otherwise why not (the system's code, ERROR_HANDLE_EOF for a short read).
DWORD ReadExactly(HANDLE file, std::string& bytes);

} // namespace notefiles
