#pragma once
// Which encoding a note file's bytes are in, and the Unicode forms (UTF-8 and UTF-16) to and from
// the program's UTF-8 text. The ANSI code page needs the system and is not here.
#include "line_breaks.h"

#include <string>
#include <string_view>

namespace notetext {

enum class EncodingForm { Ansi, Utf8, Utf16LE, Utf16BE };

// How a note file is written: its form, whether it starts with a byte-order mark, for ANSI the
// code page (0 until a file was read or written: the system's current one then), and its line
// breaks (the memo's text always has CR LF).
struct TextEncoding {
    EncodingForm Form = EncodingForm::Ansi;
    bool ByteOrderMark = false;
    unsigned CodePage = 0;
    LineBreak Breaks = LineBreak::CrLf;
    bool operator==(const TextEncoding&) const = default;
};

// The byte-order mark of a Unicode form; empty for ANSI.
std::string_view ByteOrderMarkOf(EncodingForm form);

// Whether `bytes` are UTF-8 throughout: no overlong forms, no surrogates, nothing above U+10FFFF,
// no truncated sequence.
bool IsUtf8(std::string_view bytes);

// The encoding of a file's bytes, from the bytes alone: a UTF-8 mark before valid UTF-8, a UTF-16
// mark (little or big endian), or, without a mark, valid UTF-8 that holds at least one
// multi-byte sequence; anything else is ANSI (a UTF-8 mark before invalid UTF-8 included).
TextEncoding RecogniseEncoding(std::string_view bytes);

// UTF-16 code units in the given byte order, the mark already taken off, as UTF-8 appended to
// `text`. False for an odd number of bytes or a surrogate without its partner.
bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::string& text);

// The UTF-16 bytes of a UTF-8 text in the given byte order, without a mark.
std::string EncodeUtf16(std::string_view text, bool bigEndian);

} // namespace notetext
