// Start-up: the application object, the note window from its stored layout, the note given on
// the command line, the message loop.
#include "command_line.h"
#include "notefiles/exception_display.h"
#include "noteform_unit/NoteForm.h"
#include "toolkit/application.h"

#include <windows.h>

#include <string>

namespace {

// The path as the current folder at start-up makes it, so that a relative name keeps naming the
// same file when a dialog later changes the current folder.
std::string FullPath(const std::string& path) {
    DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    std::string full(needed, '\0');
    DWORD length = needed ? GetFullPathNameA(path.c_str(), needed, full.data(), nullptr) : 0;
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    note::RegisterNoteClasses();
    tk::TApplication application;
    try {
        application.Initialize();
        notefiles::InstallExceptionDisplay(application);
        application.SetTitle("Pinlet");
        auto* note = application.CreateForm<note::TForm1>();
        std::string given = app::FirstArgument(GetCommandLineA());
        if (!given.empty()) note->OpenWhenShown(FullPath(given));
        application.Run();
    } catch (...) {
        // A failure before the loop (a missing layout, say) is shown, and the program ends.
        application.HandleException();
        return 1;
    }
    return 0;
}
