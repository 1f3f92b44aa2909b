#include "NoteForm.h"

#include <algorithm>
#include <utility>

#include "dialogs/message_dialog.h"
#include "note_texts.h"
#include "document/note_title.h"
#include "notefiles/note_files.h"
#include "toolkit/base/scope_exit.h"
#include "toolkit/forms/wait_cursor.h"
#include "toolkit/components/component_reader.h"
#include "toolkit/graphics/private_fonts.h"
#include "toolkit/system/startup_marks.h"

namespace note {

namespace {
constexpr UINT_PTR kOpeningTimer = 1;
// While a recovery copy waits to fall due, this timer asks whether it has, every kRecoveryTick ms.
constexpr UINT_PTR kRecoveryTimer = 2;
constexpr UINT kRecoveryTick = 250;
// The longest turn of handing pieces to the memo, in milliseconds, even while nothing else waits.
constexpr ULONGLONG kOpeningTurn = 200;
constexpr tk::TColor kGlyphColor = 3355443;            // RGB(51,51,51)
constexpr tk::TColor kPinnedColor = 255;               // RGB(255,0,0)
constexpr const char* kOwnGlyphFace = "Pinlet Glyphs"; // the family of NOTE_GLYPHS
} // namespace

void RegisterNoteClasses() {
    tk::RegisterComponentClass<advpanel::TAdvPanel>("TAdvPanel");
    tk::RegisterComponentClass<wndact::TWndActImage>("TWndActImage");
    tk::RegisterComponentClass<tk::TLabel>("TLabel");
    tk::RegisterComponentClass<tk::TMemo>("TMemo");
    tk::RegisterComponentClass<tk::TImage>("TImage");
    tk::RegisterComponentClass<glgbtn::TglGraphicButton>("TglGraphicButton");
    tk::RegisterComponentClass<tk::TSaveDialog>("TSaveDialog");
    tk::RegisterComponentClass<tk::TOpenDialog>("TOpenDialog");
}

TForm1::TForm1(tk::TComponent* owner) : TForm1(owner, GetModuleHandleA(nullptr)) {}

TForm1::TForm1(tk::TComponent* owner, HMODULE module) : tk::TForm(owner) {
    PublishMethods();
    ReadLayoutResource(module, "TFORM1");
    FinishCreation(module);
}

TForm1::TForm1(tk::TComponent* owner, const std::string& layoutText) : tk::TForm(owner) {
    PublishMethods();
    ReadLayoutText(layoutText, GetModuleHandleA(nullptr));
    FinishCreation(GetModuleHandleA(nullptr));
}

// After the layout: the fields, the glyphs' fonts, the shortcut keys and the accessible object,
// then OnCreate.
void TForm1::FinishCreation(HMODULE module) {
    BindComponents();
    UseOwnGlyphsWhereMissing(module);
    tk::StartupMark("glyphs checked");
    KeyPreview = true;
    MakeAccessible();
    tk::StartupMark("accessible object");
    DoCreate();
    tk::StartupMark("form created");
}

TForm1::~TForm1() {
    if (!accessible_) return;
    SetAccessibleClient(nullptr);
    panel->SetAccessibleClient(nullptr);
    accessible_->Detach(); // a tool may still hold it: it then answers as disconnected
    accessible_->Release();
}

// The pin, open and save labels ask symbol fonts for "X", "0" and "=". Where the system has no
// such font, or the font lacks the character, the label draws the note's own symbol for it (a
// pushpin, an open folder, a floppy disk) from the note's private font: the same character,
// height and colour, so it is placed and coloured as the caption would be.
void TForm1::UseOwnGlyphsWhereMissing(HMODULE module) {
    for (tk::TLabel* label : {Label2, Label4, Label3}) {
        const std::string& caption = label->Caption();
        if (caption.size() != 1 || tk::DrawsCharacter(label->Font(), caption[0])) continue;
        if (!tk::UsePrivateFont(module, "NOTE_GLYPHS")) return;
        label->Font().SetName(kOwnGlyphFace);
    }
}

// Accessibility tools ask the note window, or the panel that holds the memo and the glyphs, for
// their client area: both answer with the note's object.
void TForm1::MakeAccessible() {
    accessible_ = new NoteAccessible(*this);
    SetAccessibleClient(accessible_);
    panel->SetAccessibleClient(accessible_);
}

void TForm1::PublishMethods() {
    auto notify = [this](void (TForm1::*method)(tk::TObject*)) {
        return tk::TMethod(
            tk::TNotifyEvent([this, method](tk::TObject* s) { (this->*method)(s); }));
    };
    methods_.emplace("Label1Click", notify(&TForm1::Label1Click));
    methods_.emplace("FormResize", notify(&TForm1::FormResize));
    methods_.emplace("Label2Click", notify(&TForm1::Label2Click));
    methods_.emplace("FormCreate", notify(&TForm1::FormCreate));
    methods_.emplace("Memo1Change", notify(&TForm1::Memo1Change));
    methods_.emplace("Label3Click", notify(&TForm1::Label3Click));
    methods_.emplace("Label4Click", notify(&TForm1::Label4Click));
    methods_.emplace("FormCloseQuery",
                     tk::TMethod(tk::TCloseQueryEvent(
                         [this](tk::TObject* s, bool& c) { FormCloseQuery(s, c); })));
    methods_.emplace("Label3ContextPopup", tk::TMethod(tk::TContextPopupEvent(
                                               [this](tk::TObject* s, tk::TPoint p, bool& h) {
                                                   Label3ContextPopup(s, p, h);
                                               })));
}

const tk::TMethod* TForm1::FindMethod(std::string_view name) const {
    auto it = methods_.find(name);
    return it == methods_.end() ? nullptr : &it->second;
}

template <typename T> T* TForm1::Field(const char* name) {
    auto* found = dynamic_cast<T*>(FindComponent(name));
    if (!found) throw tk::EReadError(std::string("Component ") + name + " missing from the layout");
    return found;
}

void TForm1::BindComponents() {
    panel = Field<advpanel::TAdvPanel>("panel");
    WndActImage1 = Field<wndact::TWndActImage>("WndActImage1");
    Label1 = Field<tk::TLabel>("Label1");
    Memo1 = Field<tk::TMemo>("Memo1");
    WndActImage2 = Field<wndact::TWndActImage>("WndActImage2");
    WndActImage3 = Field<wndact::TWndActImage>("WndActImage3");
    resizecorner = Field<wndact::TWndActImage>("resizecorner");
    Label2 = Field<tk::TLabel>("Label2");
    Label3 = Field<tk::TLabel>("Label3");
    SaveDialog1 = Field<tk::TSaveDialog>("SaveDialog1");
    Label4 = Field<tk::TLabel>("Label4");
    OpenDialog1 = Field<tk::TOpenDialog>("OpenDialog1");
    btn_ok = Field<glgbtn::TglGraphicButton>("btn_ok");
}

void TForm1::FormCreate(tk::TObject*) {
    FormResize(this);
    Saved = true;
    FileName.clear();
}

// Keeps the caption handle as wide as the window, the memo 5 pixels narrower and 40 pixels
// shorter, the close glyph 5 pixels from the right edge and the corner handle in the corner.
void TForm1::FormResize(tk::TObject*) {
    if (!panel) return; // resizes while the layout is still being read
    int w = panel->Width();
    int h = panel->Height();
    WndActImage1->SetWidth(w);
    Memo1->SetWidth(std::max(0, w - 5));
    Memo1->SetHeight(std::max(0, h - 40));
    Label1->SetLeft(w - Label1->Width() - 5);
    resizecorner->SetTop(h - resizecorner->Height());
    resizecorner->SetLeft(w - resizecorner->Width());
}

void TForm1::Label1Click(tk::TObject*) {
    Close();
}

void TForm1::Label2Click(tk::TObject*) {
    if (Tag == 0) {
        Tag = 1;
        SetFormStyle(tk::TFormStyle::fsStayOnTop);
        Label2->Font().SetColor(kPinnedColor);
    } else {
        Tag = 0;
        SetFormStyle(tk::TFormStyle::fsNormal);
        Label2->Font().SetColor(kGlyphColor);
    }
    // A screen reader tells the pin's new state.
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, kFirstGlyphChild);
}

