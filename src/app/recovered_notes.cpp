#include "recovered_notes.h"

#include "dialogs/message_dialog.h"
#include "notetext/error_text.h"
#include "app_texts.h"
#include "recovery/recovery_store.h"
#include "toolkit/text/unicode_text.h"

#include <windows.h>

namespace app {
namespace {

std::string ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return tk::Utf8(path.substr(0, length));
        path.resize(path.size() * 2);
    }
}

void Tell(const std::string& text) {
    dialogs::ShowMessageDialog(text, dialogs::TMsgDlgType::mkError,
                               dialogs::ButtonBit(dialogs::TMsgDlgBtn::mbOK), 0);
}

// A copy that cannot be read back goes aside, never away, and the user learns where.
void ReportDamaged(recovery::ClaimedCopy& claimed) {
    const std::string kept = recovery::KeepDamagedCopy(claimed);
    recovery::ReleaseCopy(claimed);
    Tell(notetext::FormatMessageText(kDamagedCopyMessage, {kept}));
}

// What names the note in the question: its file, or for a note without one its first line.
std::string NoteName(const recovery::RecoveryCopy& copy) {
    return copy.FileName.empty() ? "„" + recovery::FirstLine(copy.Text) + "”" : copy.FileName;
}

} // namespace

void OfferRecoveryCopies(tk::TApplication& application, note::TForm1& note, bool noteIsFree) {
    for (recovery::ClaimedCopy& claimed : recovery::ClaimOrphanedCopies()) {
        try {
            if (claimed.Failure != recovery::DecodeFailure::None) {
                ReportDamaged(claimed);
                continue;
            }
            const std::string question =
                notetext::FormatMessageText(kRestoreCopyQuestion, {NoteName(claimed.Copy)});
            switch (dialogs::ConfirmMessage(question)) {
            case tk::mrYes:
                if (noteIsFree) {
                    note.RestoreWhenShown(std::move(claimed));
                    noteIsFree = false;
                } else if (!recovery::HandOverCopy(claimed, ProgramPath())) {
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
        else
            note.RestoreWhenShown(std::move(*claimed));
    } catch (...) {
        application.HandleException();
    }
    return true;
}

} // namespace app
