#pragma once
// Where a note window goes on the desktop: beside another note (cascading, as a new note does),
// never exactly over another note, and back to a recorded place on the monitors there are now.
#include "recovery/note_place.h"

#include <windows.h>

namespace note {

recovery::Rect RectOf(const RECT& r);
RECT RectOf(const recovery::Rect& r);

// The monitor nearest to `r`: its whole rectangle, its work area and its DPI.
struct MonitorPlace {
    recovery::Rect Whole, WorkArea;
    int Dpi = 96;
};
MonitorPlace MonitorNear(const RECT& r);
// The work area of the monitor nearest to `r`, without asking for its DPI (which loads a library
// on the way to a new note's first paint).
recovery::Rect WorkAreaNear(const RECT& r);

// The step of a cascade: one caption's height.
int CascadeStep();

// `wanted`, moved on by CascadeStep() down and right for as long as another note window (of
// `self`'s class, in another process) has its top-left corner exactly there; a step that would
// leave the work area of `wanted`'s monitor starts again at the work area's top-left corner.
RECT ClearOfOtherNotes(HWND self, RECT wanted);

// One step down and right of `other`'s window, kept in the work area of its monitor, and clear
// of other notes.
RECT BesideNote(HWND self, HWND other);

// Where a recorded note comes back on the monitors there are now.
RECT RecordedPlace(const recovery::NotePlace& place);

} // namespace note
