#include "note_files.h"

#include "line_breaks.h"
#include "note_file_common.h"
#include "note_text_limits.h"
#include "toolkit/exceptions.h"

#include <new>

namespace notefiles {
namespace {

// Reasons of our own, where no system error code says what went wrong.
constexpr const char* kContainsNul = "The file contains NUL characters";
constexpr const char* kLineTooLong = "A line of the file is too long for the note";

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

// The `count` bytes of the file from its current position, read with one call; only a whole
// file is shown, so a short read is an open failure.
std::string ReadWhole(HANDLE file, std::int64_t count, const std::string& fileName) {
    std::string bytes(static_cast<size_t>(count), '\0');
    if (DWORD error = ReadExactly(file, bytes))
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, error);
    return bytes;
}

// The file's text as the memo takes it, line breaks made CR LF; refused with EFOpenError when it
// holds a NUL byte (the memo would show and save only what comes before it), or when it is
// larger or has a longer line than the memo takes reliably.
std::string NoteTextOf(HANDLE file, const std::string& fileName) {
    LARGE_INTEGER zero{}, position{}, size{};
    SetFilePointerEx(file, zero, &position, FILE_CURRENT);
    SetFilePointerEx(file, zero, &size, FILE_END);
    SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
    std::int64_t count = size.QuadPart - position.QuadPart;
    if (count < 0 || static_cast<std::uint64_t>(count) > kLargestNoteText)
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
    try {
        std::string text;
        switch (NoteTextFromBytes(ReadWhole(file, count, fileName), IsLeadByte, text)) {
        case NoteTextRefusal::None:
            return text;
        case NoteTextRefusal::ContainsNul:
            RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, kContainsNul);
        case NoteTextRefusal::LineTooLong:
            RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, kLineTooLong);
        case NoteTextRefusal::TooLarge:
            break;
        }
    } catch (const std::bad_alloc&) {
    }
    // Larger than the memo takes, or no memory to make the text.
    RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
}

} // namespace

void RaiseOpenError(const std::string& fileName, unsigned long code) {
    RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, static_cast<DWORD>(code));
}

NoteFileText ReadNoteFile(const std::string& fileName) {
    RefuseLongName<tk::EFOpenError>(kCannotOpenFile, fileName);
    tk::KernelHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, GetLastError());
    NoteFileText read;
    read.Stamp = StampOf(file.Get()).value_or(FileStamp{});
    read.Text = NoteTextOf(file.Get(), fileName);
    return read;
}

} // namespace notefiles
