#pragma once
// The note window: its components, its state and its handlers.
#include "AdvPanel/AdvPanel.h"
#include "WndActImg/WndActImg.h"
#include "document/note_document.h"
#include "document/system_files.h"
#include "glGBtn/glGBtn.h"
#include "memo_port.h"
#include "note_accessible.h"
#include "reading/note_contrast.h"
#include "reading/note_find.h"
#include "note_shortcuts.h"
#include "reading/note_zoom.h"
#include "recovery/recovery_store.h"
#include "toolkit/forms/application.h"
#include "toolkit/forms/file_dialogs.h"
#include "toolkit/controls/stdctrls.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace note {

// The view of the note's document: it binds the layout's components, runs the handlers the
// layout names, shows the document's titles and asks its questions.
class TForm1 : public tk::TForm, private NoteView, private NoteTimers {
public:
    explicit TForm1(tk::TComponent* owner);
    ~TForm1() override;
    // Builds the window from the layout stored in `module`.
    TForm1(tk::TComponent* owner, HMODULE module);
    // Builds the window from a layout text instead of the program's stored one.
    TForm1(tk::TComponent* owner, const std::string& layoutText);
    const char* ClassName() const override { return "TForm1"; }

    const tk::TMethod* FindMethod(std::string_view name) const override;

    advpanel::TAdvPanel* panel = nullptr;
    wndact::TWndActImage* WndActImage1 = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TMemo* Memo1 = nullptr;
    wndact::TWndActImage* WndActImage2 = nullptr;
    wndact::TWndActImage* WndActImage3 = nullptr;
    wndact::TWndActImage* resizecorner = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TLabel* Label3 = nullptr;
    tk::TSaveDialog* SaveDialog1 = nullptr;
    tk::TLabel* Label4 = nullptr;
    tk::TOpenDialog* OpenDialog1 = nullptr;
    glgbtn::TglGraphicButton* btn_ok = nullptr;

    bool IsSaved() const { return document_->Saved(); }
    const std::string& NoteFileName() const { return document_->FileName(); }
    // The encoding the note's file is written in.
    const notetext::TextEncoding& NoteEncoding() const { return document_->Encoding(); }

    void Label1Click(tk::TObject* sender);
    void FormResize(tk::TObject* sender);
    void Label2Click(tk::TObject* sender);
    void FormCreate(tk::TObject* sender);
    void Label3Click(tk::TObject* sender);
    void Label4Click(tk::TObject* sender);
    void Memo1Change(tk::TObject* sender);
    void FormCloseQuery(tk::TObject* sender, bool& canClose);
    void Label3ContextPopup(tk::TObject* sender, tk::TPoint mousePos, bool& handled);
    // Opens the chosen note file into the memo, under the wait cursor, names the note after it
    // and marks it saved.
    void OpenChosenFile(const std::string& fileName);
    // Opens `fullPath` as the open glyph would after its dialog, once the message loop runs (the
    // note is shown by then); a failure shows the error box and leaves the note empty.
    void OpenWhenShown(const std::string& fullPath);
    // Runs the handler of a glyph, as a click (or, for save as, a right click) on it would.
    void RunCommand(NoteCommand command);
    // Posted to the note window to run a command (wParam) from the message loop.
    static constexpr UINT kRunCommandMessage = WM_APP + 1;
    // Posted to the note window to open the file OpenWhenShown was given.
    static constexpr UINT kOpenGivenFileMessage = WM_APP + 2;
    // Whether a file's text is being handed to the memo (see memo_loading.h); meanwhile saving
    // and opening are refused, and Esc, closing and the end of the session cancel the open.
    bool Opening() const { return document_->Opening(); }
    // Puts back the memo's text and the note's title from before the open under way, if any.
    void CancelOpening();
    // Shows a note that was not saved when its process ended, from its claimed recovery copy
    // (its text read), as an open does: with its file, encoding and file state, unsaved; the copy stays its own.
    void RestoreCopy(recovery::ClaimedCopy claimed);
    // The same once the message loop runs (the note is shown by then).
    void RestoreWhenShown(recovery::ClaimedCopy claimed);
    // The memo's text size in percent of the layout's, 10 to 500 in steps of 10 (see NoteZoom).
    int ZoomPercent() const { return zoom_->Percent(); }
    void SetZoomPercent(int percent);
    // The keeper of the note's recovery copy (tests wait for its writes).
    recovery::CopyKeeper& RecoveryKeeper() { return document_->RecoveryKeeper(); }

    // Ctrl+N: a new empty note, in a process of its own (a fault in one note never ends
    // another), one step down and right of this one.
    void NewNote();
    // Before the note is shown: one step down and right of the note window `other` (a new
    // note), kept on its monitor's work area.
    void StartBeside(HWND other);
    // Before the note is shown: moved on by a step while another note is exactly at its place.
    void AvoidOtherNotes();
    // Before the note is shown: the place, size and pin a note brought back had.
    void PlaceAsRecorded(const recovery::NotePlace& place);
    // Runs `task` once the message loop runs (the note is shown by then).
    void RunWhenShown(std::function<void()> task);
    // Goes on as the note brought back under `name` (its copy not wanted), with its file opened;
    // a file that cannot be read shows the error box and leaves the note empty with the file's
    // name.
    void ContinueAs(recovery::RecoveryName name, const std::string& fileName);

protected:
    bool PreviewKeyMessage(const MSG& msg) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleCreated() override;
    void ResolutionChanged() override;

private:
    void PublishMethods();
    void BindComponents();
    void FinishCreation(HMODULE module);
    void MakeAccessible();
    void HoldEditsToWhatOpens();
    void UseOwnGlyphsWhereMissing(HMODULE module);
    template <typename T> T* Field(const char* name);
    void ContinueOpening(bool firstTurn);
    void MoveTo(const RECT& place);
    void OpenGiven();

    // NoteView
    std::string Title() const override;
    void ShowTitle(const std::string& title, bool caption) override;
    bool Agrees(const char* question) override;
    void Tell(const std::string& message) override;
    recovery::NotePlace Place() const override;
    // NoteTimers
    void Start(NoteTimer timer, unsigned milliseconds) override;
    void Stop(NoteTimer timer) override;

    std::map<std::string, tk::TMethod, std::less<>> methods_;
    NoteAccessible* accessible_ = nullptr;
    std::string givenFile_;                          // to open once shown
    std::optional<recovery::ClaimedCopy> givenCopy_; // to restore once shown
    std::vector<std::function<void()>> whenShown_;
    std::unique_ptr<TMemoPort> memoPort_;
    SystemNoteFiles files_;
    recovery::RecoveryFolderStore copies_;
    recovery::SystemClock clock_;
    std::unique_ptr<NoteDocument> document_;
    std::unique_ptr<NoteZoom> zoom_;
    std::unique_ptr<NoteFind> find_;
    std::unique_ptr<NoteContrast> contrast_;
};

// Registers the classes that the note window's layout names.
void RegisterNoteClasses();

} // namespace note