// Only an edit marks the note unsaved: the memo also reports a change for an undo that had
// nothing to undo, which leaves its modified flag as it was.
void TForm1::Memo1Change(tk::TObject*) {
    if (!Memo1->Modified()) return;
    Saved = false;
    // The timer runs from the first change until the copy is taken; arming it again on every
    // change would keep it from ever firing while the keys come faster than its tick.
    const bool waiting = keeper_.Pending();
    keeper_.Changed();
    if (!waiting) SetTimer(Handle(), kRecoveryTimer, kRecoveryTick, nullptr);
}

// The recovery copy is taken on this thread from the memo (and written by the keeper's worker),
// never while a file's text is going to the memo: the memo then holds part of it.
void TForm1::KeepRecoveryCopy() {
    if (!load_) keeper_.Tick();
    if (!keeper_.Pending()) KillTimer(Handle(), kRecoveryTimer);
}

recovery::NoteSnapshot TForm1::TakeSnapshot() const {
    return {recovery::CopyFieldsOf({FileName, encoding_, fileStamp_}), Memo1->WideText()};
}

// The note's changes are given up or saved elsewhere: its recovery copy goes, written through.
void TForm1::ForgetChanges() {
    keeper_.Saved();
    keeper_.Flush();
}

// The title of the task-bar button, then the window's caption: the file's name.
void TForm1::ShowFileTitle() {
    std::string title = FileNameWithoutFolder(FileName);
    tk::Application->SetTitle(title);
    SetCaption(title);
}

