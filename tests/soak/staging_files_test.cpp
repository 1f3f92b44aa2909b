// The staging file of a save: named in the target's folder within the path limit, created
// exclusively (a file, hard link, folder or symbolic link already under its name is passed over
// and left alone), and gone after every save, failed or not. Its names come from random bits;
// here a counter stands in for them, so that the names a save tries are known in advance. An
// existing file is saved through a staging file as on Windows (under Wine a save writes it in
// place), so that its staging names are tried too.
#include "note_fixture.h"
#include "storage/file_calls.h"
#include "storage/new_file.h"
#include "notefiles/note_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

namespace soak {
namespace {

using storage::kStagingAttempts;
using storage::StagingPathFor;

TEST(StagingNames, LieInTheTargetsFolderAndFitThePathLimit) {
    for (size_t folderLength : {4u, 40u, 200u, 240u, 247u, 248u, 249u, 250u, 254u, 256u}) {
        std::string folder = "C:\\" + std::string(folderLength - 4, 'f') + "\\";
        std::string target = folder + "n.txt";
        std::set<std::string> names;
        for (std::uint32_t value = 0; value < kStagingAttempts; ++value) {
            std::string path = StagingPathFor(target, value);
            SCOPED_TRACE(path);
            ASSERT_FALSE(path.empty());
            EXPECT_EQ(path.substr(0, folder.size()), folder);
            std::string name = path.substr(folder.size());
            EXPECT_EQ(name[0], '~'); // letters, digits and the dot only, after the tilde
            EXPECT_EQ(name.find_first_not_of("~.0123456789ABCDEFpntm", 1), std::string::npos);
            EXPECT_LE(path.size(), size_t{MAX_PATH - 1});
            EXPECT_NE(path, target);
            names.insert(path);
        }
        EXPECT_EQ(names.size(), kStagingAttempts) << folderLength;
    }
    // No room left for a name of its own.
    EXPECT_EQ(StagingPathFor("C:\\" + std::string(254, 'f') + "\\n", 0), "");
}

std::uint32_t g_nextValue = 0;
std::uint32_t Counter() {
    return g_nextValue++;
}

class StagingFiles : public NoteFixture {
protected:
    void SetUp() override {
        NoteFixture::SetUp();
        storage::SetStagingRandomSource(Counter);
        staged_.writeExistingInPlace = false;
        storage::UseFileCalls(&staged_);
    }
    void TearDown() override {
        storage::UseFileCalls(nullptr);
        storage::SetStagingRandomSource(nullptr);
        NoteFixture::TearDown();
    }
    // The name that a save tries as its `attempt`-th.
    std::string Staging(unsigned attempt) { return StagingPathFor(target_, attempt); }
    void Save() {
        g_nextValue = 0;
        NoteFixture::Save();
    }
    void SaveAs() {
        g_nextValue = 0;
        NoteFixture::SaveAs();
    }
    std::string NameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
    std::string target_ = folder_ / "note.txt";
    storage::FileCalls staged_;
};

TEST_F(StagingFiles, WhatAlreadyHasAStagingNameIsPassedOverAndLeftAlone) {
    ScratchFolder elsewhere;
    std::string victim = elsewhere / "victim.txt";
    WriteBytes(victim, "victim");
    WriteBytes(target_, "old note");
    WriteBytes(Staging(0), "decoy");
    ASSERT_TRUE(CreateHardLinkA(Staging(1).c_str(), victim.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Staging(2).c_str(), nullptr));
    bool symlink = CreateSymbolicLinkA(Staging(3).c_str(), victim.c_str(), 0);
    std::string before = ListFolder(folder_.Path());

    SetMemoText("the new note");
    answers_.fileName = target_;
    SaveAs();
    EXPECT_EQ(ReadBytes(target_), "the new note");
    EXPECT_EQ(ReadBytes(Staging(0)), "decoy");
    EXPECT_EQ(ReadBytes(victim), "victim");
    EXPECT_EQ(ReadBytes(Staging(1)), "victim");
    EXPECT_NE(GetFileAttributesA(Staging(2).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    if (!symlink) std::printf("note: no symbolic link could be made here\n");
    EXPECT_EQ(ListFolder(folder_.Path()), before);
    EXPECT_TRUE(form_->IsSaved());
}

TEST_F(StagingFiles, WhenEveryNameIsTakenTheSaveFailsAndChangesNothing) {
    for (unsigned attempt = 0; attempt < kStagingAttempts; ++attempt)
        WriteBytes(Staging(attempt), "taken");
    std::string before = ListFolder(folder_.Path());
    SetMemoText("text");
    answers_.fileName = target_;
    const std::string allTaken = "Cannot create file \"" + target_ +
                                 "\". Every name tried for a temporary file beside it is taken";
    EXPECT_EQ(MessageOf<tk::EFCreateError>([&] { Save(); }), allTaken);
    EXPECT_EQ(ListFolder(folder_.Path()), before); // the new target is not left behind

    WriteBytes(target_, "old note");
    EXPECT_EQ(MessageOf<tk::EFCreateError>([&] { Save(); }), allTaken);
    EXPECT_EQ(ReadBytes(target_), "old note");
    for (unsigned attempt = 0; attempt < kStagingAttempts; ++attempt)
        EXPECT_EQ(ReadBytes(Staging(attempt)), "taken");
}

TEST_F(StagingFiles, NoStagingFileOutlivesASaveThatSucceededOrFailed) {
    SetMemoText("text");
    answers_.fileName = target_;
    for (int round = 0; round < 20; ++round) {
        if (round % 2) SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_READONLY);
        std::string message = MessageOf<tk::Exception>([&] { Save(); });
        SetFileAttributesA(target_.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(message, round % 2 ? CannotCreate(target_, ERROR_ACCESS_DENIED) : "no exception");
        EXPECT_EQ(ListFolder(folder_.Path()), "note.txt");
    }
}

} // namespace
} // namespace soak
