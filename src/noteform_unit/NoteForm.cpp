#include "NoteForm.h"

#include <algorithm>
#include <utility>

#include "dialogs/message_dialog.h"
#include "notetext/error_text.h"
#include "notetext/note_text_limits.h"
#include "note_texts.h"
#include "toolkit/base/scope_exit.h"
#include "toolkit/components/component_reader.h"
#include "toolkit/graphics/private_fonts.h"
#include "toolkit/system/high_contrast.h"
#include "toolkit/system/startup_marks.h"

namespace note {

namespace {
constexpr UINT_PTR kOpeningTimer = 1;
constexpr UINT_PTR kRecoveryTimer = 2;
constexpr UINT_PTR kPlaceTimer = 3;

UINT_PTR TimerId(NoteTimer timer) {
    switch (timer) {
    case NoteTimer::Opening:
        return kOpeningTimer;
    case NoteTimer::Copy:
        return kRecoveryTimer;
    case NoteTimer::Place:
        break;
    }
    return kPlaceTimer;
}
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
    HoldEditsToWhatOpens();
    memoPort_ = std::make_unique<TMemoPort>(*Memo1);
    document_ = std::make_unique<NoteDocument>(
        NoteDocument::Ports{*memoPort_, files_, *this, *this, copies_, clock_});
    zoom_ = std::make_unique<NoteZoom>(*Memo1);
    find_ = std::make_unique<NoteFind>(*Memo1);
    contrast_ = std::make_unique<NoteContrast>(*panel, *Memo1,
                                               std::vector<tk::TLabel*>{Label1, Label3, Label4},
                                               *Label2);
    contrast_->Update(false);
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

// Typing, pasting and deleting never make a text the note could not open again: the memo is held
// to the limits an open checks, and an edit that would pass one is refused with a message.
void TForm1::HoldEditsToWhatOpens() {
    Memo1->SetLimits({notetext::kLargestNoteText, notetext::kLongestNoteLine});
    Memo1->OnEditRefused = [](tk::TObject*, tk::EditRefusal refusal) {
        const bool line = refusal == tk::EditRefusal::LineTooLong;
        throw tk::EInvalidOperation(notetext::FormatMessageText(
            line ? kLineTooLongRefusal : kTextTooLargeRefusal,
            {std::to_string(line ? notetext::kLongestNoteLine : notetext::kLargestNoteText)}));
    };
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

// The document starts saved and without a file.
void TForm1::FormCreate(tk::TObject*) {
    FormResize(this);
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
        Label2->Font().SetColor(contrast_->PinColor(kPinnedColor, true));
    } else {
        Tag = 0;
        SetFormStyle(tk::TFormStyle::fsNormal);
        Label2->Font().SetColor(contrast_->PinColor(kGlyphColor, false));
    }
    // A screen reader tells the pin's new state.
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, kFirstGlyphChild);
    if (document_) document_->PlaceChanged();
}

void TForm1::Memo1Change(tk::TObject*) {
    if (document_) document_->TextChanged();
}

std::string TForm1::Title() const {
    return tk::Application->Title();
}

void TForm1::ShowTitle(const std::string& title, bool caption) {
    tk::Application->SetTitle(title);
    if (caption) SetCaption(title);
}

bool TForm1::Agrees(const char* question) {
    return dialogs::ConfirmMessage(question) == tk::mrYes;
}

void TForm1::Tell(const std::string& message) {
    dialogs::ShowMessageDialog(message, dialogs::TMsgDlgType::mkWarning,
                               dialogs::ButtonBit(dialogs::TMsgDlgBtn::mbOK), 0);
}

void TForm1::Start(NoteTimer timer, unsigned milliseconds) {
    SetTimer(Handle(), TimerId(timer), std::max<UINT>(milliseconds, USER_TIMER_MINIMUM), nullptr);
}

void TForm1::Stop(NoteTimer timer) {
    KillTimer(Handle(), TimerId(timer));
}

void TForm1::Label3Click(tk::TObject*) {
    if (document_->RefuseWhileOpening()) return;
    if (!document_->FileName().empty()) {
        document_->SaveTo(document_->FileName());
        return;
    }
    if (SaveDialog1->Execute()) document_->SaveTo(SaveDialog1->FileName);
}

// Save as: always asks for the name. The event stays unhandled (no menu follows anyway).
void TForm1::Label3ContextPopup(tk::TObject*, tk::TPoint, bool&) {
    if (document_->RefuseWhileOpening()) return;
    if (SaveDialog1->Execute()) document_->SaveTo(SaveDialog1->FileName);
}

// Open: unsaved text is replaced only when the user says so.
void TForm1::Label4Click(tk::TObject*) {
    if (document_->RefuseWhileOpening() || !document_->MayReplaceText()) return;
    if (!OpenDialog1->Execute()) return;
    OpenChosenFile(OpenDialog1->FileName);
}

void TForm1::OpenChosenFile(const std::string& fileName) {
    if (document_->Open(fileName)) ContinueOpening(true);
}

void TForm1::RestoreCopy(recovery::ClaimedCopy claimed) {
    if (document_->Opening()) { // not while another text goes to the memo: kept for later
        recovery::ReleaseCopy(claimed);
        return;
    }
    auto writer = recovery::WriterFor(std::move(claimed.Name));
    bool pieces = false;
    if (!document_->Restore(std::move(claimed.Outline.Fields), std::move(writer), pieces)) return;
    if (pieces) ContinueOpening(true);
}

void TForm1::RestoreWhenShown(recovery::ClaimedCopy claimed) {
    givenCopy_ = std::move(claimed);
    PostMessageW(Handle(), kOpenGivenFileMessage, 0, 0);
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
            if (document_->StepOpening(Milliseconds)) return;
            MSG sent;
            PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            if (!document_->Opening()) return; // what was answered ended the open
            if (GetTickCount64() >= deadline || HIWORD(GetQueueStatus(waiting)) != 0) break;
        }
        document_->ShowOpeningProgress();
        if (HIWORD(GetQueueStatus(QS_ALLINPUT & ~QS_PAINT)) != 0) break;
        RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    SetTimer(Handle(), kOpeningTimer, USER_TIMER_MINIMUM, nullptr);
}

