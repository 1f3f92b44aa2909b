#pragma once
// The notes of the desktop brought back at sign-in (the "<desktop>" start): every note whose
// record a process that is gone left behind, each in a process of its own.
#include "noteform_unit/NoteForm.h"
#include "recovery/recovery_store.h"
#include "toolkit/forms/application.h"

#include <optional>
#include <string>

namespace app {

// Whether `argument` starts the program for the notes of the desktop.
bool IsDesktopStart(const std::string& argument);

// Claims the notes of the desktop: with "<desktop>" alone, every note that is gone, the first
// for this process and each other handed over to a new one; with a name after it, the note
// handed over under that name. Nothing when there is no note to bring back (the program then
// ends without a window). Notes with neither a file nor unsaved text are not brought back.
std::optional<recovery::ClaimedCopy> ClaimDesktopNotes(tk::TApplication& application,
                                                       const std::string& argument);

// Brings the claimed note back in `note`: its place, size and pin now; once the note is shown,
// its copy asked about (Yes: its unsaved text comes back; No: the copy goes; Cancel: the copy is
// left for a later start), and its file opened otherwise.
void BringBack(tk::TApplication& application, note::TForm1& note, recovery::ClaimedCopy claimed);

} // namespace app
