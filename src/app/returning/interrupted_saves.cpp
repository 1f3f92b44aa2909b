#include "interrupted_saves.h"

#include "dialogs/message_dialog.h"
#include "notetext/error_text.h"
#include "notefiles/kept_copies.h"
#include "app/app_texts.h"

namespace app {

void OfferInterruptedSaves(tk::TApplication& application) {
    for (notefiles::InterruptedSave& save : notefiles::FindInterruptedSaves()) {
        try {
            const std::string question =
                notetext::FormatMessageText(kInterruptedSaveQuestion, {save.File});
            switch (dialogs::ConfirmMessage(question)) {
            case tk::mrYes:
                notefiles::RestoreInterruptedSave(save);
                break;
            case tk::mrNo:
                notefiles::ForgetInterruptedSave(save);
                break;
            default:
                break; // asked again at the next start
            }
        } catch (...) {
            application.HandleException();
        }
    }
}

} // namespace app
