#pragma once
// The questions and messages of the program's start: saves that did not finish, and notes that
// ended unsaved. UTF-8, as every text of the program.

namespace app {

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

// "The copy of an unsaved note is too large for the memory left to this program, so it cannot be
// restored. It is kept as: %s"
inline constexpr const char* kCopyTooLargeMessage =
    "Egy el nem mentett jegyzet másolata túl nagy, nem fér el a program memóriájában, ezért nem "
    "állítható vissza. Megőriztem ezen a néven:\n%s";

// "The unsaved note could not be opened in a new window. Its copy is kept for the next start."
inline constexpr const char* kCopyNotHandedOverMessage =
    "Az el nem mentett jegyzetet nem sikerült új ablakban megnyitni. A másolatát megőriztem a "
    "következő indításra.";

} // namespace app
