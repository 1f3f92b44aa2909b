#pragma once
// The questions the note's document asks and the titles it shows, UTF-8 as every text of the
// program.

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

// "The copy that keeps the unsaved note safe cannot be written to the folder %s: %s. Save the
// note so that it is not lost." Told once, until a copy is written again.
inline constexpr const char* kCopiesFailMessage =
    "A nem mentett jegyzetről nem tudok biztonsági másolatot írni ebbe a mappába:\n%s\n%s\n"
    "Mentsd el a jegyzetet, hogy ne vesszen el.";

// What the title shows while a file is being opened: "Opening… 42%", and when a save or another
// open is asked for meanwhile: "Opening… 42% – wait for the end, or Esc".
inline constexpr const char* kOpeningProgress = "Megnyitás… ";
inline constexpr const char* kOpeningRefusal = " – várd meg a végét, vagy Esc";

} // namespace note
