#pragma once
// What a recovery copy keeps of the note's file besides the text, to and from the note's own
// values: the file's name, its encoding and the file as the note last read or wrote it. Needs no
// operating system.
#include "notetext/text_encoding.h"
#include "storage/file_stamp.h"
#include "recovery_format.h"

#include <optional>
#include <string>

namespace recovery {

struct NoteFileState {
    std::string FileName; // empty for a note without a file
    notetext::TextEncoding Encoding;
    std::optional<storage::FileStamp> Stamp;
};

// The copy's fields for a note in `state`; its text and time left empty.
RecoveryCopy CopyFieldsOf(const NoteFileState& state);

// The note's file as a copy keeps it. An identity that cannot be read back leaves the stamp
// without one, so that saving to the file asks whether it may be overwritten.
NoteFileState NoteFileStateOf(const RecoveryCopy& copy);

} // namespace recovery
