#include "note_files.h"

#include "notetext/line_breaks.h"
#include "note_file_common.h"
#include "storage/whole_file.h"
#include "system_code_pages.h"
#include "notetext/ansi_code_page.h"
#include "notetext/note_text_limits.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/text/unicode_text.h"

#include <new>

namespace notefiles {
namespace {

// Reasons of our own, where no system error code says what went wrong.
constexpr const char* kContainsNul = "The file contains NUL characters";
constexpr const char* kLineTooLong = "A line of the file is too long for the note";
constexpr const char* kNotUtf16 = "The file is not valid UTF-16";

// The `count` bytes of the file from its current position, read with one call; only a whole
// file is shown, so a short read is an open failure.
std::string ReadWhole(HANDLE file, std::int64_t count, const std::string& fileName) {
    std::string bytes(static_cast<size_t>(count), '\0');
    if (DWORD error = storage::ReadExactly(file, bytes))
        RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, error);
    return bytes;
}

// "The note holds half a character (a UTF-16 surrogate without its pair), which no file can
// store, so it was not saved. Delete that character, then save again."
constexpr const char* kHalfCharacter =
    "A jegyzetben egy fél karakter van (egy párja nélküli UTF-16 helyettesítő kód), amelyet "
    "egyetlen fájl sem tud tárolni, ezért a jegyzet nincs mentve. Töröld ezt a karaktert, majd "
    "mentsd újra.";

// Whether the memo's text holds a surrogate without its partner, kept as its own bytes.
bool HoldsHalfCharacter(std::string_view text) {
    // Only a byte of 0x80 or above can start that form: the ASCII runs between (most of a large
    // note) are passed over eight bytes at a time.
    for (size_t at = tk::EndOfAscii(text, 0); at < text.size(); at = tk::EndOfAscii(text, at + 1))
        if (tk::KeptSurrogate(text, at) >= 0) return true;
    return false;
}

// The reason given for a file larger than the note opens: its size and the limit.
std::string TooLarge(std::uint64_t size, std::uint64_t limit, const char* unit) {
    return "The file holds " + std::to_string(size) + " " + unit + "; the note opens at most " +
           std::to_string(limit) + " " + unit;
}

// Why the bytes cannot be read without losing some of them, if they cannot.
std::string NotValidInCodePage(unsigned codePage) {
    return "The file is not valid text in code page " + std::to_string(codePage);
}

// The text of a file's bytes, in the encoding they were recognised in; refused with EFOpenError
// when it would not come back as the same bytes.
void DecodeBytes(std::string_view bytes, NoteFileText& read, const std::string& fileName) {
    read.Encoding = notetext::RecogniseEncoding(bytes);
    const std::string_view mark =
        read.Encoding.ByteOrderMark ? notetext::ByteOrderMarkOf(read.Encoding.Form) : std::string_view();
    const std::string_view content = bytes.substr(mark.size());
    switch (read.Encoding.Form) {
    case notetext::EncodingForm::Utf8:
        read.Text.assign(content);
        return;
    case notetext::EncodingForm::Utf16LE:
    case notetext::EncodingForm::Utf16BE:
        if (notetext::DecodeUtf16(content, read.Encoding.Form == notetext::EncodingForm::Utf16BE, read.Text)) return;
        // Without a NUL byte it was never UTF-16 text but ANSI that starts like its mark.
        if (bytes.find('\0') != std::string_view::npos)
            RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, kNotUtf16);
        read.Text.clear();
        read.Encoding = notetext::TextEncoding{};
        break;
    case notetext::EncodingForm::Ansi:
        break;
    }
    const notetext::AnsiCodePage codePage(TheSystemCodePages(), 0);
    read.Encoding.CodePage = codePage.Number();
    if (!codePage.Decode(bytes, read.Text))
        RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName,
                                        NotValidInCodePage(codePage.Number()));
}

