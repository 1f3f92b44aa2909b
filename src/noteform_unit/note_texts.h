#pragma once
// The note's own user texts, UTF-8 as every text of the program.

namespace note {

// An edit refused because the note could not open its own file afterwards: "This line would be
// too long: a line may hold at most %s characters, or the note could not open its file again.
// The text has not changed." and "The note would be too large: it may hold at most %s
// characters, or it could not open its file again. The text has not changed."
inline constexpr const char* kLineTooLongRefusal =
    "Ez a sor túl hosszú lenne: egy sorban legfeljebb %s karakter lehet, különben a jegyzet nem "
    "tudná újra megnyitni a fájlját. A szöveg nem változott.";
inline constexpr const char* kTextTooLargeRefusal =
    "A jegyzet túl nagy lenne: legfeljebb %s karaktert tartalmazhat, különben nem tudná újra "
    "megnyitni a fájlját. A szöveg nem változott.";

// What Find says when the text is not in the note: "Not found: „…”".
inline constexpr const char* kNotFound = "Nem található: „";
inline constexpr const char* kNotFoundEnd = "”";

// The memo's name for screen readers while the zoom is not 100 %: "Zoom 120%".
inline constexpr const char* kZoomName = "Nagyítás ";

// The glyphs' names for accessibility tools: "Always on top", "Open note", "Save note", "Close".
inline constexpr const char* kPinGlyphName = "Mindig felül";
inline constexpr const char* kOpenGlyphName = "Jegyzet megnyitása";
inline constexpr const char* kSaveGlyphName = "Jegyzet mentése";
inline constexpr const char* kCloseGlyphName = "Bezárás";

// "A new note could not be started: %s"
inline constexpr const char* kNewNoteFailedMessage = "Nem sikerült új jegyzetet nyitni:\n%s";

// The argument that starts a new note beside another: "<beside>" and the other's window handle.
// The angle brackets are never part of a file name.
inline constexpr const char* kBesideArgument = "<beside>";

// What a screen reader says of the note window: "New note: Ctrl+N".
inline constexpr const char* kNoteDescription = "Új jegyzet: Ctrl+N";

} // namespace note
