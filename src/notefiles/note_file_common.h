#pragma once
// What reading and writing note files share: the messages of their errors, and the names that
// are refused before anything is opened.
#include "note_files.h"
#include "notetext/error_text.h"
#include "storage/file_access.h"

#include <windows.h>

#include <string>

namespace notefiles {

// Raises E with `format` ("Cannot ... file "%s". %s") filled with the full path and the reason.
template <typename E>
[[noreturn]] void RaiseFileError(const char* format, const std::string& fileName,
                                 const std::string& reason) {
    throw E(notetext::FormatMessageText(format, {storage::FullPath(fileName), reason}));
}

template <typename E>
[[noreturn]] void RaiseFileError(const char* format, const std::string& fileName, DWORD code) {
    RaiseFileError<E>(format, fileName, storage::SystemErrorText(code));
}

// Paths of MAX_PATH characters or more are refused here, before anything is touched: the file
// dialogs cannot hand them back, and some of the calls a save makes fail on them.
template <typename E> void RefuseLongName(const char* format, const std::string& fileName) {
    if (storage::PathLength(storage::FullPath(fileName)) >= MAX_PATH)
        RaiseFileError<E>(format, fileName, ERROR_FILENAME_EXCED_RANGE);
}

// Whether `path` names something other than a file on a disk, told without opening it (opening a
// serial port or a pipe can wait for the other side): a device by its name, a folder, or what the
// system will not give attributes for (Wine's answer for a FIFO, a socket or a device file).
bool NamesSomethingElse(const std::string& path);

// Raises E with "It is not a file" when `fileName` names something other than a file on a disk.
template <typename E> void RefuseWhatIsNotAFile(const char* format, const std::string& fileName) {
    if (NamesSomethingElse(storage::FullPath(fileName)))
        RaiseFileError<E>(format, fileName, notetext::kNotAFile);
}

} // namespace notefiles