// The file's text as the memo takes it, line breaks made CR LF; refused with EFOpenError when it
// holds a NUL character (the memo would show and save only what comes before it), or when it is
// larger or has a longer line than the memo takes reliably.
void ReadText(HANDLE file, NoteFileText& read, const std::string& fileName) {
    LARGE_INTEGER zero{}, position{}, size{};
    SetFilePointerEx(file, zero, &position, FILE_CURRENT);
    SetFilePointerEx(file, zero, &size, FILE_END);
    SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
    std::int64_t count = size.QuadPart - position.QuadPart;
    if (count < 0 || static_cast<std::uint64_t>(count) > notetext::kLargestNoteFile)
        RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName,
                                        TooLarge(static_cast<std::uint64_t>(size.QuadPart),
                                                 notetext::kLargestNoteFile, "bytes"));
    try {
        DecodeBytes(ReadWhole(file, count, fileName), read, fileName);
        std::string text;
        switch (notetext::NoteTextFromDecoded(read.Text, text)) {
        case notetext::NoteTextRefusal::None:
            read.Encoding.Breaks = notetext::LineBreakOf(read.Text); // written back as read
            read.Text = std::move(text);
            return;
        case notetext::NoteTextRefusal::ContainsNul:
            RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, kContainsNul);
        case notetext::NoteTextRefusal::LineTooLong:
            RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, kLineTooLong);
        case notetext::NoteTextRefusal::TooLarge:
            RaiseFileError<tk::EFOpenError>(
                notetext::kCannotOpenFile, fileName,
                TooLarge(tk::Utf16Length(read.Text), notetext::kLargestNoteText, "characters"));
        }
    } catch (const std::bad_alloc&) {
    }
    // No memory to make the text.
    RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
}

} // namespace

void RaiseOpenError(const std::string& fileName, unsigned long code) {
    RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, static_cast<DWORD>(code));
}

NoteFileText ReadNoteFile(const std::string& fileName) {
    RefuseLongName<tk::EFOpenError>(notetext::kCannotOpenFile, fileName);
    // A device, a folder or a pipe is refused before anything opens it: opening a serial port or
    // a pipe can wait for the other side, and reading it could wait for ever.
    RefuseWhatIsNotAFile<tk::EFOpenError>(notetext::kCannotOpenFile, fileName);
    tk::KernelHandle file(CreateFileW(tk::Wide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, GetLastError());
    if (!storage::IsDiskFile(file.Get()))
        RaiseFileError<tk::EFOpenError>(notetext::kCannotOpenFile, fileName, notetext::kNotAFile);
    NoteFileText read;
    read.Stamp = storage::StampOf(file.Get()).value_or(storage::FileStamp{});
    ReadText(file.Get(), read, fileName);
    return read;
}

std::optional<std::string> EncodeNoteText(std::string text, const notetext::TextEncoding& encoding) {
    // No encoding writes half a character as itself: the system's would write U+FFFD, a
    // character the user never typed.
    if (HoldsHalfCharacter(text)) throw tk::EWriteError(kHalfCharacter);
    if (encoding.Breaks != notetext::LineBreak::CrLf) {
        notetext::TextEncoding crlf = encoding;
        crlf.Breaks = notetext::LineBreak::CrLf;
        return EncodeNoteText(notetext::WithLineBreaks(text, encoding.Breaks), crlf);
    }
    const std::string_view mark =
        encoding.ByteOrderMark ? notetext::ByteOrderMarkOf(encoding.Form) : std::string_view();
    switch (encoding.Form) {
    case notetext::EncodingForm::Utf8:
        text.insert(0, mark);
        return text;
    case notetext::EncodingForm::Utf16LE:
    case notetext::EncodingForm::Utf16BE:
        return std::string(mark) +
               notetext::EncodeUtf16(text, encoding.Form == notetext::EncodingForm::Utf16BE);
    case notetext::EncodingForm::Ansi:
        break;
    }
    const notetext::AnsiCodePage codePage(TheSystemCodePages(), encoding.CodePage);
    if (codePage.IsItsOwnBytes(text)) {
        text.insert(0, mark);
        return text;
    }
    std::string bytes(mark);
    if (!codePage.Encode(text, bytes)) return std::nullopt;
    return bytes;
}

} // namespace notefiles
