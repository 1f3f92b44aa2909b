// The note on the desktop: where it opens, the record of its place, a new note beside it, and
// the note brought back from its record.
#include "noteform_unit/NoteForm.h"

#include "desktop_places.h"
#include "noteform_unit/note_texts.h"
#include "notetext/error_text.h"
#include "storage/file_access.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/system/program_path.h"
#include "toolkit/text/unicode_text.h"

namespace note {

void TForm1::MoveTo(const RECT& place) {
    SetBounds(place.left, place.top, place.right - place.left, place.bottom - place.top);
}

recovery::NotePlace TForm1::Place() const {
    recovery::NotePlace place;
    RECT window{Left(), Top(), Left() + Width(), Top() + Height()};
    if (HandleAllocated()) GetWindowRect(Handle(), &window);
    const MonitorPlace monitor = MonitorNear(window);
    place.Window = RectOf(window);
    place.Monitor = monitor.Whole;
    place.Dpi = monitor.Dpi;
    place.Pinned = Tag == 1;
    place.Zoom = ZoomPercent();
    return place;
}

void TForm1::NewNote() {
    const std::wstring program = tk::Wide(tk::ProgramPath());
    std::wstring command = L"\"" + program + L"\" \"" + tk::Wide(kBesideArgument) +
                           tk::Wide(std::to_string(reinterpret_cast<std::uintptr_t>(Handle()))) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        throw tk::Exception(notetext::FormatMessageText(
            kNewNoteFailedMessage, {storage::SystemErrorText(GetLastError())}));
    // The new note comes to the front, as the one the user asked for.
    AllowSetForegroundWindow(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void TForm1::StartBeside(HWND other) {
    MoveTo(BesideNote(Handle(), other));
}

void TForm1::AvoidOtherNotes() {
    RECT mine{Left(), Top(), Left() + Width(), Top() + Height()};
    MoveTo(ClearOfOtherNotes(Handle(), mine));
}

void TForm1::PlaceAsRecorded(const recovery::NotePlace& place) {
    MoveTo(RecordedPlace(place));
    if (place.Pinned != (Tag == 1)) Label2Click(this);
    SetZoomPercent(place.Zoom);
}

void TForm1::RunWhenShown(std::function<void()> task) {
    whenShown_.push_back(std::move(task));
    PostMessageW(Handle(), kOpenGivenFileMessage, 0, 0);
}

void TForm1::ContinueAs(recovery::RecoveryName name, const std::string& fileName) {
    document_->AdoptName(recovery::WriterFor(std::move(name)));
    if (fileName.empty()) return;
    try {
        OpenChosenFile(fileName);
    } catch (...) {
        document_->KeepFileName(fileName); // its place and file's name stay the note's
        throw;
    }
}

// What the start gave the note, once it is shown: a recovery copy to restore, what else was to
// be done then, a file to open.
void TForm1::OpenGiven() {
    if (givenCopy_) {
        recovery::ClaimedCopy claimed = std::move(*givenCopy_);
        givenCopy_.reset();
        RestoreCopy(std::move(claimed));
    }
    for (std::function<void()>& task : std::exchange(whenShown_, {}))
        task();
    std::string path = std::exchange(givenFile_, std::string());
    if (!path.empty()) OpenChosenFile(path);
}

} // namespace note
