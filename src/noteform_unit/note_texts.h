#pragma once
// The note's own user texts (ANSI bytes; letters outside ASCII written as escapes).

namespace note {

// "The note is not saved; close it anyway?"
inline constexpr const char* kCloseUnsavedQuestion =
    "A jegyzet nincs mentve, \xEDgy is be akarod z\xE1rni?";

} // namespace note
