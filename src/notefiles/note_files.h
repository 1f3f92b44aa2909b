#pragma once
// Note text files: the memo's text to and from a file, byte for byte.
#include "toolkit/stdctrls.h"

#include <string>

namespace notefiles {

// Writes the memo's whole text to the file: exactly its bytes, no byte-order mark, no line break
// added. The text goes to a new file in the same folder first (created exclusively: it never
// opens a file or link that is already there) and takes the target's place only once every byte
// is written and flushed, so a failure never destroys what the file held and leaves no staging
// file behind. Raises EFCreateError when the target or the staging file cannot be created,
// EWriteError when not all bytes could be written.
void WriteNoteFile(tk::TMemo& memo, const std::string& fileName);

// The path of the staging file that a save of `targetFullPath` tries as its `attempt`-th choice:
// in the target's folder, short enough for the ANSI path limit; empty when the folder leaves no
// room for one. A save takes the first of these names that it can create anew.
std::string StagingPathFor(const std::string& targetFullPath, unsigned attempt);
inline constexpr unsigned kStagingAttempts = 64;

// Replaces the memo's text with the file's, line breaks made CR LF. The memo is left untouched,
// without a change notification, when the texts are equal; otherwise it changes and notifies
// once. Raises EFOpenError (file cannot be opened or read whole, is 2 GiB or more, or is too large
// for the memory left) and EInvalidOperation (the memo refuses the text).
void ReadNoteFile(tk::TMemo& memo, const std::string& fileName);

} // namespace notefiles
