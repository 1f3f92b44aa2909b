#include "system_files.h"

#include "toolkit/forms/wait_cursor.h"

#include <windows.h>

namespace note {

notefiles::NoteFileText SystemNoteFiles::Read(const std::string& fileName) {
    tk::WaitCursor wait;
    return notefiles::ReadNoteFile(fileName);
}

std::optional<std::string> SystemNoteFiles::Encode(std::string text,
                                                   const notetext::TextEncoding& encoding) {
    return notefiles::EncodeNoteText(std::move(text), encoding);
}

namespace {
class SystemWrite : public NoteFiles::Write {
public:
    explicit SystemWrite(const std::string& fileName) : write_(fileName) {}
    std::optional<storage::FileStamp> Before() const override { return write_.Before(); }
    storage::FileStamp Finish(std::string_view bytes) override { return write_.Finish(bytes); }

private:
    notefiles::NoteFileWrite write_;
};
} // namespace

std::unique_ptr<NoteFiles::Write> SystemNoteFiles::BeginWrite(const std::string& fileName) {
    return std::make_unique<SystemWrite>(fileName);
}

void SystemNoteFiles::RefuseForMemory(const std::string& fileName) {
    notefiles::RaiseOpenError(fileName, ERROR_NOT_ENOUGH_MEMORY);
}

} // namespace note
