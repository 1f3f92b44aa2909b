// Hostile input through the note's handlers: every byte value, NUL bytes, a 1 GB file, a file
// that grows and shrinks while it is read, paths of 259, 260 and 261 characters, and names that
// the ANSI code page cannot spell. Each gives its stated result or a clear error, never a crash
// or a garbled file.
#include "note_fixture.h"
#include "notefiles/note_files.h"
#include "notetext/note_text_limits.h"
#include "reference/line_breaks_reference.h"
#include "toolkit/text/unicode_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace soak {
namespace {

// A file's bytes with their breaks made CR LF, as the plain reference rules make them (the
// normaliser itself is what is being checked).
std::string Saved(const std::string& bytes) {
    return ReferenceLineBreaks(bytes);
}

// What the memo shows of an ANSI file's bytes: its characters as the system's own conversions
// make them of the code page, as UTF-8.
std::string Shown(const std::string& bytes) {
    const std::string crlf = Saved(bytes);
    std::wstring wide(crlf.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, crlf.data(),
                                                        static_cast<int>(crlf.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

class HostileInput : public NoteFixture {
protected:
    void SetUp() override {
        NoteFixture::SetUp();
        answers_.confirmButton = "&Yes"; // an open replaces unsaved text without more ado
    }
    // Opens `path` through the open handler and saves it back through the save handler.
    void OpenAndSaveBack(const std::string& path) {
        answers_.fileName = path;
        Open();
        Save();
    }
    // Opens and saves a file whose path the ANSI code page cannot spell, through the dialogs;
    // the file its best-fit spelling names (`decoy`) is left alone.
    void ExpectUnicodePathOpensAndSaves(const std::wstring& widePath, const std::string& decoy);
};

TEST_F(HostileInput, EveryByteValueOpensAsShownAndSavesBackUnchanged) {
    std::string all; // 1 to 255
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    std::string pairs; // every byte after every other (no NUL): 255 x 255 pairs
    for (int a = 1; a < 256; ++a)
        for (int b = 1; b < 256; ++b)
            pairs += {static_cast<char>(a), static_cast<char>(b)};
    int round = 0;
    for (const std::string& bytes : {all, pairs}) {
        std::string path = folder_ / ("bytes" + std::to_string(++round) + ".txt");
        WriteBytes(path, bytes);
        OpenAndSaveBack(path);
        SCOPED_TRACE(round);
        EXPECT_TRUE(form_->Memo1->Text() == Shown(bytes));
        EXPECT_TRUE(ReadBytes(path) == Saved(bytes));
        EXPECT_TRUE(form_->IsSaved());
    }
    // The memo would show and save only what comes before a NUL: such a file is refused whole.
    for (const std::string& bytes :
         {all + std::string(1, '\0') + "after", std::string(1, '\0') + all}) {
        std::string path = folder_ / ("bytes" + std::to_string(++round) + ".txt");
        WriteBytes(path, bytes);
        NoteState before = State();
        answers_.fileName = path;
        EXPECT_EQ(MessageOf<tk::EFOpenError>([&] { Open(); }),
                  "Cannot open file \"" + path + "\". The file contains NUL characters");
        EXPECT_EQ(State(), before);
        EXPECT_EQ(ReadBytes(path), bytes);
    }
}

// A file of 1 GB is far beyond what the memo takes: it is refused before it is read, and the
// note stays as it was.
TEST_F(HostileInput, AFileOf1GBIsRefusedClearly) {
    SetMemoText("before");
    NoteState before = State();
    std::string path = folder_ / "gigabyte.txt";
    {
        tk::KernelHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER end;
        end.QuadPart = 1LL << 30; // sparse: nothing is really written
        SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(file.Get()));
    }
    answers_.fileName = path;
    EXPECT_EQ(MessageOf<tk::Exception>([&] { Open(); }),
              CannotOpenTooLarge(path, 1ull << 30, notetext::kLargestNoteFile, "bytes"));
    EXPECT_EQ(State(), before);
    DeleteFileA(path.c_str());
}

// Writes `count` bytes of `line` over and over (the last copy cut short).
void WriteRepeated(const std::string& path, const std::string& line, size_t count) {
    tk::KernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::string block;
    while (block.size() < (1u << 20))
        block += line;
    for (size_t written = 0; written < count;) {
        DWORD chunk = static_cast<DWORD>(std::min(block.size(), count - written)), done = 0;
        ASSERT_TRUE(WriteFile(file.Get(), block.data(), chunk, &done, nullptr));
        written += done;
    }
}

// The largest note and the longest line the memo is measured to take open whole; one byte more
// is refused before the memo is touched. The largest ones take minutes: with --long only.
TEST_F(HostileInput, TheLargestNoteAndTheLongestLineOpenWholeAndOneByteMoreIsRefused) {
    std::string path = folder_ / "limit.txt";
    const std::pair<std::string, size_t> cases[] = {
        {"a line of a very large note\r\n", notetext::kLargestNoteText},
        {"words of one very long line ", notetext::kLongestNoteLine},
    };
    for (const auto& [line, limit] : cases) {
        SetMemoText("before");
        NoteState before = State();
        WriteRepeated(path, line, limit + 1);
        answers_.fileName = path;
        std::string message = MessageOf<tk::EFOpenError>([&] { Open(); });
        EXPECT_TRUE(message == CannotOpen(path, ERROR_NOT_ENOUGH_MEMORY) ||
                    message == CannotOpenTooLarge(path, limit + 1, limit, "characters") ||
                    message == "Cannot open file \"" + path +
                                   "\". A line of the file is too long for the note")
            << message;
        EXPECT_EQ(State(), before);
        if (!LongMode()) continue;
        WriteRepeated(path, line, limit);
        EXPECT_EQ(MessageOf<tk::Exception>([&] { Open(); }), "no exception");
        EXPECT_EQ(form_->Memo1->TextLength(), limit);
    }
    DeleteFileA(path.c_str());
}

TEST_F(HostileInput, AFileThatGrowsAndShrinksWhileReadGivesAWholeSnapshotOrAClearError) {
    std::string pattern;
    for (int i = 0; pattern.size() < 16000; ++i)
        pattern += "pattern-" + std::to_string(i) + " ";
    std::string path = folder_ / "moving.txt";
    WriteBytes(path, pattern);
    WriteBytes(folder_ / "pattern", pattern);
    // A Unix process (share modes do not hold it back) rewrites the file at two lengths.
    char unixName[MAX_PATH] = {};
    {
        using ToUnix = char*(CDECL*)(LPCWSTR);
        auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        if (!toUnix) GTEST_SKIP() << "not under Wine: no Unix process can change the file";
        std::wstring wide(folder_.Path().begin(), folder_.Path().end());
        char* name = toUnix(wide.c_str());
        lstrcpynA(unixName, name, MAX_PATH);
        HeapFree(GetProcessHeap(), 0, name);
    }
    std::string dir = unixName;
    std::string script = "cd '" + dir +
                         "' && i=0; while [ ! -e stop ] && [ $i -lt 200000 ]; do "
                         "head -c 16000 pattern > moving.txt; head -c 300 pattern > moving.txt; "
                         "i=$((i+1)); done; touch done";
    std::string command = "/bin/sh -c \"" + script + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    tk::KernelHandle process(info.hProcess), thread(info.hThread);

    int opened = 0, refused = 0;
    for (int i = 0; i < Count(300, 5000); ++i) {
        SetMemoText("mine");
        NoteState before = State();
        std::string message =
            MessageOf<tk::Exception>([&] { wintest::ReadIntoMemo(*form_->Memo1, path); });
        std::string text = form_->Memo1->Text();
        if (message == "no exception") {
            ++opened;
            EXPECT_EQ(text, pattern.substr(0, text.size())) << "a garbled text";
        } else {
            ++refused;
            EXPECT_TRUE(message == CannotOpen(path, ERROR_HANDLE_EOF) ||
                        message == CannotOpen(path, ERROR_SHARING_VIOLATION))
                << message;
            EXPECT_EQ(State(), before);
        }
    }
    WriteBytes(folder_ / "stop", "");
    for (int wait = 0;
         wait < 200 && GetFileAttributesA((folder_ / "done").c_str()) == INVALID_FILE_ATTRIBUTES;
         ++wait)
        Sleep(50);
    std::printf("moving file: %d opened, %d refused\n", opened, refused);
    EXPECT_GT(opened, 0);
}

// A folder under the scratch folder whose path makes "<folder>\<name>" exactly `length` long.
std::string PathOfLength(const std::string& base, size_t length, const std::string& name) {
    std::string folder = base;
    size_t want = length - name.size() - 1;
    while (folder.size() < want) {
        size_t rest = want - folder.size(); // never 1: a segment takes at least two characters
        size_t part = rest <= 101 ? rest - 1 : (rest == 102 ? 99 : 100);
        folder += "\\" + std::string(part, 'd');
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder + "\\" + name;
}

TEST_F(HostileInput, PathsOf259CharactersWorkAndLongerOnesAreRefusedClearly) {
    const std::string name = "note-with-a-name.txt";
    std::string p259 = PathOfLength(folder_.Path(), 259, name);
    ASSERT_EQ(p259.size(), 259u);
    SetMemoText("long path");
    answers_.fileName = p259;
    SaveAs();
    EXPECT_EQ(ReadBytes(p259), "long path");
    EXPECT_EQ(ListFolder(p259.substr(0, p259.rfind('\\'))), name);
    SetMemoText("changed");
    Open();
    EXPECT_EQ(form_->Memo1->Text(), "long path");

    // Longer paths are beyond the ANSI limit on Windows, and are refused on every system before
    // anything is touched (Wine would take one of 260).
    for (size_t length : {260u, 261u}) {
        std::string path = PathOfLength(folder_.Path(), length, name);
        ASSERT_EQ(path.size(), length);
        std::string folder = path.substr(0, path.rfind('\\'));
        SetMemoText("longer " + std::to_string(length));
        EXPECT_EQ(
            MessageOf<tk::Exception>([&] { notefiles::WriteNoteFile(path, form_->Memo1->Text()); }),
            CannotCreate(path, ERROR_FILENAME_EXCED_RANGE));
        EXPECT_EQ(ListFolder(folder), "");
        EXPECT_EQ(MessageOf<tk::EFOpenError>([&] { wintest::ReadIntoMemo(*form_->Memo1, path); }),
                  CannotOpen(path, ERROR_FILENAME_EXCED_RANGE));
    }
}

TEST_F(HostileInput, A259CharacterPathOnAFullDiskKeepsTheOldFile) {
    std::string smallfs = SmallFileSystem();
    if (smallfs.empty()) GTEST_SKIP() << "PINLET_SMALLFS is not set (test.sh mounts one)";
    ScratchFolder folder(smallfs);
    std::string target = PathOfLength(folder.Path(), 259, "n.txt");
    WriteBytes(target, "old note");
    std::string big;
    while (big.size() < 80000)
        big += "more than the small disk holds\r\n";
    SetMemoText(big);
    std::string message =
        MessageOf<tk::Exception>([&] { notefiles::WriteNoteFile(target, form_->Memo1->Text()); });
    EXPECT_TRUE(message == CannotWrite(target, ERROR_DISK_FULL) ||
                message == CannotCreate(target, ERROR_DISK_FULL))
        << message;
    EXPECT_EQ(ReadBytes(target), "old note");
    EXPECT_EQ(ListFolder(target.substr(0, target.rfind('\\'))), "n.txt");
}

// The ANSI file dialogs hand back a best-fit spelling of a name that the code page cannot spell
// ("jegyzet-oO.txt" for "jegyzet-\u0151\u03A9.txt"), which names another file: that one must
// be neither shown nor overwritten. Opening `widePath` (in a folder that `setUp` made, with
// `decoy` the path its best-fit spelling gives) shows its own bytes or fails clearly on
// `questionPath`, its spelling with "?"; saving under it lands there or nowhere.
void HostileInput::ExpectUnicodePathOpensAndSaves(const std::wstring& widePath,
                                                  const std::string& decoy) {
    {
        tk::KernelHandle file(
            CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file.Valid());
        DWORD written = 0;
        WriteFile(file.Get(), "own bytes", 9, &written, nullptr);
    }
    if (!decoy.empty()) WriteBytes(decoy, "decoy");
    std::string listing = ListFolder(folder_.Path());

    SetMemoText("mine");
    answers_.wideFileName = widePath;
    EXPECT_EQ(MessageOf<tk::Exception>([&] { Open(); }), "no exception");
    EXPECT_EQ(form_->Memo1->Text(), "own bytes");
    EXPECT_EQ(form_->NoteFileName(), tk::Utf8(widePath));

    SetMemoText("saved text");
    EXPECT_EQ(MessageOf<tk::Exception>([&] { SaveAs(); }), "no exception");
    std::string landed;
    {
        tk::KernelHandle file(CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        char buffer[64] = {};
        DWORD read = 0;
        ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr);
        landed.assign(buffer, read);
    }
    EXPECT_EQ(landed, "saved text");
    EXPECT_EQ(ListFolder(folder_.Path()), listing);
    if (!decoy.empty()) {
        EXPECT_EQ(ReadBytes(decoy), "decoy");
    }
}

// The best-fit spelling of `name`, or "" when that holds a "?" (which no file can be named).
std::string BestFitName(const std::wstring& name) {
    char ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, ansi, MAX_PATH, nullptr, nullptr);
    std::string spelled = ansi;
    return spelled.find('?') == std::string::npos ? spelled : std::string();
}

const std::wstring kUnspellable = L"\x0151\x03A9"; // o with double acute, omega

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

TEST_F(HostileInput, NamesOutsideTheAnsiCodePageOpenAndSaveTheirOwnFile) {
    const std::wstring name = L"jegyzet-" + kUnspellable + L".txt";
    std::string lossy = BestFitName(name);
    ExpectUnicodePathOpensAndSaves(Wide(folder_.Path()) + L"\\" + name,
                                   lossy.empty() ? "" : folder_ / lossy);
}

TEST_F(HostileInput, FoldersOutsideTheAnsiCodePageOpenAndSaveTheirOwnFile) {
    const std::wstring folder = Wide(folder_.Path()) + L"\\mappa-" + kUnspellable;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    std::string lossy = BestFitName(L"mappa-" + kUnspellable);
    std::string decoy;
    if (!lossy.empty()) {
        ASSERT_TRUE(CreateDirectoryA((folder_ / lossy).c_str(), nullptr));
        decoy = folder_ / lossy + "\\note.txt";
    }
    ExpectUnicodePathOpensAndSaves(folder + L"\\note.txt", decoy);
}

} // namespace
} // namespace soak
