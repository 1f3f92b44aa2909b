// A save changes the note's text and nothing else about the file: its attributes, its other names
// (hard links), its security descriptor and, where the file system keeps one, its creation
// time. A folder that lets no new file be made is written in place. And whichever step of a save
// fails, the file holds the old bytes or the new ones, whole, with nothing left beside it.
#include "dying_saver.h"
#include "note_fixture.h"
#include "storage/file_calls.h"
#include "notefiles/kept_copies.h"
#include "toolkit/text/unicode_text.h"
#include "notefiles/note_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace soak {
namespace {

std::string DescriptorOf(const std::string& path) {
    constexpr SECURITY_INFORMATION kParts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityA(path.c_str(), kParts, nullptr, 0, &needed);
    std::string descriptor(needed, '\0');
    if (!needed || !GetFileSecurityA(path.c_str(), kParts, descriptor.data(), needed, &needed))
        return "(none)";
    return descriptor;
}

BY_HANDLE_FILE_INFORMATION InfoOf(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info{};
    tk::KernelHandle file(CreateFileA(path.c_str(), 0, 7, nullptr, OPEN_EXISTING, 0, nullptr));
    GetFileInformationByHandle(file.Get(), &info);
    return info;
}

// Whether the file system keeps a creation time that a program sets.
bool KeepsCreationTimes(const std::string& path) {
    tk::KernelHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    FILETIME early{0x12345678, 0x01c00000};
    SetFileTime(file.Get(), &early, nullptr, nullptr);
    file = tk::KernelHandle();
    FILETIME created = InfoOf(path).ftCreationTime;
    DeleteFileA(path.c_str());
    return CompareFileTime(&created, &early) == 0;
}

class SaveKeeps : public NoteFixture {
protected:
    void Write(const std::string& path) { notefiles::WriteNoteFile(path, form_->Memo1->Text()); }
};

TEST_F(SaveKeeps, AttributesOtherNamesSecurityAndCreationTimeSurviveASave) {
    std::string hidden = folder_ / "hidden.txt";
    WriteBytes(hidden, "old");
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                       FILE_ATTRIBUTE_ARCHIVE));
    // A descriptor other than the folder's default: only the user may reach the file.
    {
        char tokenSpace[256];
        DWORD size = 0;
        HANDLE token = nullptr;
        OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
        GetTokenInformation(token, TokenUser, tokenSpace, sizeof tokenSpace, &size);
        CloseHandle(token);
        PSID user = reinterpret_cast<TOKEN_USER*>(tokenSpace)->User.Sid;
        char aclSpace[256];
        auto* acl = reinterpret_cast<PACL>(aclSpace);
        InitializeAcl(acl, sizeof aclSpace, ACL_REVISION);
        AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, user);
        SECURITY_DESCRIPTOR descriptor;
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
        ASSERT_TRUE(SetFileSecurityA(hidden.c_str(), DACL_SECURITY_INFORMATION, &descriptor));
    }
    std::string descriptor = DescriptorOf(hidden);
    FILETIME created = InfoOf(hidden).ftCreationTime;

    std::string linked = folder_ / "linked.txt", other = folder_ / "other name.txt";
    WriteBytes(linked, "old");
    ASSERT_TRUE(CreateHardLinkA(other.c_str(), linked.c_str(), nullptr));

    SetMemoText("new text");
    Write(hidden);
    Write(linked);
    EXPECT_EQ(ReadBytes(hidden), "new text");
    EXPECT_EQ(GetFileAttributesA(hidden.c_str()) &
                  (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_EQ(DescriptorOf(hidden), descriptor);
    if (KeepsCreationTimes(folder_ / "probe")) {
        FILETIME after = InfoOf(hidden).ftCreationTime;
        EXPECT_EQ(CompareFileTime(&after, &created), 0);
    } else {
        std::printf("note: this file system keeps no creation time a program sets\n");
    }
    EXPECT_EQ(ReadBytes(linked), "new text");
    EXPECT_EQ(ReadBytes(other), "new text"); // the other name sees the new text too
    EXPECT_EQ(InfoOf(linked).nNumberOfLinks, 2u);
    EXPECT_EQ(ListFolder(folder_.Path()), "hidden.txt linked.txt other name.txt");
}

// A save that dies part way through writing the file in place (the program killed, the power
// gone): the old bytes are in a copy that the next start finds and puts back under the file's
// own name.
TEST_F(SaveKeeps, ASaveKilledPartWayLeavesTheOldBytesWhereTheNextStartFindsThem) {
    const std::string target = folder_ / "note.txt";
    const std::string old = std::string(2000, 'o') + " the old note";
    const std::string text = std::string(1000, 'n') + " the new note";
    WriteBytes(target, old);
    ASSERT_EQ(SaveAndDie(target, kept_.Path(), text), kDiedSaving);
    const std::string left = ReadBytes(target);
    EXPECT_NE(left, old); // it died part way
    EXPECT_NE(left, text);

    std::vector<notefiles::InterruptedSave> found = notefiles::FindInterruptedSaves();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].File, target);
    EXPECT_EQ(ReadBytes(found[0].Copy), old);
    EXPECT_TRUE(notefiles::FindInterruptedSaves().empty()); // held while it is dealt with
    notefiles::RestoreInterruptedSave(found[0]);
    EXPECT_EQ(ReadBytes(target), old);
    EXPECT_EQ(ListFolder(folder_.Path()), "note.txt");
}

