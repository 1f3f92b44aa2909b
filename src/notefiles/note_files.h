#pragma once
// Note text files: a note's text to and from a file, byte for byte.

#include <cstdint>
#include <optional>
#include <string>

namespace notefiles {

// What tells one version of a file from another: its size and its last-write time.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0; // FILETIME, 100 ns since 1601
    bool operator==(const FileStamp&) const = default;
};

// The full path of `fileName` as the current folder makes it, however long; the name itself
// when the system cannot make one.
std::string FullPath(const std::string& fileName);

// Writes the note's text to the file: exactly its bytes, no byte-order mark, no line break
// added. A symbolic link or junction is followed: the file it leads to is written and the link
// kept. The text goes to a new file in the same folder first (created exclusively under an
// unpredictable name: it never opens a file or link that is already there) and takes the
// target's place only once every byte is written and flushed, so a failure never destroys what
// the file held and leaves no staging file behind. Raises EFCreateError when the target or the
// staging file cannot be created or the name is too long, EWriteError when not all bytes could
// be written. Returns the stamp of the file written.
FileStamp WriteNoteFile(const std::string& fileName, const std::string& text);

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
    std::string Text; // line breaks CR LF
    FileStamp Stamp;  // of the file read
};

// The file's text, line breaks made CR LF. Raises EFOpenError when the file cannot be opened or
// read whole, its name is too long, it holds a NUL byte, or it is larger or has a longer line
// than the memo takes reliably.
NoteFileText ReadNoteFile(const std::string& fileName);

// Raises the EFOpenError an open of `fileName` reports for a system error code.
[[noreturn]] void RaiseOpenError(const std::string& fileName, unsigned long code);

// The stamp of the file as it is now; none when it cannot be looked at (it is missing, say).
std::optional<FileStamp> CurrentFileStamp(const std::string& fileName);

} // namespace notefiles
