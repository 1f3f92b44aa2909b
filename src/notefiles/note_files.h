#pragma once
// Note text files: the memo's text to and from a file, byte for byte.
#include "toolkit/stdctrls.h"

#include <string>

namespace notefiles {

// Writes the memo's whole text to the file: exactly its bytes, no byte-order mark, no line break
// added. The text goes to a new file in the same folder first and takes the target's place only
// once every byte is written and flushed, so a failure never destroys what the file held.
// Raises EFCreateError when the target cannot be written, EWriteError when not all bytes could
// be written.
void WriteNoteFile(tk::TMemo& memo, const std::string& fileName);

// Replaces the memo's text with the file's, line breaks made CR LF. The memo is left untouched,
// without a change notification, when the texts are equal; otherwise it changes and notifies
// once. Raises EFOpenError (file cannot be opened or read whole, or is 2 GiB or more) and
// EInvalidOperation (the memo refuses the text).
void ReadNoteFile(tk::TMemo& memo, const std::string& fileName);

} // namespace notefiles