void TForm1::CancelOpening() {
    document_->CancelOpening();
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
    case NoteCommand::NewNote:
        return NewNote();
    case NoteCommand::ZoomIn:
        return SetZoomPercent(ZoomPercent() + kZoomStep);
    case NoteCommand::ZoomOut:
        return SetZoomPercent(ZoomPercent() - kZoomStep);
    case NoteCommand::ZoomReset:
        return SetZoomPercent(100);
    case NoteCommand::Find:
        return find_->ShowDialog(Handle());
    case NoteCommand::FindNext:
        return find_->FindAgain(Handle(), true);
    case NoteCommand::FindPrevious:
        return find_->FindAgain(Handle(), false);
    case NoteCommand::None:
        return;
    }
}

void TForm1::SetZoomPercent(int percent) {
    const int before = zoom_->Percent();
    zoom_->SetPercent(percent);
    // A screen reader hears the zoom in the memo's name.
    if (zoom_->Percent() != before && HandleAllocated())
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Handle(), OBJID_CLIENT, kMemoChild);
    // The note's record keeps its zoom.
    if (zoom_->Percent() != before && document_) document_->PlaceChanged();
}

// A shortcut key runs its glyph's handler before the memo sees the key, so that no control
// character reaches the memo; a key held down runs it once.
bool TForm1::PreviewKeyMessage(const MSG& msg) {
    if (msg.message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(msg.wParam) & MK_CONTROL)) {
        SetZoomPercent(ZoomPercent() + zoom_->WheelSteps(GET_WHEEL_DELTA_WPARAM(msg.wParam)) * kZoomStep);
        return true;
    }
    if (msg.message != WM_KEYDOWN) return false;
    if (document_->Opening() && msg.wParam == VK_ESCAPE) {
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
    if (document_) document_->TimersLost();
}

// The memo's font is the layout's again, for the new resolution: the zoom applies to it.
void TForm1::ResolutionChanged() {
    if (zoom_) zoom_->BaseChanged();
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
    if (find_ && find_->Handle(msg, lParam)) return 0;
    if (contrast_ && tk::ContrastMayHaveChanged(msg)) contrast_->Update(Tag == 1);
    if (msg == kOpenGivenFileMessage) {
        OpenGiven();
        return 0;
    }
    if (msg == WM_TIMER && wParam == kOpeningTimer) {
        if (document_->Opening()) ContinueOpening(false);
        return 0;
    }
    if (msg == WM_TIMER && wParam == kRecoveryTimer) {
        document_->CopyTimerFired();
        return 0;
    }
    if (msg == WM_TIMER && wParam == kPlaceTimer) {
        document_->PlaceTimerFired();
        return 0;
    }
    if (msg == WM_WINDOWPOSCHANGED && document_ && IsWindowVisible(Handle())) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) ||
            (pos->flags & SWP_SHOWWINDOW))
            document_->PlaceChanged();
    }
    if (msg == WM_QUERYENDSESSION) {
        document_->SessionQueryStarted();
        tk::ScopeExit asked([this] { document_->SessionQueryDone(); });
        return tk::TForm::WndProc(msg, wParam, lParam);
    }
    if (msg == WM_ENDSESSION) document_->SessionEnded(wParam != 0);
    return tk::TForm::WndProc(msg, wParam, lParam);
}

// Closing, or the end of the session, first cancels an open under way.
void TForm1::FormCloseQuery(tk::TObject*, bool& canClose) {
    canClose = document_->MayClose();
}

} // namespace note
