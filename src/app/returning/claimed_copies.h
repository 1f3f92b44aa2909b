#pragma once
// What the start does with a claimed recovery copy before the note gets it: the question that
// names its note, its text read once wanted, and a copy that cannot be restored set aside and
// reported.
#include "recovery/recovery_store.h"

#include <string>

namespace app {

// Tells the user of a failure with an error box.
void Tell(const std::string& text);

// Asks whether the claimed copy's note comes back, naming its file (or for a note without one
// its first line): the message box's answer.
int AskToRestore(const recovery::ClaimedCopy& claimed);

// Puts a damaged copy aside, never away, and tells the user where it is now.
void ReportDamaged(recovery::ClaimedCopy& claimed);

// The copy's text, read now that it is wanted; true when the note can have it. A copy that
// cannot be read, or is too large for the memory left, is put aside and reported.
bool ReadText(recovery::ClaimedCopy& claimed);

} // namespace app
