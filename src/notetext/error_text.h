#pragma once
// Texts of error messages: system texts trimmed, formats filled in, the closing full stop.
#include "line_breaks.h"

#include <string>
#include <string_view>
#include <vector>

namespace notetext {

// Message formats of the file errors.
inline constexpr const char* kCannotCreateFile = "Cannot create file \"%s\". %s"; // 65408
inline constexpr const char* kCannotOpenFile = "Cannot open file \"%s\". %s";     // 65409
inline constexpr const char* kTextExceedsMemo = "Text exceeds memo capacity";     // 65322

// A write that failed names the file and the system's reason.
inline constexpr const char* kCannotWriteFile = "Cannot write file \"%s\". %s";
// The reason given for a name that leads to a device, a folder or a pipe instead of a file.
inline constexpr const char* kNotAFile = "It is not a file";

// Cuts trailing bytes with codes 0 to 32 and trailing full stops, in any mix.
std::string TrimSystemText(std::string_view text);

// The reason a message gives for a system error: the system's text for the code, trimmed, or
// "Error <code>" where the system has none, so that a reason is never blank.
std::string SystemReason(std::string_view systemText, unsigned long code);

// Replaces each "%s" of `format` with the next argument; "%%" gives "%".
std::string FormatMessageText(std::string_view format, const std::vector<std::string>& args);

// Appends one "." when the message is not empty and its last character is above "." in code
// point order (a letter or a digit, say; not ".", a blank, a quote or ")"). The message is
// UTF-8, whose last byte is above "." exactly when its last character is.
std::string WithFullStop(const std::string& message);

} // namespace notetext