// What a save keeps is offered back only when it is needed: not while the save runs, not when
// the file holds the new bytes or the old ones whole.
TEST_F(SaveKeeps, AKeptCopyIsOfferedOnlyWhenTheFileHoldsNeitherVersionWhole) {
    const std::string target = folder_ / "note.txt";
    WriteBytes(target, "old");
    {
        notefiles::KeptCopy copy(target, target, "old", "new");
        EXPECT_TRUE(notefiles::FindInterruptedSaves().empty()); // a save under way
        EXPECT_EQ(ReadBytes(copy.Path()), "old");
    }
    EXPECT_EQ(ListFolder(kept_.Path()), "");
    for (const char* now : {"new", "old", "ne"}) {
        WriteBytes(target, now);
        notefiles::KeptCopy(target, target, "old", "new").Keep();
        std::vector<notefiles::InterruptedSave> found = notefiles::FindInterruptedSaves();
        EXPECT_EQ(found.size(), std::string(now) == "ne" ? 1u : 0u) << now;
        for (notefiles::InterruptedSave& save : found)
            notefiles::ForgetInterruptedSave(save);
        EXPECT_EQ(ListFolder(kept_.Path()), "") << now;
        EXPECT_EQ(ReadBytes(target), now);
    }
}

// The save's file calls, with failures planted: every call through them is counted, and those
// numbered in `failing` fail. A replace can fail before it moves anything or half way, after the
// old file went to the backup name (counted as two steps).
std::vector<int> g_failing;
int g_calls = 0;
std::string g_refusingFolder; // making a file in a folder of this name is refused

bool FailsNow() {
    ++g_calls;
    for (int n : g_failing)
        if (n == g_calls) return true;
    return false;
}

