#pragma once
// A file's whole content in one piece: written from its start and flushed, or read back whole.
// The one place where a file is read whole, with sizes in 64 bits and an explicit limit.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace storage {

// Writes all bytes from the file's start, ends the file there and flushes it, through the save's
// file calls (see file_calls.h): 0, or why not. A write that takes fewer bytes than it was given
// is tried again with the rest; one that takes none counts as a full disk.
DWORD WriteWhole(HANDLE file, std::string_view bytes);

// Fills `bytes` (sized by the caller) from the file's current position: 0 when every byte came,
// otherwise why not (the system's code, ERROR_HANDLE_EOF for a short read).
DWORD ReadExactly(HANDLE file, std::string& bytes);

// The file's whole content, read through `file` from its start into `bytes`: 0, or why it could
// not be read. A file larger than `limit` bytes is not read: ERROR_FILE_TOO_LARGE, with its size
// in `size` (which always says how large the file is, once that is known).
DWORD ReadWholeFile(HANDLE file, std::uint64_t limit, std::string& bytes, std::uint64_t& size);

// The same for the file at `path`, opened for reading while others may use it.
DWORD ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes,
                    std::uint64_t& size);

} // namespace storage
