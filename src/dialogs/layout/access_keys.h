#pragma once
// Access keys in captions: a single "&" marks the next character, "&&" stands for one "&".
#include <string>
#include <string_view>

namespace dialogs {

// The character marked by the first single "&", or '\0' when the caption has none.
char AccessKey(std::string_view caption);

// The caption with every "&" taken out, as the dialog's copied text shows it.
std::string WithoutAmpersands(std::string_view caption);

} // namespace dialogs
