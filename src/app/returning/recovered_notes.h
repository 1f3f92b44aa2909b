#pragma once
// The recovery copies of notes whose process ended unsaved (see recovery/recovery_store.h),
// offered back at start-up.
#include "noteform_unit/NoteForm.h"
#include "toolkit/forms/application.h"

#include <string>

namespace app {

// Asks, newest first, for each copy whose note is gone whether the note comes back. Yes: the
// first goes to `note` when it is free (no file given to it), every other to a new process of
// the program; No removes the copy; Cancel keeps it for the next start. A copy that cannot be
// read is put aside and reported by its new name.
void OfferRecoveryCopies(tk::TApplication& application, note::TForm1& note, bool noteIsFree);

// The "<recover>NAME" start (a restart the system made, or a note that handed a copy over):
// the named copy goes to `note`. True when `argument` is such a start, whatever became of it.
bool RestoreNamedCopy(tk::TApplication& application, note::TForm1& note,
                      const std::string& argument);

} // namespace app
