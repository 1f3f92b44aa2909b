// Start-up: the application object, the note window from its stored layout, the notes that
// ended unsaved, the note given on the command line, the message loop.
#include "command_line.h"
#include "returning/desktop_notes.h"
#include "exception_display.h"
#include "returning/interrupted_saves.h"
#include "returning/recovered_notes.h"
#include "storage/file_access.h"
#include "noteform_unit/NoteForm.h"
#include "noteform_unit/note_texts.h"
#include "toolkit/forms/application.h"
#include "toolkit/system/startup_marks.h"
#include "toolkit/text/unicode_text.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tk::StartupMark("main");
    note::RegisterNoteClasses();
    tk::TApplication application;
    try {
        application.Initialize();
        app::InstallExceptionDisplay(application);
        application.SetTitle("Pinlet");
        tk::StartupMark("application window");
        // Before the note opens a file: one it names may be among those put back.
        app::OfferInterruptedSaves(application);
        std::string given = app::FirstArgument(tk::Utf8(GetCommandLineW()));
        // The notes of the desktop are claimed before any window shows: a start that finds none
        // to bring back ends at once.
        std::optional<recovery::ClaimedCopy> broughtBack;
        if (app::IsDesktopStart(given)) {
            broughtBack = app::ClaimDesktopNotes(application, given);
            if (!broughtBack) return 0;
        }
        auto* note = application.CreateForm<note::TForm1>();
        const std::string beside = note::kBesideArgument;
        if (broughtBack) {
            app::BringBack(application, *note, std::move(*broughtBack));
        } else if (given.compare(0, beside.size(), beside) == 0) {
            // A new note (Ctrl+N in another): beside that one, empty, offering nothing.
            note->StartBeside(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(
                std::strtoull(given.c_str() + beside.size(), nullptr, 10))));
        } else {
            note->AvoidOtherNotes();
            // A note started for its own recovery copy offers no others: the notes whose copies
            // they are may be starting for them at the same time.
            if (!app::RestoreNamedCopy(application, *note, given)) {
                // Before the given file opens: the question is about notes that are gone.
                app::OfferRecoveryCopies(application, *note, given.empty());
                // Made full now, so that a relative name keeps naming the same file when a
                // dialog later changes the current folder.
                if (!given.empty()) note->OpenWhenShown(storage::FullPath(given));
            }
        }
        application.Run();
    } catch (...) {
        // A failure before the loop (a missing layout, say) is shown, and the program ends.
        application.HandleException();
        return 1;
    }
    return 0;
}
