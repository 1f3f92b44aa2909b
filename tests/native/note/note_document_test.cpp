// The note's document without a window: its transitions with a memo, files, clock and recovery
// store of the test's own. Open, edit and save; a note killed while unsaved comes back from its
// copy and saves to its file; steady typing gets a copy on time; an open cancelled at any piece
// gives the memo its text back; the end of the session asked about, refused, then ended.
#include "document_fakes.h"
#include "document/document_texts.h"

#include <gtest/gtest.h>

namespace {

struct NoteDocument : testing::Test {
    fakes::Time time;
    fakes::Files files;
    fakes::Copies copies;
};

TEST_F(NoteDocument, OpenEditSave) {
    files.disk["D:\\notes\\list.txt"] = "kenyér\ntej";
    fakes::Note note(time, files, copies);
    note.document->Open("D:\\notes\\list.txt");
    note.FinishOpening();
    EXPECT_EQ(note.memo.text, "kenyér\r\ntej");
    EXPECT_TRUE(note.document->Saved());
    EXPECT_EQ(note.view.title, "list.txt");
    EXPECT_EQ(note.view.caption, "list.txt");
    EXPECT_EQ(note.memo.changes, 1);

    note.Type(", vaj");
    EXPECT_FALSE(note.document->Saved());
    note.document->SaveTo(note.document->FileName());
    EXPECT_EQ(files.disk["D:\\notes\\list.txt"], "kenyér\r\ntej, vaj");
    EXPECT_TRUE(note.document->Saved());
    EXPECT_FALSE(note.memo.modified);
    EXPECT_TRUE(note.view.asked.empty());

    // Changed on disk meanwhile: the save asks, and No leaves the file as the other wrote it.
    note.Type("!");
    files.BeginWrite("D:\\notes\\list.txt")->Finish("another's");
    note.document->SaveTo(note.document->FileName());
    EXPECT_EQ(note.view.asked.back(), note::kChangedOnDiskQuestion);
    EXPECT_EQ(files.disk["D:\\notes\\list.txt"], "another's");
    EXPECT_FALSE(note.document->Saved());
}

// Keys 100 ms apart for 20 s, with no pause: a copy is written within ten seconds of the first
// key and again while the keys go on, never more than ten seconds behind.
TEST_F(NoteDocument, SteadyTypingGetsACopyOnTime) {
    files.disk["steady.txt"] = "saved";
    fakes::Note note(time, files, copies);
    note.document->Open("steady.txt");
    note.FinishOpening();
    std::string typed;
    std::uint64_t firstUncopied = 0;
    std::string lastCopy;
    for (int key = 0; key < 200; ++key) {
        const char c = static_cast<char>('a' + key % 26);
        note.Type(std::string(1, c));
        if (firstUncopied == 0) firstUncopied = time.now;
        typed += c;
        time.Pass(100);
        auto copy = copies.folder.find(note.document->RecoveryKeeper().Name());
        if (copy != copies.folder.end() && copy->second != lastCopy) {
            lastCopy = copy->second;
            firstUncopied = 0;
        }
        ASSERT_LT(time.now - (firstUncopied ? firstUncopied : time.now), 10000u)
            << "no copy after " << key + 1 << " keys";
    }
    const recovery::RecoveryCopy copy = copies.Claim(note.document->RecoveryKeeper().Name());
    EXPECT_EQ(copy.Text.substr(0, 5), "saved");
    EXPECT_GE(copy.Text.size(), 5 + typed.size() - 100);
}

// Killed unsaved (the document dropped, its copy left), claimed by the next start, shown again
// with its file, unsaved, and saved to that file, which removes the copy.
TEST_F(NoteDocument, AKilledNoteComesBackFromItsCopyAndSavesToItsFile) {
    files.disk["n.txt"] = "first line";
    std::string name;
    {
        fakes::Note note(time, files, copies);
        note.document->Open("n.txt");
        note.FinishOpening();
        note.Type(" and more");
        time.Pass(2000);
        name = note.document->RecoveryKeeper().Name();
        ASSERT_TRUE(copies.folder.count(name));
        EXPECT_EQ(copies.restartArguments.back(), "<recover>" + name);
    }
    ASSERT_TRUE(copies.folder.count(name)); // the kill leaves it

    fakes::Note back(time, files, copies);
    back.view.title = "Pinlet";
    bool pieces = false;
    ASSERT_TRUE(back.document->Restore(copies.Claim(name), copies.Adopt(name), pieces));
    back.FinishOpening();
    EXPECT_EQ(back.memo.text, "first line and more");
    EXPECT_FALSE(back.document->Saved());
    EXPECT_TRUE(back.memo.modified);
    EXPECT_EQ(back.document->FileName(), "n.txt");
    EXPECT_EQ(back.view.title, "n.txt");
    EXPECT_EQ(files.disk["n.txt"], "first line");

    back.document->SaveTo(back.document->FileName());
    EXPECT_TRUE(back.view.asked.empty()); // the file is as the copy knew it
    EXPECT_EQ(files.disk["n.txt"], "first line and more");
    EXPECT_FALSE(copies.folder.count(name));
    EXPECT_EQ(copies.restartArguments.back(), "");
}

// An open cancelled after its first piece, half way and before its last gives the memo back
// exactly what it held, with its modified flag, and the title back.
TEST_F(NoteDocument, AnOpenCancelledAtAnyPieceGivesTheMemoItsTextBack) {
    std::string big;
    for (int i = 0; i < 40000; ++i)
        big += "line " + std::to_string(i) + "\n";
    files.disk["big.txt"] = big;
    // A slow memo: every piece takes half a second, so that pieces stay small and many.
    double (*slow)() = [] {
        static double t = 0;
        return t += 500;
    };
    int pieces = 0;
    {
        fakes::Note note(time, files, copies);
        ASSERT_TRUE(note.document->Open("big.txt"));
        while (!note.document->StepOpening(slow))
            ++pieces;
        ASSERT_GT(pieces, 10);
    }
    for (int cancelAfter : {1, pieces / 2, pieces}) {
        fakes::Note note(time, files, copies);
        note.Type("mine");
        note.view.title = "before";
        ASSERT_TRUE(note.document->Open("big.txt"));
        for (int i = 0; i < cancelAfter; ++i)
            ASSERT_FALSE(note.document->StepOpening(slow));
        EXPECT_TRUE(note.document->RefuseWhileOpening()); // a save meanwhile is refused
        note.document->CancelOpening();
        EXPECT_FALSE(note.document->Opening());
        EXPECT_EQ(note.memo.text, "mine") << cancelAfter;
        EXPECT_TRUE(note.memo.modified);
        EXPECT_FALSE(note.memo.readOnly);
        EXPECT_EQ(note.view.title, "before");
        EXPECT_EQ(note.document->FileName(), "");
        EXPECT_FALSE(note.document->Saved());
    }
}

// Yes to giving up the changes at the end of the session removes the copy only when the session
// really ends; a session that goes on keeps it, and one that ends after No keeps the last key.
TEST_F(NoteDocument, TheEndOfTheSessionAskedRefusedThenEnded) {
    fakes::Note note(time, files, copies);
    note.Type("unsaved");
    time.Pass(2000);
    const std::string name = note.document->RecoveryKeeper().Name();
    ASSERT_TRUE(copies.folder.count(name));

    note.view.answers = {true};
    note.document->SessionQueryStarted();
    EXPECT_TRUE(note.document->MayClose());
    note.document->SessionQueryDone();
    EXPECT_TRUE(copies.folder.count(name)); // another program may still refuse the end
    note.document->SessionEnded(false);     // and one did
    EXPECT_TRUE(copies.folder.count(name));

    note.Type(" and the last key");
    note.view.answers = {false};
    note.document->SessionQueryStarted();
    EXPECT_FALSE(note.document->MayClose());
    note.document->SessionQueryDone();
    note.document->SessionEnded(true); // ended all the same
    EXPECT_EQ(copies.Claim(name).Text, "unsaved and the last key");

    fakes::Note second(time, files, copies);
    second.Type("given up");
    time.Pass(2000);
    const std::string secondName = second.document->RecoveryKeeper().Name();
    second.view.answers = {true};
    second.document->SessionQueryStarted();
    EXPECT_TRUE(second.document->MayClose());
    second.document->SessionQueryDone();
    second.document->SessionEnded(true);
    EXPECT_FALSE(copies.folder.count(secondName));
}

} // namespace
