#pragma once
// Note text files: a note's text to and from a file's bytes, in the file's own encoding.
#include "notetext/text_encoding.h"
#include "storage/file_stamp.h"

#include <cstdint>
#include <optional>
#include <string>
#include <memory>
#include <string_view>

namespace notefiles {

// Writes bytes to the file, exactly them: EncodeNoteText makes them of a note's text. A symbolic
// link or junction is followed: the file it leads to is written (made, where the link leads
// nowhere yet) and the link kept. A file that exists keeps what it was: its attributes, creation
// time, other names and permissions. Where the system lets a new file take over all of that
// (Windows), the text goes to a new file in the same folder first (created exclusively under an
// unpredictable name: it never opens a file or link that is already there) and takes the target's
// place only once every byte is written and flushed. Elsewhere (Wine), and for a file with other
// names, the file is written in place after a flushed copy of its old bytes is kept (see
// kept_copies.h). Either way a failure never destroys what the file held and leaves no staging file
// behind. Raises EFCreateError when the target or a file the save makes cannot be created, the name
// is too long or names no file (a device, a folder, a pipe), EWriteError naming the file and the
// system's reason when not all bytes could be written. Returns the stamp of the file written.
storage::FileStamp WriteNoteFile(const std::string& fileName, std::string_view bytes);

// WriteNoteFile begun before the bytes are ready: the file is looked at and opened at once
// (raising what WriteNoteFile raises for a file that cannot be written) and, where the file is
// written in place, the copy of its old bytes is made on a thread of its own meanwhile. Finish
// writes the bytes, once. Dropped unfinished, it leaves the file as it was and nothing behind.
class NoteFileWrite {
public:
    explicit NoteFileWrite(const std::string& fileName);
    NoteFileWrite(const NoteFileWrite&) = delete;
    NoteFileWrite& operator=(const NoteFileWrite&) = delete;
    ~NoteFileWrite();
    // The file as the write found it; none for a file the write made.
    std::optional<storage::FileStamp> Before() const;
    storage::FileStamp Finish(std::string_view bytes);

private:
    struct Target;
    std::unique_ptr<Target> target_;
    bool writesInPlace_ = false;
};

// What a note file holds, as the note shows it.
struct NoteFileText {
    std::string Text;      // UTF-8, line breaks CR LF
    notetext::TextEncoding Encoding; // what the file's bytes were: saving in it gives them back
    storage::FileStamp Stamp; // of the file read
};

// The file's text, line breaks made CR LF, decoded from the encoding its bytes are recognised
// in (ANSI in the system's current code page). Raises EFOpenError when the file cannot be opened
// or read whole, its name is too long or names no file (a device, a folder, a pipe), its bytes
// would not come back the same (UTF-16 of odd length or with a lone surrogate, bytes the code page
// has no characters for), it holds a NUL character, or it is larger or has a longer line than the
// memo takes reliably.
NoteFileText ReadNoteFile(const std::string& fileName);

// The bytes of a note's text in an encoding, byte-order mark first where it has one; none when a
// character has no bytes in it (a character outside an ANSI code page). Raises EWriteError, in
// the user's words, when the text holds half a character (a surrogate without its partner, as
// the memo's Text keeps it): no encoding can write it as itself. A text that is its own bytes
// (ASCII, or UTF-8 written as such) becomes them without a copy.
std::optional<std::string> EncodeNoteText(std::string text, const notetext::TextEncoding& encoding);

// Raises the EFOpenError an open of `fileName` reports for a system error code.
[[noreturn]] void RaiseOpenError(const std::string& fileName, unsigned long code);

// The stamp of the file as it is now; none when it cannot be looked at (it is missing, say).
std::optional<storage::FileStamp> CurrentFileStamp(const std::string& fileName);

} // namespace notefiles
