#pragma once
// The note's own user texts, UTF-8 as every text of the program.

namespace note {

// "The note is not saved; close it anyway?"
inline constexpr const char* kCloseUnsavedQuestion =
    "A jegyzet nincs mentve, így is be akarod zárni?";

// "The note is not saved; open another one anyway?"
inline constexpr const char* kOpenUnsavedQuestion =
    "A jegyzet nincs mentve, így is meg akarsz nyitni egy másikat?";

// "The file has changed since it was opened. Overwrite it anyway?"
inline constexpr const char* kChangedOnDiskQuestion =
    "A fájl a megnyitása óta megváltozott. Így is felülírod?";

// "The note holds a character that the file's encoding cannot store. Save it in UTF-8?"
inline constexpr const char* kSaveAsUtf8Question =
    "A jegyzet olyan karaktert tartalmaz, amelyet a fájl kódolása nem tud tárolni. Mentsem "
    "UTF-8 kódolással?";

// What the title shows while a file is being opened: "Opening… 42%", and when a save or another
// open is asked for meanwhile: "Opening… 42% – wait for the end, or Esc".
inline constexpr const char* kOpeningProgress = "Megnyitás… ";
inline constexpr const char* kOpeningRefusal = " – várd meg a végét, vagy Esc";

// "A save did not finish, so this file may be damaged: %s. Shall I put back what it held before the
// save?"
inline constexpr const char* kInterruptedSaveQuestion =
    "Egy mentés nem fejeződött be, ezért ez a fájl sérült lehet:\n%s\nVisszaállítsam a mentés "
    "előtti tartalmát?";

// "A note was not saved. Shall I restore it?" and, below it, the note's file or first line.
inline constexpr const char* kRestoreCopyQuestion =
    "Egy jegyzet nem lett elmentve. Visszaállítsam?\n%s";

// "The copy of an unsaved note is damaged and cannot be restored. It is kept as: %s"
inline constexpr const char* kDamagedCopyMessage =
    "Egy el nem mentett jegyzet másolata sérült, ezért nem állítható vissza. Megőriztem "
    "ezen a néven:\n%s";

// "The unsaved note could not be opened in a new window. Its copy is kept for the next start."
inline constexpr const char* kCopyNotHandedOverMessage =
    "Az el nem mentett jegyzetet nem sikerült új ablakban megnyitni. A másolatát megőriztem a "
    "következő indításra.";

// The glyphs' names for accessibility tools: "Always on top", "Open note", "Save note", "Close".
inline constexpr const char* kPinGlyphName = "Mindig felül";
inline constexpr const char* kOpenGlyphName = "Jegyzet megnyitása";
inline constexpr const char* kSaveGlyphName = "Jegyzet mentése";
inline constexpr const char* kCloseGlyphName = "Bezárás";

} // namespace note
