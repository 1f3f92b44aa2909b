#pragma once
// Breaking a message's words that are too wide for its box, so that a box that wraps lines only
// at blanks (the system's message box, the message dialog) stays on its screen: a long file name
// would otherwise make the box wider than the screen.
#include <functional>
#include <string>
#include <string_view>

namespace dialogs {

// Measures a piece of text (UTF-8) as the box would draw it, in pixels.
using TextWidth = std::function<int(std::string_view)>;

// `text` with each word (a run without blanks or line breaks) that is wider than `maxWidth` broken
// into lines no wider than it: after the last path separator ("\" or "/") that fits, otherwise
// after the last whole character that fits (at least one per line). The breaks are "\n"; taking
// them out gives `text` back. Everything else is kept as it is.
std::string BreakLongWords(std::string_view text, int maxWidth, const TextWidth& width);

} // namespace dialogs
