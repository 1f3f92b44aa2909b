#include "recovered_notes.h"

#include "app/app_texts.h"
#include "claimed_copies.h"
#include "toolkit/system/program_path.h"
#include "dialogs/message_dialog.h"
#include "notetext/error_text.h"
#include "recovery/recovery_store.h"

namespace app {

// Copies are claimed and asked about one at a time, each holding only its outline until Yes: a
// copy of any size, or one that cannot be read, never stops the start.
void OfferRecoveryCopies(tk::TApplication& application, note::TForm1& note, bool noteIsFree) {
    for (const std::string& name : recovery::OrphanedCopyNames()) {
        try {
            std::optional<recovery::ClaimedCopy> found = recovery::ClaimOrphan(name);
            if (!found) continue; // its note lives, or another start claimed it first
            recovery::ClaimedCopy& claimed = *found;
            if (claimed.Failure != recovery::DecodeFailure::None) {
                ReportDamaged(claimed);
                continue;
            }
            switch (AskToRestore(claimed)) {
            case tk::mrYes:
                if (noteIsFree) {
                    if (!ReadText(claimed)) break;
                    note.RestoreWhenShown(std::move(claimed));
                    noteIsFree = false;
                } else if (!recovery::HandOverCopy(claimed, tk::ProgramPath())) {
                    recovery::ReleaseCopy(claimed);
                    Tell(kCopyNotHandedOverMessage);
                }
                break;
            case tk::mrNo:
                recovery::DiscardCopy(claimed);
                break;
            default:
                recovery::ReleaseCopy(claimed); // asked again at the next start
                break;
            }
        } catch (...) {
            application.HandleException();
        }
    }
}

bool RestoreNamedCopy(tk::TApplication& application, note::TForm1& note,
                      const std::string& argument) {
    const std::string prefix = recovery::kRecoverArgument;
    if (argument.compare(0, prefix.size(), prefix) != 0) return false;
    try {
        std::optional<recovery::ClaimedCopy> claimed =
            recovery::ClaimNamedCopy(argument.substr(prefix.size()));
        if (!claimed) return true; // saved meanwhile, or another note's: an empty note then
        if (claimed->Failure != recovery::DecodeFailure::None)
            ReportDamaged(*claimed);
        else if (ReadText(*claimed))
            note.RestoreWhenShown(std::move(*claimed));
    } catch (...) {
        application.HandleException();
    }
    return true;
}

} // namespace app