bool TForm1::UserAgrees(const char* question) {
    return dialogs::ConfirmMessage(question) == tk::mrYes;
}

// Whether writing to `target` may go ahead: when it is the note's own file, however it is
// spelled (another case, a link, a short name, another hard link), or has taken its place, and
// has changed on disk since the note last read or wrote it (another note or program saved or
// replaced it meanwhile), only if the user says so.
bool TForm1::MayOverwrite(const std::string& target) {
    if (!fileStamp_) return true;
    std::optional<storage::FileStamp> now = notefiles::CurrentFileStamp(target);
    if (!now) return true;
    if (target != FileName && !storage::SameFile(*now, *fileStamp_)) return true;
    return now->SameVersionAs(*fileStamp_) || UserAgrees(kChangedOnDiskQuestion);
}

// Writes the note to `target` in the note's encoding, or in UTF-8 if the user agrees where a
// character has no bytes in it; only a write that went through makes it the note's file and
// encoding, names the note after it and marks it saved. A failure leaves all of that as it was.
void TForm1::SaveTo(const std::string& target) {
    if (RefuseWhileOpening() || !MayOverwrite(target)) return;
    const std::string text = Memo1->Text();
    notetext::TextEncoding encoding = encoding_;
    std::optional<std::string> bytes = notefiles::EncodeNoteText(text, encoding);
    if (!bytes) {
        if (!UserAgrees(kSaveAsUtf8Question)) return;
        encoding = {notetext::EncodingForm::Utf8, false, 0};
        bytes = notefiles::EncodeNoteText(text, encoding);
    }
    storage::FileStamp stamp = notefiles::WriteNoteFile(target, *bytes);
    FileName = target;
    fileStamp_ = stamp;
    encoding_ = encoding;
    ShowFileTitle();
    Saved = true;
    Memo1->SetModified(false); // the next edit marks it unsaved again
    keeper_.Saved();
}

void TForm1::Label3Click(tk::TObject*) {
    if (RefuseWhileOpening()) return;
    if (!FileName.empty()) {
        SaveTo(FileName);
        return;
    }
    if (SaveDialog1->Execute()) SaveTo(SaveDialog1->FileName);
}

// Save as: always asks for the name. The event stays unhandled (no menu follows anyway).
void TForm1::Label3ContextPopup(tk::TObject*, tk::TPoint, bool&) {
    if (RefuseWhileOpening()) return;
    if (SaveDialog1->Execute()) SaveTo(SaveDialog1->FileName);
}

// Open: unsaved text is replaced only when the user says so.
void TForm1::Label4Click(tk::TObject*) {
    if (RefuseWhileOpening()) return;
    if (!Saved && !UserAgrees(kOpenUnsavedQuestion)) return;
    if (!OpenDialog1->Execute()) return;
    OpenChosenFile(OpenDialog1->FileName);
}

// Once the memo holds the file's text, the note is the file's and saved. A text the memo does
// not hold yet goes to it piece by piece, with the message loop running in between (see
// ContinueOpening); until then the note's file, title and saved mark stay as they were.
void TForm1::OpenChosenFile(const std::string& fileName) {
    if (RefuseWhileOpening()) return;
    notefiles::NoteFileText read;
    {
        tk::WaitCursor wait; // a large file takes noticeable time to read
        read = notefiles::ReadNoteFile(fileName);
    }
    pendingOpen_ = {fileName, read.Stamp, read.Encoding, tk::Application->Title()};
    try {
        LoadIntoMemo(std::move(read.Text));
    } catch (const std::bad_alloc&) {
        notefiles::RaiseOpenError(fileName, ERROR_NOT_ENOUGH_MEMORY);
    }
}

