#pragma once
// Note text files: a note's text to and from a file's bytes, in the file's own encoding.
#include "notetext/text_encoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace notefiles {

// What tells one version of a file from another: its size, its last-write time and which file
// it is. A file that another program put in its place is another version even with the same
// size and time: its index differs.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0; // FILETIME, 100 ns since 1601
    std::uint32_t volume = 0;    // the volume's serial number
    std::uint64_t index = 0;     // the file's index on the volume
    std::string finalPath;       // where the system finds it: links followed, in its own case
    // The same version of the same file: size, time, volume and index alike. Where it was found
    // does not count (another hard link is the same file).
    bool SameVersionAs(const FileStamp& other) const {
        return size == other.size && lastWrite == other.lastWrite && volume == other.volume &&
               index == other.index;
    }
};

// Whether two stamps are of one file, however it was named (in another case, through a link,
// another hard link or a short name): the same final path, or the same index on the same volume.
// A volume serial of 0 (Wine gives it to every file system mounted apart from the drive's own)
// does not tell volumes apart, so there only the path counts.
bool SameFile(const FileStamp& a, const FileStamp& b);

// The full path of `fileName` as the current folder makes it, however long; the name itself
// when the system cannot make one.
std::string FullPath(const std::string& fileName);

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
FileStamp WriteNoteFile(const std::string& fileName, std::string_view bytes);

// The path of a staging file for `targetFullPath`, in the target's folder and short enough for
// the ANSI path limit, its name made from `unpredictable`; empty when the folder leaves no room
// for one. A save tries up to kStagingAttempts such names, each from fresh random bits.
std::string StagingPathFor(const std::string& targetFullPath, std::uint32_t unpredictable);
inline constexpr unsigned kStagingAttempts = 64;

// Where the random bits of staging names come from: the system's generator, or for a test a
// source of its own (nullptr restores the system's).
using RandomSource = std::uint32_t (*)();
void SetStagingRandomSource(RandomSource source);

// What a note file holds, as the note shows it.
struct NoteFileText {
    std::string Text;      // UTF-8, line breaks CR LF
    TextEncoding Encoding; // what the file's bytes were: saving in it gives them back
    FileStamp Stamp;       // of the file read
};

// The file's text, line breaks made CR LF, decoded from the encoding its bytes are recognised
// in (ANSI in the system's current code page). Raises EFOpenError when the file cannot be opened
// or read whole, its name is too long or names no file (a device, a folder, a pipe), its bytes
// would not come back the same (UTF-16 of odd length or with a lone surrogate, bytes the code page
// has no characters for), it holds a NUL character, or it is larger or has a longer line than the
// memo takes reliably.
NoteFileText ReadNoteFile(const std::string& fileName);

// The bytes of a note's text in an encoding, byte-order mark first where it has one; none when a
// character has no bytes in it (a character outside an ANSI code page).
std::optional<std::string> EncodeNoteText(std::string_view text, const TextEncoding& encoding);

// Raises the EFOpenError an open of `fileName` reports for a system error code.
[[noreturn]] void RaiseOpenError(const std::string& fileName, unsigned long code);

// The stamp of the file as it is now; none when it cannot be looked at (it is missing, say).
std::optional<FileStamp> CurrentFileStamp(const std::string& fileName);

} // namespace notefiles
