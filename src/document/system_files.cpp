#include "system_files.h"

#include "toolkit/forms/wait_cursor.h"

#include <windows.h>

namespace note {

notefiles::NoteFileText SystemNoteFiles::Read(const std::string& fileName) {
    tk::WaitCursor wait;
    return notefiles::ReadNoteFile(fileName);
}

std::optional<std::string> SystemNoteFiles::Encode(std::string_view text,
                                                   const notetext::TextEncoding& encoding) {
    return notefiles::EncodeNoteText(text, encoding);
}

storage::FileStamp SystemNoteFiles::Write(const std::string& fileName, std::string_view bytes) {
    return notefiles::WriteNoteFile(fileName, bytes);
}

std::optional<storage::FileStamp> SystemNoteFiles::Stamp(const std::string& fileName) {
    return notefiles::CurrentFileStamp(fileName);
}

void SystemNoteFiles::RefuseForMemory(const std::string& fileName) {
    notefiles::RaiseOpenError(fileName, ERROR_NOT_ENOUGH_MEMORY);
}

} // namespace note
