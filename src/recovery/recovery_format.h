#pragma once
// The recovery copy of an unsaved note: what it holds and its bytes. A small header (a mark, the
// format's version, the length and checksum of what follows, the time it was taken) and tagged
// fields: the text as UTF-8, the note's file name, and what saving it needs (the file's encoding
// and how the file was when the note last read or wrote it). Fields of tags a reader does not
// know are passed over, so a later version can add some. Needs no operating system.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace recovery {

inline constexpr std::uint32_t kFormatVersion = 1;

struct RecoveryCopy {
    std::uint64_t TakenAt = 0; // FILETIME, 100 ns since 1601
    std::string Text;          // UTF-8, line breaks CR LF
    std::string FileName;      // empty for a note without a file
    // The file's encoding: form (0 ANSI, 1 UTF-8, 2 UTF-16 LE, 3 UTF-16 BE), mark, code page.
    std::uint8_t EncodingForm = 0;
    bool ByteOrderMark = false;
    std::uint32_t CodePage = 0;
    // The file as the note last read or wrote it; HasFileState false when it has none.
    bool HasFileState = false;
    std::uint64_t FileSize = 0;
    std::uint64_t FileLastWrite = 0;
    std::string FileIdentity; // opaque: whatever tells the file from another
    bool operator==(const RecoveryCopy&) const = default;
};

std::string EncodeRecoveryCopy(const RecoveryCopy& copy);

// Why a copy's bytes cannot be read back, if they cannot.
enum class DecodeFailure { None, NotACopy, NewerVersion, CutShort, Damaged };

// The copy held in `bytes`; DecodeFailure says why there is none.
DecodeFailure DecodeRecoveryCopy(std::string_view bytes, RecoveryCopy& copy);

// The first line of a text, at most `limit` bytes and never cut inside a character: what names
// a note without a file.
std::string FirstLine(std::string_view text, std::size_t limit = 60);

} // namespace recovery