// A note that was not saved when its process ended comes back: its text goes to the memo as a
// file's would, and once it is in, the note has the file, encoding and file state it had, is
// unsaved, and keeps the copy (under its claimed name) until it is saved.
void TForm1::RestoreCopy(recovery::ClaimedCopy claimed) {
    if (load_) { // not while another text goes to the memo: kept for the next start
        recovery::ReleaseCopy(claimed);
        return;
    }
    recovery::NoteFileState state = recovery::NoteFileStateOf(claimed.Copy);
    keeper_.Adopt(std::move(claimed.Name));
    pendingOpen_ = {std::move(state.FileName), state.Stamp, state.Encoding,
                    tk::Application->Title()};
    pendingOpen_.Restoring = true;
    LoadIntoMemo(std::move(claimed.Copy.Text));
}

void TForm1::RestoreWhenShown(recovery::ClaimedCopy claimed) {
    givenCopy_ = std::move(claimed);
    PostMessageW(Handle(), kOpenGivenFileMessage, 0, 0);
}

// The text the memo does not hold yet goes to it piece by piece; one it holds already completes
// the open at once.
void TForm1::LoadIntoMemo(std::string text) {
    if (MemoHolds(*Memo1, text)) return CompleteOpening();
    load_ = std::make_unique<MemoLoad<tk::TMemo>>(*Memo1, std::move(text));
    ContinueOpening(true);
}

namespace {
// Milliseconds from a fixed point, finely enough to time one piece.
double Milliseconds() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}
} // namespace

// Hands the memo pieces (each takes about a tenth of a second) in turns of at most kOpeningTurn.
// A turn ends early when a message waits for the note; then the message loop runs, and this
// timer's message, which comes only when the note has nothing else to do, starts the next turn.
// A repaint that waits ends only the first turn, so that the first screen of text shows at once;
// later every piece asks for one, and it is done at the turn's end, when the next turn follows at
// once if nothing else waits. Messages sent from other programs (a screen reader's questions) are
// answered between pieces.
void TForm1::ContinueOpening(bool firstTurn) {
    // Until the turns end, this timer's own message is not one that waits.
    KillTimer(Handle(), kOpeningTimer);
    for (;; firstTurn = false) {
        const UINT waiting = firstTurn ? QS_ALLINPUT : QS_ALLINPUT & ~QS_PAINT;
        const ULONGLONG deadline = GetTickCount64() + kOpeningTurn;
        for (;;) {
            bool done = false;
            try {
                done = load_->Step(Milliseconds);
            } catch (...) {
                // The memo could not take a piece: it has its text back, and the error shows.
                AbandonOpening();
                throw;
            }
            if (done) return CompleteOpening();
            MSG sent;
            PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            if (!load_) return; // what was answered ended the open
            if (GetTickCount64() >= deadline || HIWORD(GetQueueStatus(waiting)) != 0) break;
        }
        ShowOpeningProgress();
        if (HIWORD(GetQueueStatus(QS_ALLINPUT & ~QS_PAINT)) != 0) break;
        RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    SetTimer(Handle(), kOpeningTimer, USER_TIMER_MINIMUM, nullptr);
}

void TForm1::CompleteOpening() {
    if (load_) {
        KillTimer(Handle(), kOpeningTimer);
        load_->Complete();
        load_.reset();
    }
    FileName = pendingOpen_.FileName;
    fileStamp_ = pendingOpen_.Stamp;
    encoding_ = pendingOpen_.Encoding;
    if (pendingOpen_.Restoring) {
        if (FileName.empty())
            tk::Application->SetTitle(pendingOpen_.TitleBefore);
        else
            ShowFileTitle();
        Saved = false;
        Memo1->SetModified(true);
        return;
    }
    ShowFileTitle();
    Saved = true;
    Memo1->SetModified(false); // also when the memo already held the text
    keeper_.Saved();           // the note holds its file's text: no copy is needed
}

void TForm1::CancelOpening() {
    if (!load_) return;
    load_->Cancel();
    AbandonOpening();
}

// The open ends unfinished (the memo has its text back): the title goes back, and a copy that
// was being restored is left for a later start.
void TForm1::AbandonOpening() {
    KillTimer(Handle(), kOpeningTimer);
    load_.reset();
    tk::Application->SetTitle(pendingOpen_.TitleBefore);
    if (pendingOpen_.Restoring) keeper_.Release();
}

// The task-bar button's title tells how far the open is; once a save or an open was asked for
// meanwhile, it also says to wait for the end (or press Esc) until the open ends.
void TForm1::ShowOpeningProgress() {
    std::string title = kOpeningProgress + std::to_string(load_->Percent()) + "%";
    if (pendingOpen_.Refused) title += kOpeningRefusal;
    tk::Application->SetTitle(title);
}

bool TForm1::RefuseWhileOpening() {
    if (!load_) return false;
    pendingOpen_.Refused = true;
    ShowOpeningProgress();
    return true;
}

void TForm1::RunCommand(NoteCommand command) {
    bool handled = false;
    switch (command) {
    case NoteCommand::Save:
        return Label3Click(this);
    case NoteCommand::SaveAs:
        return Label3ContextPopup(this, tk::TPoint{}, handled);
    case NoteCommand::Open:
        return Label4Click(this);
    case NoteCommand::Pin:
        return Label2Click(this);
    case NoteCommand::Close:
        return Label1Click(this);
    case NoteCommand::None:
        return;
    }
}

// A shortcut key runs its glyph's handler before the memo sees the key, so that no control
// character reaches the memo; a key held down runs it once.
bool TForm1::PreviewKeyMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (load_ && msg.wParam == VK_ESCAPE) {
        CancelOpening();
        return true;
    }
    NoteCommand command =
        CommandFor({static_cast<unsigned>(msg.wParam), GetKeyState(VK_CONTROL) < 0,
                    GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0});
    if (command == NoteCommand::None) return false;
    const bool repeat = (msg.lParam & (1L << 30)) != 0;
    if (!repeat) RunCommand(command);
    return true;
}

