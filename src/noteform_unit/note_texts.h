#pragma once
// The note's own user texts (ANSI bytes, or UTF-16 where marked; letters outside ASCII written
// as escapes).

namespace note {

// "The note is not saved; close it anyway?"
inline constexpr const char* kCloseUnsavedQuestion =
    "A jegyzet nincs mentve, \xEDgy is be akarod z\xE1rni?";

// "The note is not saved; open another one anyway?"
inline constexpr const char* kOpenUnsavedQuestion =
    "A jegyzet nincs mentve, \xEDgy is meg akarsz nyitni egy m\xE1sikat?";

// "The file has changed since it was opened. Overwrite it anyway?"
inline constexpr const char* kChangedOnDiskQuestion =
    "A f\xE1jl a megnyit\xE1sa \xF3ta megv\xE1ltozott. \xCDgy is fel\xFClb\xEDrod?";

// The glyphs' names for accessibility tools (UTF-16): "Always on top", "Open note", "Save note",
// "Close".
inline constexpr const wchar_t* kPinGlyphName = L"Mindig fel\u00fcl";
inline constexpr const wchar_t* kOpenGlyphName = L"Jegyzet megnyit\u00e1sa";
inline constexpr const wchar_t* kSaveGlyphName = L"Jegyzet ment\u00e9se";
inline constexpr const wchar_t* kCloseGlyphName = L"Bez\u00e1r\u00e1s";

} // namespace note
