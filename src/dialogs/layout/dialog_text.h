#pragma once
// The text a message dialog puts on the clipboard for Ctrl+C.
#include <string>
#include <vector>

namespace dialogs {

// Divider, title, divider, message, divider, the captions (without "&", each followed by three
// blanks) on one line, divider; CR LF after every line.
std::string DialogClipboardText(const std::string& title, const std::string& message,
                                const std::vector<std::string>& captions);

} // namespace dialogs
