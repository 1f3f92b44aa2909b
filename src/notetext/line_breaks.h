#pragma once
// Line breaks of a note text file as the memo needs them: CR LF. Runs on UTF-8 (or any text in
// which a CR or LF byte is always a line break character).
#include <string>
#include <string_view>

namespace notetext {

// Copies `bytes`, turning every lone CR and every lone LF into CR LF and keeping CR LF pairs.
// Every other byte, NUL included, is copied unchanged.
std::string NormalizeLineBreaks(std::string_view bytes);

// The kind of line break a file is written with.
enum class LineBreak { CrLf, Lf, Cr };

// The kind of break a text's file had: the one all its breaks are; CR LF for a text without
// breaks or with breaks of more than one kind.
LineBreak LineBreakOf(std::string_view bytes);

// A text whose breaks are CR LF (as the memo holds it) with every CR LF made `kind`.
std::string WithLineBreaks(std::string_view crlfText, LineBreak kind);

} // namespace notetext
