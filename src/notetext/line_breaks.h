#pragma once
// Line breaks of a note text file as the memo needs them: CR LF. Runs on UTF-8 (or any text in
// which a CR or LF byte is always a line break character).
#include <string>
#include <string_view>

namespace notetext {

// Copies `bytes`, turning every lone CR and every lone LF into CR LF and keeping CR LF pairs.
// Every other byte, NUL included, is copied unchanged.
std::string NormalizeLineBreaks(std::string_view bytes);

} // namespace notetext
