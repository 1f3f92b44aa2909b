#pragma once
// The note window: its components, its state and its handlers.
#include "AdvPanel/AdvPanel.h"
#include "WndActImg/WndActImg.h"
#include "glGBtn/glGBtn.h"
#include "document/memo_loading.h"
#include "note_accessible.h"
#include "note_shortcuts.h"
#include "notefiles/note_files.h"
#include "recovery/copy_fields.h"
#include "recovery/copy_keeper.h"
#include "toolkit/forms/application.h"
#include "toolkit/forms/file_dialogs.h"
#include "toolkit/controls/stdctrls.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace note {

class TForm1 : public tk::TForm {
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

    bool IsSaved() const { return Saved; }
    const std::string& NoteFileName() const { return FileName; }
    // The encoding the note's file is written in.
    const notetext::TextEncoding& NoteEncoding() const { return encoding_; }

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
    bool Opening() const { return load_ != nullptr; }
    // Puts back the memo's text and the note's title from before the open under way, if any.
    void CancelOpening();
    // Shows a note that was not saved when its process ended, from its claimed recovery copy,
    // as an open does: with its file, encoding and file state, unsaved; the copy stays its own.
    void RestoreCopy(recovery::ClaimedCopy claimed);
    // The same once the message loop runs (the note is shown by then).
    void RestoreWhenShown(recovery::ClaimedCopy claimed);
    // The keeper of the note's recovery copy (tests wait for its writes).
    recovery::CopyKeeper& RecoveryKeeper() { return keeper_; }

protected:
    bool PreviewKeyMessage(const MSG& msg) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void HandleCreated() override;

private:
    void PublishMethods();
    void BindComponents();
    void FinishCreation(HMODULE module);
    void MakeAccessible();
    void UseOwnGlyphsWhereMissing(HMODULE module);
    template <typename T> T* Field(const char* name);
    void ShowFileTitle();
    bool UserAgrees(const char* question);
    bool MayOverwrite(const std::string& target);
    void SaveTo(const std::string& target);

    bool RefuseWhileOpening();
    void LoadIntoMemo(std::string text);
    void AbandonOpening();
    void KeepRecoveryCopy();
    recovery::NoteSnapshot TakeSnapshot() const;
    void ForgetChanges();
    void ContinueOpening(bool firstTurn);
    void CompleteOpening();
    void ShowOpeningProgress();

    bool Saved = true;
    std::string FileName;
    // The note's file as the note last read or wrote it, and the encoding it is written in
    // (ANSI in the system's code page until a file says otherwise).
    std::optional<storage::FileStamp> fileStamp_;
    notetext::TextEncoding encoding_;
    std::map<std::string, tk::TMethod, std::less<>> methods_;
    NoteAccessible* accessible_ = nullptr;
    std::string givenFile_; // to open once shown
    // The open under way: the memo's load, and what the note becomes once it is complete.
    std::unique_ptr<MemoLoad<tk::TMemo>> load_;
    struct PendingOpen {
        std::string FileName;
        std::optional<storage::FileStamp> Stamp;
        notetext::TextEncoding Encoding;
        std::string TitleBefore;
        bool Refused = false;   // a save or an open was asked for meanwhile
        bool Restoring = false; // the text is a recovery copy's, not the file's
    } pendingOpen_;
    std::optional<recovery::ClaimedCopy> givenCopy_; // to restore once shown
    // The recovery copy of the unsaved note: taken as the text changes, gone once it is saved.
    recovery::CopyKeeper keeper_{[this] { return TakeSnapshot(); }};
    bool endingSession_ = false;  // the end of the session is being asked about
    bool changesGivenUp_ = false; // and the user agreed to give up the changes
};

// Registers the classes that the note window's layout names.
void RegisterNoteClasses();

} // namespace note
