#pragma once
// Line breaks of a note text file as the memo needs them: CR LF.
#include <functional>
#include <string>
#include <string_view>

namespace notefiles {

// Whether a byte starts a two-byte character in the ANSI code page.
using LeadBytePredicate = std::function<bool(unsigned char)>;

// Copies `bytes`, turning every lone CR and every lone LF into CR LF and keeping CR LF pairs.
// A lead byte and the byte after it are copied together and never taken for a line break.
// Every other byte, NUL included, is copied unchanged.
std::string NormalizeLineBreaks(std::string_view bytes, const LeadBytePredicate& isLeadByte = {});

} // namespace notefiles
