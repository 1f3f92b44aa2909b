// The note's handlers: pinning, the close question from every route, and the saved mark.
#include "support/win_test_support.h"

#include "app/returning/recovered_notes.h"
#include "recovery/copy_fields.h"
#include "recovery/recovery_store.h"
#include "toolkit/system/system_library.h"
#include "toolkit/text/unicode_text.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <utility>
#include <vector>

namespace {

HHOOK g_hook = nullptr;
std::string g_answer;             // caption of the button to press in the confirmation
std::vector<std::string> g_asked; // the questions seen
HWND g_note = nullptr;
std::vector<bool> g_noteTopmostWhileAsked;
bool g_endSessionInFileDialog = false;     // the session ends while a file dialog is up
std::vector<std::string> g_questionOwners; // the title of each question's owner

BOOL CALLBACK FindButton(HWND child, LPARAM found) {
    char text[64] = {};
    GetWindowTextA(child, text, sizeof text);
    if (g_answer == text) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// Answers the confirmation as it appears by clicking the button captioned g_answer.
LRESULT CALLBACK AnswerConfirmation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        const std::string title = wintest::WindowText(dialog);
        if (title.rfind("Jegyzet", 0) == 0) {
            // A file dialog of the note: note how the note lies, then cancel (first asking the
            // note whether the session may end, when a test wants that).
            g_asked.push_back(title);
            g_noteTopmostWhileAsked.push_back(
                (GetWindowLongA(g_note, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
            if (std::exchange(g_endSessionInFileDialog, false))
                PostMessageA(g_note, WM_QUERYENDSESSION, 0, 0);
            else
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        if (title == "Error") { // a report: noted and closed
            g_asked.push_back(wintest::QuestionOf(dialog));
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
        if (title == "Confirm") {
            HWND button = nullptr;
            EnumChildWindows(dialog, FindButton, reinterpret_cast<LPARAM>(&button));
            g_asked.push_back(wintest::QuestionOf(dialog));
            g_questionOwners.push_back(wintest::WindowText(GetWindow(dialog, GW_OWNER)));
            g_noteTopmostWhileAsked.push_back(
                (GetWindowLongA(g_note, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
            if (button) PostMessageA(button, BM_CLICK, 0, 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

class NoteBehaviour : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = fixture_.CreateNote();
        g_asked.clear();
        g_noteTopmostWhileAsked.clear();
        g_questionOwners.clear();
        g_answer = "&No";
        g_note = form_->Handle();
        g_hook = SetWindowsHookExA(WH_CBT, AnswerConfirmation, nullptr, GetCurrentThreadId());
    }
    void TearDown() override { UnhookWindowsHookEx(g_hook); }

    void Type(const std::string& keys) {
        for (char c : keys)
            SendMessageA(form_->Memo1->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    void ClickPin(bool doubleClick = false) {
        POINT p{form_->Label2->Left() + 8, form_->Label2->Top() + 8};
        LPARAM at = MAKELPARAM(p.x, p.y);
        SendMessageA(form_->panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(form_->panel->Handle(), WM_LBUTTONUP, 0, at);
        if (doubleClick) {
            // The first click re-created the windows: the second press goes to the new panel.
            SendMessageA(form_->panel->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            SendMessageA(form_->panel->Handle(), WM_LBUTTONUP, 0, at);
        }
        wintest::PumpMessages();
    }
    bool Topmost() const {
        return (GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }

    wintest::AppFixture fixture_;
    note::TForm1* form_ = nullptr;
};

// Pinning changes only the window's layer: the windows, the text, the caret and the undo history
// stay; typing after a pin lands where the caret was.
TEST_F(NoteBehaviour, PinningKeepsTheWindowsTheCaretAndTheUndoAndPutsTheNoteOnTop) {
    Type("unsaved text");
    ASSERT_FALSE(form_->IsSaved());
    const HWND memo = form_->Memo1->Handle();
    SendMessageW(memo, EM_SETSEL, 3, 3);
    HWND before = form_->Handle();
    RECT placeBefore;
    GetWindowRect(before, &placeBefore);

    ClickPin();
    EXPECT_EQ(form_->Tag, 1);
    EXPECT_EQ(form_->FormStyle(), tk::TFormStyle::fsStayOnTop);
    EXPECT_TRUE(Topmost());
    EXPECT_EQ(form_->Label2->Font().Color(), 255);
    EXPECT_EQ(form_->Handle(), before);
    EXPECT_EQ(form_->Memo1->Handle(), memo);
    RECT placeAfter;
    GetWindowRect(form_->Handle(), &placeAfter);
    EXPECT_TRUE(EqualRect(&placeBefore, &placeAfter));
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    EXPECT_EQ(form_->Memo1->Text(), "unsaved text");
    EXPECT_TRUE(form_->Memo1->Modified());
    EXPECT_FALSE(form_->IsSaved());
    DWORD start = 0, end = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
    Type("!");
    EXPECT_EQ(form_->Memo1->Text(), "uns!aved text");
    SendMessageW(memo, WM_UNDO, 0, 0); // undo still undoes after a pin
    EXPECT_EQ(form_->Memo1->Text(), "unsaved text");
    char caption[64] = {};
    GetWindowTextA(form_->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Form1");

    // A second click, not a double click: later than the double-click time.
    Sleep(GetDoubleClickTime() + 100);
    ClickPin();
    EXPECT_EQ(form_->Tag, 0);
    EXPECT_EQ(form_->FormStyle(), tk::TFormStyle::fsNormal);
    EXPECT_FALSE(Topmost());
    EXPECT_EQ(form_->Label2->Font().Color(), 3355443);
    EXPECT_EQ(form_->Memo1->Text(), "unsaved text");
    EXPECT_FALSE(form_->IsSaved());
}

TEST_F(NoteBehaviour, PinningASavedNoteKeepsItSavedAndADoubleClickTogglesOnce) {
    ASSERT_TRUE(form_->IsSaved());
    ClickPin(true);
    EXPECT_EQ(form_->Tag, 1);
    EXPECT_TRUE(Topmost());
    EXPECT_TRUE(form_->IsSaved());
}

TEST_F(NoteBehaviour, ASavedNoteClosesWithoutAQuestion) {
    form_->Label1Click(form_);
    EXPECT_TRUE(g_asked.empty());
    EXPECT_TRUE(fixture_.App().Terminated());
}

TEST_F(NoteBehaviour, AnUnsavedNoteClosesOnlyOnYes) {
    Type("x");
    for (const char* answer : {"&No", "Cancel"}) {
        g_answer = answer;
        form_->Label1Click(form_);
        EXPECT_FALSE(fixture_.App().Terminated()) << answer;
        EXPECT_FALSE(form_->IsSaved());
        EXPECT_EQ(form_->Memo1->Text(), "x");
    }
    // The close request of the system and of the task-bar button ask the same.
    SendMessageA(form_->Handle(), WM_CLOSE, 0, 0);
    SendMessageA(fixture_.App().Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(fixture_.App().Terminated());
    EXPECT_EQ(g_asked.size(), 4u);

    g_answer = "&Yes";
    form_->Label1Click(form_);
    EXPECT_TRUE(fixture_.App().Terminated());
}

TEST_F(NoteBehaviour, LoggingOffWithUnsavedChangesAsksAndRefusesOnAnythingButYes) {
    EXPECT_EQ(SendMessageA(form_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(g_asked.empty());

    Type("x");
    g_answer = "&No";
    EXPECT_EQ(SendMessageA(form_->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    g_answer = "Cancel";
    EXPECT_EQ(SendMessageA(form_->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    g_answer = "&Yes";
    EXPECT_EQ(SendMessageA(form_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(g_asked.size(), 3u);
}

// An undo that has nothing to undo (the memo still reports a change) leaves a note just opened
// saved; an undo that changes the text marks it unsaved, as any edit does.
TEST_F(NoteBehaviour, OnlyAnUndoThatChangesTheTextMarksTheNoteUnsaved) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "pinlet-undo.txt";
    {
        tk::KernelHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), "opened", 6, &written, nullptr);
    }
    const auto undo = [this] { SendMessageA(form_->Memo1->Handle(), WM_CHAR, 0x1A, 0); }; // Ctrl+Z
    form_->OpenChosenFile(path);
    ASSERT_TRUE(form_->IsSaved());
    undo();
    EXPECT_EQ(form_->Memo1->Text(), "opened");
    EXPECT_TRUE(form_->IsSaved());

    Type("x");
    EXPECT_FALSE(form_->IsSaved());
    form_->Label3Click(form_); // saved to its file
    ASSERT_TRUE(form_->IsSaved());
    undo(); // takes the "x" away again: the text differs from the file's
    EXPECT_EQ(form_->Memo1->Text(), "opened");
    EXPECT_FALSE(form_->IsSaved());

    // Saved, then pinned: pinning keeps the memo's undo, and the note is saved exactly while
    // the undo leaves the saved text.
    form_->Label3Click(form_);
    ClickPin();
    EXPECT_TRUE(form_->IsSaved());
    undo();
    EXPECT_EQ(form_->IsSaved(), form_->Memo1->Text() == "opened");
    DeleteFileA(path.c_str());
}

TEST_F(NoteBehaviour, TheQuestionIsTheNotesAndAPinnedNoteDoesNotCoverIt) {
    ClickPin();
    Type("x");
    ASSERT_TRUE(Topmost());
    g_note = form_->Handle();
    form_->Label1Click(form_);
    ASSERT_EQ(g_asked.size(), 1u);
    EXPECT_EQ(g_asked[0], "A jegyzet nincs mentve, így is be akarod zárni?");
    EXPECT_FALSE(g_noteTopmostWhileAsked[0]);
    EXPECT_TRUE(Topmost()); // back in the topmost layer afterwards
}

// The end of the session asks while the save dialog is up: the question is owned by the dialog,
// so it is in front of it, and it is answered there.
TEST_F(NoteBehaviour, TheQuestionAtTheEndOfTheSessionIsInFrontOfAnOpenSaveDialog) {
    Type("x");
    form_->Label1Click(form_); // asked with nothing else up: the application's window owns it
    g_endSessionInFileDialog = true;
    EXPECT_FALSE(form_->SaveDialog1->Execute());
    // The question, the dialog, the question asked in it, the dialog active again and cancelled.
    ASSERT_EQ(g_asked.size(), 4u);
    EXPECT_EQ(g_asked[1], "Jegyzet mentése");
    EXPECT_EQ(g_asked[2], "A jegyzet nincs mentve, így is be akarod zárni?");
    EXPECT_EQ(g_asked[3], "Jegyzet mentése");
    ASSERT_EQ(g_questionOwners.size(), 2u);
    EXPECT_EQ(g_questionOwners[0], wintest::WindowText(fixture_.App().Handle()));
    EXPECT_EQ(g_questionOwners[1], "Jegyzet mentése");
    EXPECT_FALSE(fixture_.App().Terminated());
}

TEST_F(NoteBehaviour, OpeningAFileNamesTheNoteOnceItsTextIsIn) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "pinlet_wait_cursor.txt";
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, "line one\nline two", 17, &written, nullptr);
        CloseHandle(file);
    }
    const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    wintest::OpenAndWait(*form_, path);
    EXPECT_NE(GetCursor(), wait);
    EXPECT_EQ(form_->Memo1->Text(), "line one\r\nline two");
    EXPECT_EQ(form_->NoteFileName(), path);
    char caption[64] = {};
    GetWindowTextA(form_->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "pinlet_wait_cursor.txt");
    DeleteFileA(path.c_str());
}

// The names of the recovery copies in the recovery folder, and one copy's fields.
std::vector<std::string> RecoveryCopies() {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(tk::Wide(recovery::RecoveryFolder() + "\\*.copy").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do
        names.push_back(tk::Utf8(data.cFileName));
    while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

// Claims every copy whose note is gone, as a start does, with its text read.
std::vector<recovery::ClaimedCopy> ClaimOrphanedCopies() {
    std::vector<recovery::ClaimedCopy> claimed;
    for (const std::string& name : recovery::OrphanedCopyNames())
        if (auto copy = recovery::ClaimOrphan(name)) {
            EXPECT_EQ(recovery::ReadClaimedText(*copy), recovery::TextRead::Read) << name;
            claimed.push_back(std::move(*copy));
        }
    return claimed;
}

recovery::RecoveryCopy ReadCopy(const std::string& name) {
    recovery::RecoveryCopy copy;
    const std::string bytes =
        wintest::ReadBytes(recovery::RecoveryFolder() + "\\" + name);
    EXPECT_EQ(recovery::DecodeRecoveryCopy(bytes, copy), recovery::DecodeFailure::None) << name;
    return copy;
}

// An unsaved note keeps a copy of its text with what saving it needs; only copies whose note is
// gone are claimed (not a living note's, not a save's leftover staging file); saving removes it.
TEST_F(NoteBehaviour, AnUnsavedNotesCopyHoldsWhatSavingItNeedsAndGoesWhenItIsSaved) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "pinlet-recovered.txt";
    wintest::WriteBytes(path, "\xFF\xFE" + std::string("a\0b\0", 4)); // UTF-16 LE, marked
    form_->OpenChosenFile(path);
    ASSERT_EQ(form_->Memo1->Text(), "ab");
    form_->RecoveryKeeper().CopyNow(); // nothing changed: no copy
    EXPECT_TRUE(RecoveryCopies().empty());

    SendMessageW(form_->Memo1->Handle(), EM_SETSEL, 2, 2);
    SendMessageW(form_->Memo1->Handle(), WM_CHAR, 0x2713, 0); // ✓
    form_->RecoveryKeeper().CopyNow();
    const std::vector<std::string> copies = RecoveryCopies();
    ASSERT_EQ(copies.size(), 1u);
    const recovery::RecoveryCopy copy = ReadCopy(copies[0]);
    EXPECT_EQ(copy.Text, "ab\u2713");
    EXPECT_EQ(copy.FileName, path);
    EXPECT_EQ(copy.EncodingForm, 2);
    EXPECT_TRUE(copy.ByteOrderMark);
    EXPECT_TRUE(copy.HasFileState);
    EXPECT_EQ(copy.FileSize, 6u);

    // Beside it: a copy whose note is gone and a save's staging file holding a copy's bytes.
    const std::string folder = recovery::RecoveryFolder();
    wintest::WriteBytes(folder + "\\note-1-2-3.copy", recovery::EncodeRecoveryCopy(copy));
    wintest::WriteBytes(folder + "\\~pn0BADF00D.tmp", recovery::EncodeRecoveryCopy(copy));
    std::vector<recovery::ClaimedCopy> claimed = ClaimOrphanedCopies();
    ASSERT_EQ(claimed.size(), 1u);
    EXPECT_EQ(claimed[0].OriginalName, "note-1-2-3");
    EXPECT_TRUE(claimed[0].Outline.Fields == copy);
    recovery::DiscardCopy(claimed[0]);

    form_->Label3Click(form_);
    form_->RecoveryKeeper().Flush();
    EXPECT_TRUE(RecoveryCopies().empty());
    DeleteFileA(path.c_str());
}

// A claimed copy comes back as the note it was: its text, its file and encoding, unsaved; a
// save writes it to its file and removes the copy.
TEST_F(NoteBehaviour, ARestoredNoteIsTheUnsavedNoteItWas) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "pinlet-restored.txt";
    wintest::WriteBytes(path, "old");
    recovery::RecoveryCopy copy = recovery::CopyFieldsOf(
        {path, {notetext::EncodingForm::Utf8, false, 0}, notefiles::CurrentFileStamp(path)});
    copy.Text = "kenyér\r\n\u2713";
    wintest::WriteBytes(recovery::RecoveryFolder() + "\\note-4-5-6.copy",
                            recovery::EncodeRecoveryCopy(copy));
    std::vector<recovery::ClaimedCopy> claimed = ClaimOrphanedCopies();
    ASSERT_EQ(claimed.size(), 1u);
    form_->RestoreCopy(std::move(claimed[0]));
    wintest::WaitWhileOpening(*form_);
    EXPECT_EQ(form_->Memo1->Text(), copy.Text);
    EXPECT_FALSE(form_->IsSaved());
    EXPECT_EQ(form_->NoteFileName(), path);
    EXPECT_EQ(fixture_.App().Title(), "pinlet-restored.txt");
    EXPECT_EQ(RecoveryCopies().size(), 1u); // still the note's own

    form_->Label3Click(form_); // the file did not change: no question
    EXPECT_TRUE(g_asked.empty());
    EXPECT_EQ(wintest::ReadBytes(path), copy.Text);
    form_->RecoveryKeeper().Flush();
    EXPECT_TRUE(RecoveryCopies().empty());
    DeleteFileA(path.c_str());
}

// At start every copy whose note is gone is asked about by its file or first line: No removes
// it, Cancel keeps it for the next start, Yes brings it back in the note; a damaged copy is
// reported and put aside.
TEST_F(NoteBehaviour, CopiesOfNotesThatAreGoneAreOfferedByNameAtStart) {
    const std::string folder = recovery::RecoveryFolder();
    const auto leave = [&](const std::string& name, const std::string& bytes) {
        wintest::WriteBytes(folder + "\\" + name + ".copy", bytes);
    };
    const std::string question = "Egy jegyzet nem lett elmentve. Visszaállítsam?\n";
    recovery::RecoveryCopy withFile;
    withFile.FileName = "C:\\jegyzet.txt";
    withFile.Text = "a";
    leave("note-1-1-1", recovery::EncodeRecoveryCopy(withFile));
    app::OfferRecoveryCopies(fixture_.App(), *form_, true); // answered No
    ASSERT_EQ(g_asked.size(), 1u);
    EXPECT_EQ(g_asked[0], question + "C:\\jegyzet.txt");
    EXPECT_TRUE(RecoveryCopies().empty());

    recovery::RecoveryCopy withoutFile;
    withoutFile.Text = "bevásárlás\r\nkenyér";
    leave("note-2-2-2", recovery::EncodeRecoveryCopy(withoutFile));
    g_answer = "Cancel";
    app::OfferRecoveryCopies(fixture_.App(), *form_, true);
    ASSERT_EQ(g_asked.size(), 2u);
    EXPECT_EQ(g_asked[1], question + "„bevásárlás”");
    EXPECT_EQ(RecoveryCopies().size(), 1u);
    g_answer = "&Yes";
    app::OfferRecoveryCopies(fixture_.App(), *form_, true);
    wintest::PumpMessages();
    wintest::WaitWhileOpening(*form_);
    EXPECT_EQ(form_->Memo1->Text(), withoutFile.Text);
    EXPECT_FALSE(form_->IsSaved());

    leave("note-3-3-3", "not a copy");
    app::OfferRecoveryCopies(fixture_.App(), *form_, false);
    ASSERT_EQ(g_asked.size(), 4u);
    EXPECT_EQ(g_asked[3].rfind("Egy el nem mentett jegyzet másolata sérült", 0), 0u) << g_asked[3];
    const std::string kept = g_asked[3].substr(g_asked[3].rfind('\n') + 1);
    EXPECT_EQ(wintest::ReadBytes(kept), "not a copy");
    EXPECT_EQ(RecoveryCopies().size(), 1u); // the restored note's own
}

// At the end of the session the copy goes only once the session really ends after a Yes.
TEST_F(NoteBehaviour, TheEndOfTheSessionRemovesTheCopyOnlyOnceItEndsAfterAYes) {
    Type("x");
    g_answer = "&Yes";
    ASSERT_EQ(SendMessageA(form_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    form_->RecoveryKeeper().CopyNow();
    SendMessageA(form_->Handle(), WM_ENDSESSION, FALSE, 0); // another program refused
    form_->RecoveryKeeper().Flush();
    EXPECT_EQ(RecoveryCopies().size(), 1u);

    ASSERT_EQ(SendMessageA(form_->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(RecoveryCopies().size(), 1u);
    SendMessageA(form_->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(RecoveryCopies().empty());
}

// A session that ends after a No all the same leaves a copy that holds the last keystroke.
TEST_F(NoteBehaviour, ASessionEndedDespiteANoLeavesTheLastKeystrokeInTheCopy) {
    Type("xy");
    ASSERT_EQ(SendMessageA(form_->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    SendMessageA(form_->Handle(), WM_ENDSESSION, TRUE, 0);
    ASSERT_EQ(RecoveryCopies().size(), 1u);
    EXPECT_EQ(ReadCopy(RecoveryCopies()[0]).Text, "xy");
}

TEST_F(NoteBehaviour, APinnedNoteDoesNotCoverTheFileDialogs) {
    ClickPin();
    ASSERT_TRUE(Topmost());
    g_note = form_->Handle();
    EXPECT_FALSE(form_->OpenDialog1->Execute());
    EXPECT_FALSE(form_->SaveDialog1->Execute());
    ASSERT_EQ(g_asked.size(), 2u);
    EXPECT_EQ(g_asked[0], "Jegyzet megnyitása");
    EXPECT_EQ(g_asked[1], "Jegyzet mentése");
    EXPECT_FALSE(g_noteTopmostWhileAsked[0]);
    EXPECT_FALSE(g_noteTopmostWhileAsked[1]);
    EXPECT_TRUE(Topmost());
    EXPECT_EQ(GetWindow(form_->Handle(), GW_OWNER), fixture_.App().Handle());
}

// What a screen reader finds: the note's client area holds the memo and the four glyphs as push
// buttons named, placed and acting as the glyphs do.
class NoteAccessibility : public NoteBehaviour {
protected:
    IAccessible* Client() {
        IAccessible* client = nullptr;
        EXPECT_EQ(AccessibleObjectFromWindow(form_->Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                             IID_IAccessible, reinterpret_cast<void**>(&client)),
                  S_OK);
        return client;
    }
    static VARIANT Child(long id) {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = id;
        return v;
    }
    static std::wstring Name(IAccessible* object, long id) {
        BSTR name = nullptr;
        if (object->get_accName(Child(id), &name) != S_OK) return L"(no name)";
        std::wstring text = name;
        SysFreeString(name);
        return text;
    }
    static long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*),
                       IAccessible* object, long id) {
        VARIANT value;
        value.vt = VT_EMPTY;
        (object->*get)(Child(id), &value);
        return value.vt == VT_I4 ? value.lVal : -1;
    }
    void SetUp() override {
        NoteBehaviour::SetUp();
        tk::EnsureComApartment();
    }
};

TEST_F(NoteAccessibility, TheClientAreaHoldsTheMemoAndTheFourGlyphsAsButtons) {
    IAccessible* client = Client();
    ASSERT_NE(client, nullptr);
    long count = 0;
    EXPECT_EQ(client->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 5);
    IDispatch* memo = nullptr;
    EXPECT_EQ(client->get_accChild(Child(1), &memo), S_OK);
    ASSERT_NE(memo, nullptr);
    memo->Release();

    const std::pair<const wchar_t*, tk::TLabel*> glyphs[] = {
        {L"Mindig fel\u00fcl", form_->Label2},
        {L"Jegyzet megnyit\u00e1sa", form_->Label4},
        {L"Jegyzet ment\u00e9se", form_->Label3},
        {L"Bez\u00e1r\u00e1s", form_->Label1},
    };
    for (long i = 0; i < 4; ++i) {
        long id = 2 + i;
        SCOPED_TRACE(id);
        EXPECT_EQ(Name(client, id), glyphs[i].first);
        EXPECT_EQ(Number(&IAccessible::get_accRole, client, id), ROLE_SYSTEM_PUSHBUTTON);
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(client->accLocation(&left, &top, &width, &height, Child(id)), S_OK);
        tk::TLabel* label = glyphs[i].second;
        POINT corner{label->Left(), label->Top()};
        ClientToScreen(form_->panel->Handle(), &corner);
        EXPECT_EQ((std::vector<long>{left, top, width, height}),
                  (std::vector<long>{corner.x, corner.y, label->Width(), label->Height()}));
        // The point in the middle of the glyph is the glyph's.
        VARIANT hit;
        EXPECT_EQ(client->accHitTest(left + width / 2, top + height / 2, &hit), S_OK);
        EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, id);
    }
    client->Release();
}

TEST_F(NoteAccessibility, TheMemosNameTellsTheZoomWhileItIsNot100) {
    IAccessible* client = Client();
    ASSERT_NE(client, nullptr);
    const std::wstring own = Name(client, 1);
    form_->SetZoomPercent(124); // made a step: 120
    EXPECT_EQ(form_->ZoomPercent(), 120);
    EXPECT_EQ(Name(client, 1), L"Nagy\u00edt\u00e1s 120%");
    form_->SetZoomPercent(5);
    EXPECT_EQ(Name(client, 1), L"Nagy\u00edt\u00e1s 10%");
    form_->SetZoomPercent(900);
    EXPECT_EQ(Name(client, 1), L"Nagy\u00edt\u00e1s 500%");
    form_->SetZoomPercent(100);
    EXPECT_EQ(Name(client, 1), own);
    client->Release();
}

TEST_F(NoteAccessibility, ThePinActsPressedExactlyWhilePinnedAndTheObjectOutlivesItsWindows) {
    IAccessible* client = Client();
    ASSERT_NE(client, nullptr);
    const long pin = 2;
    EXPECT_EQ(Number(&IAccessible::get_accState, client, pin) & STATE_SYSTEM_PRESSED, 0);
    HWND before = form_->Handle();
    EXPECT_EQ(client->accDoDefaultAction(Child(pin)), S_OK);
    wintest::PumpMessages();
    EXPECT_EQ(form_->Tag, 1);
    EXPECT_TRUE(Topmost());
    EXPECT_EQ(form_->Handle(), before); // pinning keeps the windows
    // The object a tool already holds still answers, and the window gives the same one.
    EXPECT_EQ(Number(&IAccessible::get_accState, client, pin) & STATE_SYSTEM_PRESSED,
              STATE_SYSTEM_PRESSED);
    IAccessible* again = Client();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Name(again, pin), L"Mindig fel\u00fcl");
    EXPECT_EQ(again->accDoDefaultAction(Child(pin)), S_OK);
    wintest::PumpMessages();
    EXPECT_EQ(form_->Tag, 0);
    EXPECT_EQ(Number(&IAccessible::get_accState, client, pin) & STATE_SYSTEM_PRESSED, 0);
    again->Release();
    client->Release();
}

TEST_F(NoteAccessibility, AnObjectHeldAfterTheNoteIsGoneAnswersAsDisconnected) {
    IAccessible* client = Client();
    ASSERT_NE(client, nullptr);
    delete form_;
    form_ = nullptr;
    long count = 0;
    EXPECT_EQ(client->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(client->accDoDefaultAction(Child(2)), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(client->Release(), 0u); // the last reference: the object is gone with it
}

} // namespace
