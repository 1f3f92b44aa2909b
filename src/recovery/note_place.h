#pragma once
// A note's record of its place on the desktop, kept while the note is open so that the note
// comes back where it was after the next sign-in: its file, its window's place and size with the
// monitor and DPI they were measured on, its pin and its zoom. Kept as a few lines of text, one
// "key=value" each after a first line that names the format; keys a reader does not know are
// passed over, so a later version can add some. Needs no operating system.
#include <optional>
#include <string>
#include <string_view>

namespace recovery {

struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const Rect&) const = default;
};

struct NotePlace {
    std::string FileName; // full path; empty for a note without a file
    Rect Window;          // in the virtual screen's pixels
    Rect Monitor;         // the monitor the window was on, whole
    int Dpi = 96;
    bool Pinned = false;
    int Zoom = 100; // percent
    bool operator==(const NotePlace&) const = default;
};

std::string EncodeNotePlace(const NotePlace& place);
// The place held in `text`; none when it is not a record of a place or is damaged.
std::optional<NotePlace> DecodeNotePlace(std::string_view text);

// Where a note whose record says `place` comes back: where it was when its monitor is still there
// (`monitorIsSame`) at the same DPI; otherwise on the monitor whose work area and DPI are given,
// at the same offset from its corner as far as the work area allows, its size scaled by the
// change of DPI.
Rect PlaceOnDesktop(const NotePlace& place, bool monitorIsSame, const Rect& workArea, int dpi);

} // namespace recovery
