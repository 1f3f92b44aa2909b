// Start-up: the application object, the note window from its stored layout, the message loop.
#include "notefiles/exception_display.h"
#include "noteform_unit/NoteForm.h"
#include "toolkit/application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    note::RegisterNoteClasses();
    tk::TApplication application;
    try {
        application.Initialize();
        notefiles::InstallExceptionDisplay(application);
        application.SetTitle("Pinlet");
        application.CreateForm<note::TForm1>();
        application.Run();
    } catch (...) {
        // A failure before the loop (a missing layout, say) is shown, and the program ends.
        application.HandleException();
        return 1;
    }
    return 0;
}