HANDLE WINAPI CreateFails(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE templateFile) {
    std::string path = tk::Utf8(name);
    std::string folder = path.substr(0, path.find_last_of('\\') + 1);
    if (!g_refusingFolder.empty() && folder.size() >= g_refusingFolder.size() &&
        folder.compare(folder.size() - g_refusingFolder.size(), std::string::npos,
                       g_refusingFolder) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (FailsNow()) {
        SetLastError(ERROR_WRITE_FAULT);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(name, access, share, security, disposition, flags, templateFile);
}

BOOL WINAPI WriteFails(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED o) {
    if (!FailsNow()) return WriteFile(file, bytes, count, written, o);
    if (written) *written = 0;
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

BOOL WINAPI FlushFails(HANDLE file) {
    if (!FailsNow()) return FlushFileBuffers(file);
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

BOOL WINAPI CutFails(HANDLE file) {
    if (!FailsNow()) return SetEndOfFile(file);
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

BOOL WINAPI ReplaceFails(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                         LPVOID exclude, LPVOID reserved) {
    if (FailsNow()) {
        SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
        return FALSE;
    }
    if (FailsNow()) {
        MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING);
        SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        return FALSE;
    }
    return ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
}

BOOL WINAPI MoveFails(LPCWSTR from, LPCWSTR to, DWORD flags) {
    if (!FailsNow()) return MoveFileExW(from, to, flags);
    SetLastError(ERROR_WRITE_FAULT);
    return FALSE;
}

class SaveSteps : public SaveKeeps {
protected:
    void SetUp() override {
        SaveKeeps::SetUp();
        calls_.createFile = CreateFails;
        calls_.writeFile = WriteFails;
        calls_.flushFileBuffers = FlushFails;
        calls_.setEndOfFile = CutFails;
        calls_.replaceFile = ReplaceFails;
        calls_.moveFileEx = MoveFails;
        storage::UseFileCalls(&calls_);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        temp_ = temp;
        tempBefore_ = ListFolder(temp_);
    }
    void TearDown() override {
        storage::UseFileCalls(nullptr);
        g_refusingFolder.clear();
        g_failing.clear();
        SaveKeeps::TearDown();
    }
    // The three ways a save takes: through a staging file (as on Windows), in place after a kept
    // copy (as under Wine), and in place because the file has a second name.
    enum Way { kStaged, kInPlace, kLinked };
    static std::string NameOf(Way way) {
        return way == kStaged ? "staged" : way == kInPlace ? "in place" : "in place, linked";
    }
    // Saves `text` onto a file that held `old` the given way, with the calls numbered in
    // `failing` failing; returns the message, or "no exception".
    std::string SaveFailing(std::vector<int> failing, Way way) {
        RemoveTree(folder_ / "f");
        CreateDirectoryA((folder_ / "f").c_str(), nullptr);
        WriteBytes(Target(), kOld);
        if (way == kLinked) CreateHardLinkA(Other().c_str(), Target().c_str(), nullptr);
        calls_.writeExistingInPlace = way == kInPlace;
        SetMemoText(kNew);
        g_failing = std::move(failing);
        g_calls = 0;
        std::string message = MessageOf<tk::Exception>([&] { Write(Target()); });
        g_failing.clear();
        return message;
    }
    std::string Target() const { return folder_ / "f\\note.txt"; }
    std::string Other() const { return folder_ / "f\\other.txt"; }
    std::string Names(Way way) const { return way == kLinked ? "note.txt other.txt" : "note.txt"; }

    const std::string kOld = std::string(3000, 'o') + "\r\nthe old note";
    const std::string kNew = "the new note";
    storage::FileCalls calls_;
    std::string temp_, tempBefore_;
};

TEST_F(SaveSteps, EveryStepFailingInTurnLeavesTheOldOrTheNewBytesWholeAndNothingBeside) {
    for (Way way : {kStaged, kInPlace, kLinked}) {
        for (int step = 1;; ++step) {
            std::string message = SaveFailing({step}, way);
            SCOPED_TRACE(NameOf(way) + ", step " + std::to_string(step) + " failing: " + message);
            std::string now = ReadBytes(Target());
            EXPECT_EQ(now, message == "no exception" ? kNew : kOld);
            if (way == kLinked) {
                EXPECT_EQ(ReadBytes(Other()), now);
            }
            EXPECT_EQ(ListFolder(folder_ / "f"), Names(way));
            EXPECT_EQ(ListFolder(temp_), tempBefore_);
            EXPECT_EQ(ListFolder(kept_.Path()), "");
            if (step > g_calls) break; // the save made fewer calls: every one has failed once
        }
    }
}

// A second failure while the old bytes are put back: they stay whole, in the file or in the one
// copy the message names. A kept copy of a save in place is found again by the next start.
TEST_F(SaveSteps, AFailureWhilePuttingTheOldBytesBackKeepsThemInACopyTheMessageNames) {
    int offered = 0;
    for (Way way : {kStaged, kInPlace, kLinked}) {
        SaveFailing({}, way);
        const int steps = g_calls;
        for (int first = 1; first <= steps + 1; ++first) {
            for (int second = first + 1; second <= steps + 3; ++second) {
                std::string message = SaveFailing({first, second}, way);
                SCOPED_TRACE(NameOf(way) + ", steps " + std::to_string(first) + " and " +
                             std::to_string(second) + " failing: " + message);
                std::string now = ReadBytes(Target());
                size_t kept = message.find("The previous file is kept as \"");
                if (kept == std::string::npos) {
                    EXPECT_EQ(now, message == "no exception" ? kNew : kOld);
                    EXPECT_EQ(ListFolder(folder_ / "f"), Names(way));
                    EXPECT_EQ(ListFolder(kept_.Path()), "");
                    continue;
                }
                size_t start = kept + 30;
                std::string copy = message.substr(start, message.find('"', start) - start);
                EXPECT_EQ(ReadBytes(copy), kOld);
                if (way == kStaged) { // the backup name beside the file
                    DeleteFileA(copy.c_str());
                    continue;
                }
                // The next start offers the copy back where the file holds neither the old bytes
                // nor the new ones whole (a failed write or flush can leave either: then the copy
                // is removed).
                std::vector<notefiles::InterruptedSave> found = notefiles::FindInterruptedSaves();
                if (now == kOld || now == kNew) {
                    EXPECT_TRUE(found.empty());
                    EXPECT_EQ(ListFolder(kept_.Path()), "");
                    continue;
                }
                ASSERT_EQ(found.size(), 1u);
                EXPECT_EQ(found[0].Copy, copy);
                EXPECT_EQ(found[0].File, Target());
                notefiles::ForgetInterruptedSave(found[0]);
                ++offered;
            }
        }
    }
    EXPECT_GT(offered, 0); // some failure left the file holding neither version whole
}

// A write that takes only part of the bytes and reports success (what a full disk does): the rest
// is written again, and a save that cannot finish names the file and the reason. Here writes of
// the long new text (not those of the kept copy) take at most g_writeLimit bytes each, and with
// g_thenDiskFull the write after a short one fails.
int g_writeLimit = 0;
bool g_thenDiskFull = false;
bool g_wasShort = false;
BOOL WINAPI WritesShort(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED o) {
    if (count < 5000) return WriteFile(file, bytes, count, written, o);
    if (g_wasShort && g_thenDiskFull) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    DWORD taken = std::min<DWORD>(count, static_cast<DWORD>(g_writeLimit));
    g_wasShort = taken < count;
    return WriteFile(file, bytes, taken, written, o);
}

TEST_F(SaveSteps, AShortWriteIsFinishedOrReportedWithTheFileAndTheReason) {
    calls_.writeFile = WritesShort;
    const std::string text = kOld + kOld; // more than 5000 bytes
    struct Case {
        int limit;
        bool thenDiskFull;
    };
    for (Way way : {kStaged, kInPlace}) {
        for (Case c : {Case{1000, false}, Case{1000, true}, Case{0, false}}) {
            SCOPED_TRACE(NameOf(way) + ", " + std::to_string(c.limit) + " bytes a write" +
                         (c.thenDiskFull ? ", then a full disk" : ""));
            g_writeLimit = c.limit;
            g_thenDiskFull = c.thenDiskFull;
            g_wasShort = false;
            RemoveTree(folder_ / "f");
            CreateDirectoryA((folder_ / "f").c_str(), nullptr);
            WriteBytes(Target(), kOld);
            calls_.writeExistingInPlace = way == kInPlace;
            SetMemoText(text);
            std::string message = MessageOf<tk::Exception>([&] { Write(Target()); });
            const bool finishes = c.limit > 0 && !c.thenDiskFull;
            EXPECT_EQ(message, finishes ? "no exception" : CannotWrite(Target(), ERROR_DISK_FULL));
            EXPECT_EQ(ReadBytes(Target()), finishes ? text : kOld);
            EXPECT_EQ(ListFolder(folder_ / "f"), "note.txt");
        }
    }
}

TEST_F(SaveSteps, AFolderThatRefusesNewFilesIsWrittenInPlace) {
    SaveFailing({}, kStaged); // makes the folder and the target
    WriteBytes(Target(), kOld);
    DWORD identity = InfoOf(Target()).nFileIndexLow;
    g_refusingFolder = "\\f\\";
    Write(Target());
    EXPECT_EQ(ReadBytes(Target()), kNew);
    EXPECT_EQ(InfoOf(Target()).nFileIndexLow, identity); // written in place
    EXPECT_EQ(ListFolder(folder_ / "f"), "note.txt");
    EXPECT_EQ(ListFolder(temp_), tempBefore_);
    // A new file cannot be made there at all: that is reported, and nothing changes.
    EXPECT_EQ(MessageOf<tk::EFCreateError>([&] {
                  Write(folder_ / "f\\new.txt");
              }).rfind("Cannot create file", 0),
              0u);
    EXPECT_EQ(ListFolder(folder_ / "f"), "note.txt");
}

} // namespace
} // namespace soak
