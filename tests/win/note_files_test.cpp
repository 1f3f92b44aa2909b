// Note text files under Wine: exact bytes both ways, change notifications, and every failure
// with its message, the file left as it was.
#include "notetext/error_text.h"
#include "storage/file_access.h"
#include "storage/file_calls.h"
#include "notefiles/kept_copies.h"
#include "notefiles/note_files.h"
#include "notetext/note_text_limits.h"
#include "support/win_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string SystemText(DWORD code) {
    char buffer[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, sizeof buffer, nullptr);
    return notetext::TrimSystemText(std::string(buffer, n));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

// Every dialog that comes up while a test runs: its title is kept and it is cancelled, so that a
// question the note should not ask fails the test instead of waiting for an answer.
std::vector<std::string> g_dialogs;
HHOOK g_dialogHook = nullptr;
LRESULT CALLBACK CancelDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        auto* form = dynamic_cast<tk::TCustomForm*>(tk::TWinControl::FromHandle(window));
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if ((form && form->Modal()) || std::wstring(className) == L"#32770") {
            g_dialogs.push_back(wintest::WindowText(window));
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(g_dialogHook, code, wParam, lParam);
}

class NoteFiles : public ::testing::Test {
protected:
    void SetUp() override {
        g_dialogs.clear();
        g_dialogHook = SetWindowsHookExW(WH_CBT, CancelDialogs, nullptr, GetCurrentThreadId());
        form_ = fixture_.CreateNote();
        memo_ = form_->Memo1;
        memo_->OnChange = [this](tk::TObject*) { ++changes_; };
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "pinlet-files-" + std::to_string(GetTickCount());
        CreateDirectoryA(folder_.c_str(), nullptr);
        notefiles::SetKeptCopiesFolder(folder_ + "-kept"); // must be empty again at the end
    }
    void TearDown() override {
        notefiles::SetKeptCopiesFolder("");
        EXPECT_EQ(FilesIn(folder_ + "-kept"), 0) << "a kept copy was left behind";
        RemoveDirectoryA((folder_ + "-kept").c_str());
        UnhookWindowsHookEx(g_dialogHook);
        EXPECT_TRUE(g_dialogs.empty()) << "a dialog came up: " << g_dialogs.front();
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string p = folder_ + "\\" + data.cFileName;
                SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(p.c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string Path(const char* name) const { return folder_ + "\\" + name; }
    void Type(const std::string& keys) {
        for (char c : keys)
            SendMessageA(memo_->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    std::string MemoText() const { return memo_->Text(); }

    wintest::AppFixture fixture_;
    note::TForm1* form_ = nullptr;
    tk::TMemo* memo_ = nullptr;
    int changes_ = 0;
    std::string folder_;
};

TEST_F(NoteFiles, SavesExactlyTheMemosBytes) {
    WriteBytes(Path("empty.txt"), "previous content");
    notefiles::WriteNoteFile(Path("empty.txt"), memo_->Text());
    EXPECT_EQ(ReadBytes(Path("empty.txt")), "");

    Type("a\rb"); // a, Enter, b
    notefiles::WriteNoteFile(Path("ab.txt"), memo_->Text());
    EXPECT_EQ(ReadBytes(Path("ab.txt")), "a\r\nb");
    EXPECT_EQ(FilesIn(folder_), 2); // nothing else left behind
}

// A save opens its file, and keeps the old bytes, before the note's text is converted; one given
// up then (the user refuses the question the conversion asks) leaves the file as it was, a file
// that did not exist not made, and no kept copy behind (see TearDown).
TEST_F(NoteFiles, AWriteDroppedBeforeItsBytesLeavesEverythingAsItWas) {
    WriteBytes(Path("old.txt"), "old bytes");
    notefiles::NoteFileWrite(Path("old.txt"));
    notefiles::NoteFileWrite(Path("new.txt"));
    EXPECT_EQ(ReadBytes(Path("old.txt")), "old bytes");
    EXPECT_EQ(GetFileAttributesA(Path("new.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    notefiles::NoteFileWrite(Path("old.txt")).Finish("new bytes");
    EXPECT_EQ(ReadBytes(Path("old.txt")), "new bytes");
}

TEST_F(NoteFiles, LoadsWithLineBreaksMadeCrLf) {
    const std::pair<std::string, std::string> cases[] = {
        {"one\r\ntwo\r\n", "one\r\ntwo\r\n"}, // the final break gives an empty last line
        {"one\ntwo\nthree", "one\r\ntwo\r\nthree"},
        {"a\rb", "a\r\nb"},
        {"a\n\rb", "a\r\n\r\nb"},
        {"\xEF\xBB\xBFtext", "text"}, // a UTF-8 mark says how to read the rest
    };
    for (const auto& [bytes, shown] : cases) {
        WriteBytes(Path("in.txt"), bytes);
        wintest::ReadIntoMemo(*memo_, Path("in.txt"));
        EXPECT_EQ(MemoText(), shown);
    }
}

TEST_F(NoteFiles, RoundTripsWithoutChangingABreakThatWasAlreadyCrLf) {
    WriteBytes(Path("crlf.txt"), "line\r\n");
    wintest::ReadIntoMemo(*memo_, Path("crlf.txt"));
    notefiles::WriteNoteFile(Path("crlf.txt"), memo_->Text());
    EXPECT_EQ(ReadBytes(Path("crlf.txt")), "line\r\n");

    WriteBytes(Path("lf.txt"), "a\nb\nc\n");
    wintest::ReadIntoMemo(*memo_, Path("lf.txt"));
    notefiles::WriteNoteFile(Path("lf.txt"), memo_->Text());
    EXPECT_EQ(ReadBytes(Path("lf.txt")), "a\r\nb\r\nc\r\n"); // one byte more per break

    WriteBytes(Path("bom.txt"), "\xEF\xBB\xBFx");
    notefiles::NoteFileText read = notefiles::ReadNoteFile(Path("bom.txt"));
    notefiles::WriteNoteFile(Path("bom.txt"), *notefiles::EncodeNoteText(read.Text, read.Encoding));
    EXPECT_EQ(ReadBytes(Path("bom.txt")), "\xEF\xBB\xBFx");
}

TEST_F(NoteFiles, NotifiesOnceWhenTheTextChangesAndNeverOtherwise) {
    Type("same");
    changes_ = 0;
    WriteBytes(Path("same.txt"), "same");
    wintest::ReadIntoMemo(*memo_, Path("same.txt"));
    EXPECT_EQ(changes_, 0);
    notefiles::WriteNoteFile(Path("same.txt"), memo_->Text());
    EXPECT_EQ(changes_, 0);

    WriteBytes(Path("empty.txt"), "");
    wintest::ReadIntoMemo(*memo_, Path("empty.txt"));
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(MemoText(), "");

    WriteBytes(Path("lf.txt"), "x\ny");
    wintest::ReadIntoMemo(*memo_, Path("lf.txt"));
    EXPECT_EQ(changes_, 2);
    wintest::ReadIntoMemo(*memo_, Path("lf.txt")); // equal after normalising: no change
    EXPECT_EQ(changes_, 2);
    EXPECT_TRUE(IsWindowVisible(memo_->Handle()));
}

using wintest::MessageOf;

// The bytes of UTF-16 code units in one byte order, as the compiler wrote them from u"" literals.
std::string Utf16Bytes(const std::u16string& units, bool bigEndian) {
    std::string out;
    for (char16_t u : units) {
        char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

// A file in one encoding: its byte-order mark, its lines and its line break, each as bytes.
struct EncodedFile {
    std::string Name;
    std::string Mark;
    std::vector<std::string> Lines;
    std::string Break(const char* ascii) const {
        if (Name.rfind("utf16", 0) != 0) return ascii;
        std::u16string units(ascii, ascii + std::strlen(ascii));
        return Utf16Bytes(units, Name == "utf16be");
    }
    std::string Joined(const char* lineBreak) const {
        std::string out = Mark;
        for (size_t i = 0; i < Lines.size(); ++i)
            out += (i ? Break(lineBreak) : "") + Lines[i];
        return out;
    }
};

// Opened and saved by the note without an edit, a file comes back byte for byte in every
// encoding: its mark, its encoding, its kind of line break and every other byte kept.
TEST_F(NoteFiles, EveryEncodingRoundTripsThroughTheNotesOpenAndSave) {
    const std::u16string wide = u"keny\u00e9r \u2713 \u6f22 \U0001F600";
    const std::string utf8 = "keny\xC3\xA9r \xE2\x9C\x93 \xE6\xBC\xA2 \xF0\x9F\x98\x80";
    std::string allBytes; // every byte value a text may hold in the code page
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n') allBytes += static_cast<char>(c);
    const EncodedFile files[] = {
        {"utf8", "", {utf8, "", utf8 + " tej"}},
        {"utf8bom", "\xEF\xBB\xBF", {utf8, "", "tej"}},
        {"utf16le", "\xFF\xFE", {Utf16Bytes(wide, false), "", Utf16Bytes(u"tej", false)}},
        {"utf16be", "\xFE\xFF", {Utf16Bytes(wide, true), "", Utf16Bytes(u"tej", true)}},
        {"ansi", "", {allBytes.substr(0, 120), "", allBytes.substr(120)}},
        {"older", "", {"keny\xE9r, tej", "t\xFAr\xF3"}}, // as the note wrote Western text before
    };
    for (const EncodedFile& file : files)
        for (const char* lineBreak : {"\n", "\r\n", "\r"}) {
            SCOPED_TRACE(file.Name + " with " +
                         (lineBreak[0] == '\n' ? "LF"
                          : lineBreak[1]       ? "CR LF"
                                               : "CR"));
            const std::string path = Path((file.Name + ".txt").c_str());
            WriteBytes(path, file.Joined(lineBreak));
            wintest::OpenAndWait(*form_, path);
            form_->Label3Click(form_); // the note has a file: saved without a dialog
            EXPECT_TRUE(ReadBytes(path) == file.Joined(lineBreak));
        }
    EXPECT_EQ(FilesIn(folder_), 6);

    // UTF-16 that is not whole is refused by the open, and the note keeps its text and file.
    const std::string kept = memo_->Text();
    WriteBytes(Path("broken.txt"), std::string("\xFF\xFE"
                                               "A\0\x3D\xD8",
                                               6));
    EXPECT_EQ(MessageOf<tk::EFOpenError>([&] { form_->OpenChosenFile(Path("broken.txt")); }),
              "Cannot open file \"" + Path("broken.txt") + "\". The file is not valid UTF-16");
    EXPECT_EQ(memo_->Text(), kept);
    EXPECT_EQ(form_->NoteFileName(), Path("older.txt"));
}

// The memo holds typing and deleting to its limits, telling a line of the text from the lines it
// shows (each line here wraps into several): an edit that would make a line too long is not made
// and is reported, one that fits is made; Backspace and Delete take both halves of an emoji.
TEST_F(NoteFiles, TheMemoHoldsEditsToItsLimits) {
    std::vector<tk::EditRefusal> refused;
    memo_->OnEditRefused = [&](tk::TObject*, tk::EditRefusal why) { refused.push_back(why); };
    memo_->SetLimits({40, 10});
    memo_->SetWidth(40); // a few characters a shown line
    const HWND edit = memo_->Handle();
    auto caret = [&](size_t at) { SendMessageW(edit, EM_SETSEL, at, static_cast<LPARAM>(at)); };
    auto del = [&] { SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 0); };
    auto type = [&](wchar_t c) { SendMessageW(edit, WM_CHAR, c, 0); };

    memo_->SetText("ab cd ef\r\ngh ij"); // lines of 8 and 5: joined, 13
    ASSERT_GT(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 2);
    caret(8);
    del();
    caret(10);
    type(VK_BACK);
    EXPECT_EQ(memo_->Text(), "ab cd ef\r\ngh ij");
    caret(4);
    for (wchar_t c : {L'x', L'y', L'z'}) // 9, 10, then 11: refused
        type(c);
    EXPECT_EQ(memo_->Text(), "ab cxyd ef\r\ngh ij");
    EXPECT_EQ(refused, std::vector<tk::EditRefusal>(3, tk::EditRefusal::LineTooLong));

    memo_->SetText("ab cd\r\ngh ij"); // joined, 10: made
    caret(5);
    del();
    EXPECT_EQ(memo_->Text(), "ab cdgh ij");
    memo_->SetText("P\xF0\x9F\x98\x80Q\xF0\x9F\x98\x80");
    caret(3);
    type(VK_BACK);
    caret(2);
    del();
    EXPECT_EQ(memo_->Text(), "PQ");
    EXPECT_EQ(refused.size(), 3u);
}

// Half a character (Backspace cannot make one, a paste of one can) is never written as U+FFFD:
// the save is refused in the user's words and the file keeps its bytes.
TEST_F(NoteFiles, HalfACharacterIsNeverSaved) {
    const std::string path = Path("half.txt");
    WriteBytes(path, "\xC3\xA9"); // a UTF-8 note: nothing would ask before writing
    wintest::OpenAndWait(*form_, path);
    memo_->SetText("P\xED\xA0\xBDQ"); // the memo holds P, the first half of an emoji, Q
    EXPECT_EQ(memo_->WideText(), std::wstring(L"P\xD83DQ"));
    const std::string refusal = "A jegyzetben egy fél karakter van";
    EXPECT_EQ(MessageOf<tk::EWriteError>([&] { form_->Label3Click(form_); })
                  .substr(0, refusal.size()),
              refusal);
    EXPECT_EQ(ReadBytes(path), "\xC3\xA9");
}

// A UTF-8 file shows its letters: the memo looks exactly as it does when the system is handed the
// same text as UTF-16 directly. A letter typed into it is saved in UTF-8.
TEST_F(NoteFiles, AUtf8FileShowsItsLettersAndKeepsTypedOnes) {
    WriteBytes(Path("bread.txt"), "keny\xC3\xA9r, tej");
    wintest::OpenAndWait(*form_, Path("bread.txt"));
    HWND memo = memo_->Handle();
    auto pixels = [memo] {
        wintest::PumpMessages();
        UpdateWindow(memo);
        wintest::ScreenPixels shown(memo);
        std::vector<COLORREF> all;
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                all.push_back(shown.At(x, y));
        return all;
    };
    const std::vector<COLORREF> opened = pixels();
    SetWindowTextW(memo, L"keny\u00e9r, tej");
    EXPECT_TRUE(pixels() == opened);
    SetWindowTextW(memo, L"kenyer, tej"); // the check tells the letters apart
    EXPECT_FALSE(pixels() == opened);

    wintest::OpenAndWait(*form_, Path("bread.txt"));
    SendMessageW(memo, WM_CHAR, 0x0151, 0); // o with double acute, at the start
    form_->Label3Click(form_);
    EXPECT_EQ(ReadBytes(Path("bread.txt")), "\xC5\x91keny\xC3\xA9r, tej");
}

TEST_F(NoteFiles, CreateFailuresNameTheFullPathAndTheSystemsReason) {
    Type("new text");
    std::string missing = folder_ + "\\no-such-folder\\n.txt";
    EXPECT_EQ(
        MessageOf<tk::EFCreateError>([&] { notefiles::WriteNoteFile(missing, memo_->Text()); }),
        "Cannot create file \"" + missing + "\". " + SystemText(ERROR_PATH_NOT_FOUND));

    WriteBytes(Path("ro.txt"), "keep me");
    SetFileAttributesA(Path("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(MessageOf<tk::EFCreateError>(
                  [&] { notefiles::WriteNoteFile(Path("ro.txt"), memo_->Text()); }),
              "Cannot create file \"" + Path("ro.txt") + "\". " + SystemText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadBytes(Path("ro.txt")), "keep me");

    WriteBytes(Path("held.txt"), "held");
    tk::KernelHandle holder(
        CreateFileA(Path("held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_EQ(MessageOf<tk::EFCreateError>(
                  [&] { notefiles::WriteNoteFile(Path("held.txt"), memo_->Text()); }),
              "Cannot create file \"" + Path("held.txt") + "\". " +
                  SystemText(ERROR_SHARING_VIOLATION));
    holder = tk::KernelHandle();
    EXPECT_EQ(ReadBytes(Path("held.txt")), "held");
    EXPECT_EQ(FilesIn(folder_), 2);

    // A relative name is reported with its full path.
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    SetCurrentDirectoryA(folder_.c_str());
    EXPECT_EQ(MessageOf<tk::EFCreateError>(
                  [&] { notefiles::WriteNoteFile("nope\\x.txt", memo_->Text()); }),
              "Cannot create file \"" + folder_ + "\\nope\\x.txt\". " +
                  SystemText(ERROR_PATH_NOT_FOUND));
    SetCurrentDirectoryA(cwd);
}

TEST_F(NoteFiles, OpenFailuresLeaveTheMemoUntouched) {
    Type("mine");
    changes_ = 0;
    EXPECT_EQ(
        MessageOf<tk::EFOpenError>([&] { wintest::ReadIntoMemo(*memo_, Path("missing.txt")); }),
        "Cannot open file \"" + Path("missing.txt") + "\". " + SystemText(ERROR_FILE_NOT_FOUND));

    WriteBytes(Path("busy.txt"), "other");
    tk::KernelHandle writer(CreateFileA(Path("busy.txt").c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    ASSERT_TRUE(writer.Valid());
    EXPECT_EQ(MessageOf<tk::EFOpenError>([&] { wintest::ReadIntoMemo(*memo_, Path("busy.txt")); }),
              "Cannot open file \"" + Path("busy.txt") + "\". " +
                  SystemText(ERROR_SHARING_VIOLATION));
    writer = tk::KernelHandle();

    // Files of 2 GiB are refused with their size (a sparse file: nothing is really written).
    {
        tk::KernelHandle big(CreateFileA(Path("big.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER size;
        size.QuadPart = 0x80000000LL;
        SetFilePointerEx(big.Get(), size, nullptr, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(big.Get()));
    }
    EXPECT_EQ(MessageOf<tk::EFOpenError>([&] { wintest::ReadIntoMemo(*memo_, Path("big.txt")); }),
              "Cannot open file \"" + Path("big.txt") + "\". The file holds 2147483648 bytes; the " +
                  "note opens at most " + std::to_string(notetext::kLargestNoteFile) + " bytes");

    // The memo would show only what comes before a NUL character, and a save would write only
    // that: a file with one is refused, in any encoding. UTF-16 that is not whole is refused too.
    const std::pair<std::string, std::string> refused[] = {
        {std::string("before\0after", 12), "The file contains NUL characters"},
        {std::string("\xFF\xFE"
                     "A\0\0\0",
                     6),
         "The file contains NUL characters"},
        {std::string("\xFF\xFE"
                     "A\0B",
                     5),
         "The file is not valid UTF-16"},
        {std::string("\xFE\xFF"
                     "\xD8\x3D\0A",
                     6),
         "The file is not valid UTF-16"},
        {std::string("\xFF\xFE"
                     "\x00\xDC\0A",
                     6),
         "The file is not valid UTF-16"},
    };
    for (const auto& [bytes, reason] : refused) {
        WriteBytes(Path("refused.txt"), bytes);
        EXPECT_EQ(
            MessageOf<tk::EFOpenError>([&] { wintest::ReadIntoMemo(*memo_, Path("refused.txt")); }),
            "Cannot open file \"" + Path("refused.txt") + "\". " + reason);
        EXPECT_EQ(ReadBytes(Path("refused.txt")), bytes);
    }

    // A line longer than the memo wraps in reasonable time.
    WriteBytes(Path("long-line.txt"), "a\r\n" + std::string(notetext::kLongestNoteLine + 1, 'x'));
    EXPECT_EQ(
        MessageOf<tk::EFOpenError>([&] { wintest::ReadIntoMemo(*memo_, Path("long-line.txt")); }),
        "Cannot open file \"" + Path("long-line.txt") +
            "\". A line of the file is too long for the note");

    EXPECT_EQ(MemoText(), "mine");
    EXPECT_EQ(changes_, 0);
    EXPECT_TRUE(IsWindowVisible(memo_->Handle()));
}

// Devices, folders and pipes are no notes: opening and saving refuse them by name before
// anything opens them (a serial port or a pipe can keep an open or a read waiting), and nothing is
// made in their place.
TEST_F(NoteFiles, WhatIsNotAFileIsRefusedByOpeningAndSaving) {
    Type("kept");
    changes_ = 0;
    for (const std::string& name :
         {std::string("NUL"), std::string("COM1"), std::string("aux"), Path("nul.txt"),
          Path("Com1.log"), folder_, std::string("\\\\.\\pipe\\pinlet-note")}) {
        const std::string shown = storage::FullPath(name);
        EXPECT_EQ(MessageOf<tk::EFOpenError>([&] { wintest::ReadIntoMemo(*memo_, name); }),
                  "Cannot open file \"" + shown + "\". It is not a file");
        EXPECT_EQ(
            MessageOf<tk::EFCreateError>([&] { notefiles::WriteNoteFile(name, memo_->Text()); }),
            "Cannot create file \"" + shown + "\". It is not a file");
    }
    EXPECT_EQ(MemoText(), "kept");
    EXPECT_EQ(changes_, 0);
    EXPECT_EQ(FilesIn(folder_), 0);
}

// The memo wraps its lines after blanks, with its own word breaks: each wrapped line starts a
// word, and the text it shows is the text it was given.
TEST_F(NoteFiles, TheMemoWrapsAfterBlanks) {
    std::string text;
    for (int i = 0; text.size() < 3000; ++i)
        text += std::string("word") + std::to_string(i * 7919 % 1000) + (i % 5 ? " " : "  ");
    memo_->SetTextSilently(text);
    const auto lines = static_cast<int>(SendMessageA(memo_->Handle(), EM_GETLINECOUNT, 0, 0));
    ASSERT_GT(lines, 20);
    for (int line = 1; line < lines; ++line) {
        auto start = static_cast<size_t>(SendMessageA(memo_->Handle(), EM_LINEINDEX, line, 0));
        ASSERT_LT(start, text.size());
        EXPECT_EQ(text[start - 1], ' ') << "line " << line;
        EXPECT_NE(text[start], ' ') << "line " << line;
    }
    EXPECT_EQ(MemoText(), text);
}

// Appending keeps the selection and the view, whether the text so far fits in the view or not.
TEST_F(NoteFiles, AppendingKeepsTheSelectionAndTheView) {
    const HWND edit = memo_->Handle();
    std::string text = "first";
    for (int lines = 1; lines < 40; lines += 3, text += "\r\nline\r\nline\r\nline") {
        memo_->SetTextSilently(text);
        SendMessageW(edit, EM_SETSEL, 2, 4);
        const LRESULT top = lines > 20 ? 3 : 0; // a view the reader scrolled away from the caret
        SendMessageW(edit, EM_LINESCROLL, 0, top);
        ASSERT_TRUE(memo_->AppendSilently(" more\r\nand more"));
        DWORD start = 0, end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 2u);
        EXPECT_EQ(end, 4u);
        EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), top) << lines << " lines";
        EXPECT_EQ(MemoText(), text + " more\r\nand more");
    }
    EXPECT_EQ(changes_, 0);
}

// A memo that does not take a long text whole, as the system's edit control does when its memory
// runs out: it says nothing and keeps what it had (`partial` false), or takes only half of a
// piece.
WNDPROC g_memoProc = nullptr;
bool g_partial = false;
LRESULT CALLBACK TakesOnlyShortTexts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == EM_REPLACESEL && lParam &&
        std::wcslen(reinterpret_cast<const wchar_t*>(lParam)) > 100) {
        if (!g_partial) return 0;
        std::wstring half(reinterpret_cast<const wchar_t*>(lParam), 50);
        return CallWindowProcW(g_memoProc, hwnd, msg, wParam,
                               reinterpret_cast<LPARAM>(half.c_str()));
    }
    return CallWindowProcW(g_memoProc, hwnd, msg, wParam, lParam);
}

TEST_F(NoteFiles, AMemoThatTakesOnlyPartOfTheTextKeepsItsOwnAndTheOpenFails) {
    Type("mine");
    changes_ = 0;
    WriteBytes(Path("long.txt"), std::string(200, 'L'));
    for (bool partial : {false, true}) {
        g_partial = partial;
        g_memoProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            memo_->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TakesOnlyShortTexts)));
        std::string message = MessageOf<tk::EInvalidOperation>(
            [&] { wintest::ReadIntoMemo(*memo_, Path("long.txt")); });
        SetWindowLongPtrW(memo_->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_memoProc));
        EXPECT_EQ(message, "Text exceeds memo capacity") << partial;
        EXPECT_EQ(MemoText(), "mine") << partial;
        EXPECT_TRUE(memo_->Modified()) << partial;
        EXPECT_EQ(changes_, 0) << partial;
    }
}

// A full disk: a small filesystem mounted for the test run (its Unix path in PINLET_SMALLFS). The
// message names the file and the system's reason; the old content stays, and no file is left.
TEST_F(NoteFiles, AFullDiskNamesTheFileAndTheReasonAndKeepsTheOldContent) {
    const char* mount = std::getenv("PINLET_SMALLFS");
    if (!mount || !*mount) GTEST_SKIP() << "PINLET_SMALLFS is not set (test.sh mounts one)";
    std::string folder = std::string("Z:") + mount;
    for (char& c : folder)
        if (c == '/') c = '\\';
    std::string target = folder + "\\note.txt";
    std::string big; // larger than the whole filesystem, in short lines the memo wraps fast
    for (int i = 0; i < 1600; ++i)
        big += "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcd\r\n";
    memo_->SetTextSilently(big);
    const std::string diskFull = SystemText(ERROR_DISK_FULL);
    ASSERT_FALSE(diskFull.empty());

    // Written in place (as under Wine) and through a new file beside it (as on Windows).
    for (bool inPlace : {true, false}) {
        storage::FileCalls calls;
        calls.writeExistingInPlace = inPlace;
        storage::UseFileCalls(&calls);
        WriteBytes(target, "old note");
        ASSERT_EQ(ReadBytes(target), "old note");
        EXPECT_EQ(
            MessageOf<tk::EWriteError>([&] { notefiles::WriteNoteFile(target, memo_->Text()); }),
            "Cannot write file \"" + target + "\". " + diskFull)
            << inPlace;
        storage::UseFileCalls(nullptr);
        EXPECT_EQ(ReadBytes(target), "old note") << inPlace;
        EXPECT_EQ(FilesIn(folder), 1) << inPlace;
    }

    // A new file that cannot be written whole is not left behind either.
    EXPECT_EQ(MessageOf<tk::EWriteError>(
                  [&] { notefiles::WriteNoteFile(folder + "\\new.txt", memo_->Text()); }),
              "Cannot write file \"" + folder + "\\new.txt\". " + diskFull);
    EXPECT_EQ(FilesIn(folder), 1);
    DeleteFileA(target.c_str());
}

} // namespace
