#pragma once
// How the position store writes numbers and flags as text, and reads them back.
#include <string>
#include <string_view>

namespace advpanel {

std::string StoreIntText(int value);
// "1" or "0".
const char* StoreBoolText(bool value);
// A decimal number with an optional sign (leading blanks allowed); `fallback` for anything else,
// including a number outside the integer range.
int StoreTextToInt(std::string_view text, int fallback);

} // namespace advpanel
