#include "claimed_copies.h"

#include "app/app_texts.h"
#include "dialogs/message_dialog.h"
#include "notetext/error_text.h"
#include "toolkit/text/unicode_text.h"

#include <windows.h>

namespace app {

void Tell(const std::string& text) {
    dialogs::ShowMessageDialog(text, dialogs::TMsgDlgType::mkError,
                               dialogs::ButtonBit(dialogs::TMsgDlgBtn::mbOK), 0);
}

namespace {
// A copy that cannot be restored goes aside, never away, and the user learns where.
void SetAside(recovery::ClaimedCopy& claimed, const char* suffix, const char* message) {
    const std::string kept = recovery::SetCopyAside(claimed, suffix);
    claimed.HasCopy = false;
    Tell(notetext::FormatMessageText(message, {kept}));
}

// What names the note in the question: its file, or for a note without one its first line.
std::string NoteName(const recovery::CopyOutline& outline) {
    return outline.Fields.FileName.empty() ? "„" + outline.FirstLine + "”"
                                           : outline.Fields.FileName;
}
} // namespace

void ReportDamaged(recovery::ClaimedCopy& claimed) {
    SetAside(claimed, ".damaged", kDamagedCopyMessage);
}

int AskToRestore(const recovery::ClaimedCopy& claimed) {
    return dialogs::ConfirmMessage(
        notetext::FormatMessageText(kRestoreCopyQuestion, {NoteName(claimed.Outline)}));
}

bool ReadText(recovery::ClaimedCopy& claimed) {
    switch (recovery::ReadClaimedText(claimed)) {
    case recovery::TextRead::Read:
        return true;
    case recovery::TextRead::Damaged:
        ReportDamaged(claimed);
        return false;
    case recovery::TextRead::TooLarge:
        SetAside(claimed, ".large", kCopyTooLargeMessage);
        return false;
    }
    return false;
}


} // namespace app
