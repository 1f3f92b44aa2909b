#pragma once
// The recovery copy of an unsaved note: what it holds and its bytes. A small header (a mark, the
// format's version, the length and checksum of what follows) and a body: the time it was taken
// and tagged fields (the text as UTF-8, the note's file name, and what saving it needs: the
// file's encoding and how the file was when the note last read or wrote it). Fields of tags a
// reader does not know are passed over, so a later version can add some.
//
// A copy is written as a stream, its text converted piece by piece, so that writing it never
// needs a second whole copy of the text; the header, whose length and checksum are known only at
// the end, is written last over the first bytes. It is read back in two steps: its outline (every
// field but the text, where the text lies and its first line, all checked against the checksum)
// with little memory whatever its size, and its text only when it is wanted. Needs no operating
// system.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace recovery {

inline constexpr std::uint32_t kFormatVersion = 1;
// The header's size: mark (8), version (4), length of the body (8), its checksum (8).
inline constexpr std::size_t kCopyHeaderSize = 8 + 4 + 8 + 8;

struct RecoveryCopy {
    std::uint64_t TakenAt = 0; // FILETIME, 100 ns since 1601
    std::string Text;          // UTF-8, line breaks CR LF
    std::string FileName;      // empty for a note without a file
    // The file's encoding: form (0 ANSI, 1 UTF-8, 2 UTF-16 LE, 3 UTF-16 BE), mark, code page.
    std::uint8_t EncodingForm = 0;
    bool ByteOrderMark = false;
    std::uint32_t CodePage = 0;
    std::uint8_t LineBreaks = 0; // 0 CR LF, 1 LF, 2 CR
    // The file as the note last read or wrote it; HasFileState false when it has none.
    bool HasFileState = false;
    std::uint64_t FileSize = 0;
    std::uint64_t FileLastWrite = 0;
    std::string FileIdentity; // opaque: whatever tells the file from another
    bool operator==(const RecoveryCopy&) const = default;
};

// Where a copy's bytes go, in order. Throws when they cannot go.
class CopyOutput {
public:
    virtual ~CopyOutput() = default;
    virtual void Append(std::string_view bytes) = 0;
};

// The text of a copy as it is written: its length in UTF-8, then its bytes in pieces.
class CopyText {
public:
    virtual ~CopyText() = default;
    virtual std::uint64_t Utf8Size() const = 0;
    virtual void WriteTo(CopyOutput& out) const = 0;
};

// A text that is UTF-8 already.
class Utf8CopyText : public CopyText {
public:
    explicit Utf8CopyText(std::string_view text) : text_(text) {}
    std::uint64_t Utf8Size() const override { return text_.size(); }
    void WriteTo(CopyOutput& out) const override { out.Append(text_); }

private:
    std::string_view text_;
};

// A text as the memo holds it, in UTF-16 code units, converted a piece at a time (a surrogate
// without its partner becomes U+FFFD, as every conversion of the memo's text does).
class Utf16CopyText : public CopyText {
public:
    explicit Utf16CopyText(std::wstring_view text) : text_(text) {}
    std::uint64_t Utf8Size() const override;
    void WriteTo(CopyOutput& out) const override;

private:
    std::wstring_view text_;
};

// Writes a copy with `fields` (their Text left out) and `text`: the body follows a header of
// kCopyHeaderSize zero bytes; returns the header to write over them.
std::string WriteRecoveryCopy(const RecoveryCopy& fields, const CopyText& text, CopyOutput& out);

// The bytes of a whole copy (its text UTF-8 in `copy.Text`).
std::string EncodeRecoveryCopy(const RecoveryCopy& copy);

// Why a copy's bytes cannot be read back, if they cannot.
enum class DecodeFailure { None, NotACopy, NewerVersion, CutShort, Damaged };

// Where a copy's bytes are read from: its size and bytes at any offset within it; ReadAt is
// false when they could not all be read.
class CopyInput {
public:
    virtual ~CopyInput() = default;
    virtual std::uint64_t Size() = 0;
    virtual bool ReadAt(std::uint64_t offset, char* to, std::size_t count) = 0;
};

// A copy's fields but its text, where its text lies, and the text's first line.
struct CopyOutline {
    RecoveryCopy Fields; // Text empty
    std::uint64_t TextAt = 0, TextSize = 0;
    std::string FirstLine; // see FirstLine below
};

// Reads a copy's outline, checking every byte of it against its checksum a piece at a time.
DecodeFailure ReadCopyOutline(CopyInput& input, CopyOutline& outline);

// The text of a copy whose outline was read; false when it could not be read. Throws
// std::bad_alloc where there is no memory for it.
bool ReadCopyText(CopyInput& input, const CopyOutline& outline, std::string& text);

// The copy held in `bytes`, text and all; DecodeFailure says why there is none.
DecodeFailure DecodeRecoveryCopy(std::string_view bytes, RecoveryCopy& copy);

// The first line of a text, at most `limit` bytes and never cut inside a character: what names
// a note without a file.
std::string FirstLine(std::string_view text, std::size_t limit = 60);

} // namespace recovery
