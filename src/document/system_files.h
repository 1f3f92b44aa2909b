#pragma once
// Note files as the system reads and writes them (see notefiles/note_files.h), for the document.
#include "document_ports.h"

namespace note {

class SystemNoteFiles : public NoteFiles {
public:
    // Under the wait cursor: a large file takes noticeable time to read.
    notefiles::NoteFileText Read(const std::string& fileName) override;
    std::optional<std::string> Encode(std::string text,
                                      const notetext::TextEncoding& encoding) override;
    std::unique_ptr<Write> BeginWrite(const std::string& fileName) override;
    [[noreturn]] void RefuseForMemory(const std::string& fileName) override;
};

} // namespace note
