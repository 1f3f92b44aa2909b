#pragma once
// What a save that died part way left (see notefiles/kept_copies.h), offered back at start-up.
#include "toolkit/forms/application.h"

namespace app {

// Asks for each file that a save left unfinished whether its old bytes go back: Yes writes them
// back, No removes the kept copy and leaves the file as it is, Cancel keeps the copy for the next
// start. A failed write back shows the error box and keeps the copy.
void OfferInterruptedSaves(tk::TApplication& application);

} // namespace app
