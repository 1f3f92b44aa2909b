#include "desktop_notes.h"

#include "app/app_texts.h"
#include "claimed_copies.h"
#include "toolkit/system/program_path.h"

#include "toolkit/forms/modal_result.h"

#include <memory>

namespace app {
namespace {

// A note is worth bringing back when it has a file or unsaved text.
bool WorthBringingBack(const recovery::ClaimedCopy& claimed) {
    return !claimed.Place->FileName.empty() || claimed.HasCopy;
}

} // namespace

bool IsDesktopStart(const std::string& argument) {
    const std::string prefix = recovery::kDesktopArgument;
    return argument.compare(0, prefix.size(), prefix) == 0;
}

std::optional<recovery::ClaimedCopy> ClaimDesktopNotes(tk::TApplication& application,
                                                       const std::string& argument) {
    const std::string handed = argument.substr(std::string(recovery::kDesktopArgument).size());
    if (!handed.empty()) return recovery::ClaimDesktopNote(handed, true);
    std::optional<recovery::ClaimedCopy> first;
    for (const std::string& name : recovery::OrphanedPlaceNames()) {
        try {
            std::optional<recovery::ClaimedCopy> claimed = recovery::ClaimDesktopNote(name, false);
            if (!claimed) continue; // its note lives, or another start claimed it first
            if (!WorthBringingBack(*claimed)) {
                recovery::DiscardPlace(*claimed);
                continue;
            }
            if (!first) {
                first = std::move(claimed);
            } else if (!recovery::HandOverCopy(*claimed, tk::ProgramPath(),
                                               recovery::kDesktopArgument)) {
                recovery::ReleaseCopy(*claimed); // left for the next sign-in
                Tell(kCopyNotHandedOverMessage);
            }
        } catch (...) {
            application.HandleException();
        }
    }
    return first;
}

namespace {

// The rest of bringing a note back, once it is shown: its question is the note's own.
void ContinueBringingBack(tk::TApplication& application, note::TForm1& note,
                          recovery::ClaimedCopy& claimed) {
    const std::string fileName = claimed.Place->FileName;
    try {
        if (claimed.HasCopy && claimed.Failure != recovery::DecodeFailure::None)
            ReportDamaged(claimed);
        if (claimed.HasCopy) {
            switch (AskToRestore(claimed)) {
            case tk::mrYes:
                if (ReadText(claimed)) return note.RestoreCopy(std::move(claimed));
                break;
            case tk::mrNo:
                break; // the copy goes as the note goes on under its name
            default:
                recovery::LeaveCopyForLater(claimed);
                break;
            }
        }
    } catch (...) {
        application.HandleException();
    }
    note.ContinueAs(std::move(claimed.Name), fileName);
}

} // namespace

void BringBack(tk::TApplication& application, note::TForm1& note, recovery::ClaimedCopy claimed) {
    note.PlaceAsRecorded(*claimed.Place);
    auto held = std::make_shared<recovery::ClaimedCopy>(std::move(claimed));
    note.RunWhenShown(
        [&application, &note, held] { ContinueBringingBack(application, note, *held); });
}

} // namespace app