// A window made anew (pinning makes one) has no timers: those that were running start again.
void TForm1::HandleCreated() {
    tk::TForm::HandleCreated();
    if (keeper_.Pending()) SetTimer(Handle(), kRecoveryTimer, kRecoveryTick, nullptr);
    if (load_) SetTimer(Handle(), kOpeningTimer, USER_TIMER_MINIMUM, nullptr);
}

void TForm1::OpenWhenShown(const std::string& fullPath) {
    givenFile_ = fullPath;
    PostMessageW(Handle(), kOpenGivenFileMessage, 0, 0);
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunCommandMessage) {
        RunCommand(static_cast<NoteCommand>(wParam));
        return 0;
    }
    if (msg == kOpenGivenFileMessage) {
        if (givenCopy_) {
            recovery::ClaimedCopy claimed = std::move(*givenCopy_);
            givenCopy_.reset();
            RestoreCopy(std::move(claimed));
        }
        std::string path = std::exchange(givenFile_, std::string());
        if (!path.empty()) OpenChosenFile(path);
        return 0;
    }
    if (msg == WM_TIMER && wParam == kOpeningTimer) {
        if (load_) ContinueOpening(false);
        return 0;
    }
    if (msg == WM_TIMER && wParam == kRecoveryTimer) {
        KeepRecoveryCopy();
        return 0;
    }
    if (msg == WM_QUERYENDSESSION) {
        // Agreeing to give up the changes removes the copy only once the session really ends:
        // another program may still refuse the end.
        endingSession_ = true;
        tk::ScopeExit asked([this] { endingSession_ = false; });
        return tk::TForm::WndProc(msg, wParam, lParam);
    }
    if (msg == WM_ENDSESSION) {
        if (!wParam)
            changesGivenUp_ = false; // the session goes on, and so does the note
        else if (changesGivenUp_)
            ForgetChanges();
        else if (!Saved)
            keeper_.CopyNow(); // ended all the same: the copy holds the last keystroke
    }
    return tk::TForm::WndProc(msg, wParam, lParam);
}

// Closing, or the end of the session, first cancels an open under way.
void TForm1::FormCloseQuery(tk::TObject*, bool& canClose) {
    CancelOpening();
    canClose = Saved || UserAgrees(kCloseUnsavedQuestion);
    if (!canClose || Saved) return;
    if (endingSession_)
        changesGivenUp_ = true;
    else
        ForgetChanges();
}

} // namespace note
