// The recovery copy's bytes (every field back as it was; a copy cut short, changed or of another
// kind refused with its reason) and when copies are taken (against the stated promises, checked
// over a simulated session of typing).
#include "recovery/copy_fields.h"
#include "recovery/copy_schedule.h"
#include "recovery/recovery_format.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using recovery::DecodeFailure;
using recovery::RecoveryCopy;

TEST(RecoveryCopy, EveryFieldComesBackAndAnyDamageIsTold) {
    RecoveryCopy copy;
    copy.TakenAt = 133500000000000000ull;
    copy.Text = "kenyér, tej\r\n✓ 漢 😀";
    copy.FileName = "C:\\jegyzet✓.txt";
    copy.EncodingForm = 3;
    copy.ByteOrderMark = true;
    copy.CodePage = 1250;
    copy.HasFileState = true;
    copy.FileSize = 1ull << 33;
    copy.FileLastWrite = 42;
    copy.FileIdentity = std::string("\0\x5a\x01id", 5);
    const std::string bytes = recovery::EncodeRecoveryCopy(copy);
    RecoveryCopy back;
    ASSERT_EQ(recovery::DecodeRecoveryCopy(bytes, back), DecodeFailure::None);
    EXPECT_TRUE(back == copy);

    RecoveryCopy plain; // a new note: no file, no state
    plain.Text = "";
    ASSERT_EQ(recovery::DecodeRecoveryCopy(recovery::EncodeRecoveryCopy(plain), back),
              DecodeFailure::None);
    EXPECT_TRUE(back == plain);

    // Every shorter prefix is refused, as is every single changed byte.
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_NE(recovery::DecodeRecoveryCopy(bytes.substr(0, length), back), DecodeFailure::None)
            << length;
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        EXPECT_NE(recovery::DecodeRecoveryCopy(changed, back), DecodeFailure::None) << at;
    }
    EXPECT_EQ(recovery::DecodeRecoveryCopy("not a copy at all", back), DecodeFailure::NotACopy);
    EXPECT_EQ(recovery::DecodeRecoveryCopy(bytes.substr(0, 20), back), DecodeFailure::CutShort);
    EXPECT_EQ(recovery::DecodeRecoveryCopy(bytes + "x", back), DecodeFailure::Damaged);
    std::string newer = bytes;
    newer[8] = 2;
    EXPECT_EQ(recovery::DecodeRecoveryCopy(newer, back), DecodeFailure::NewerVersion);
    EXPECT_TRUE(back == plain); // a refused copy leaves what was there
}

// The note's file goes through a copy's bytes and comes back as it was: every encoding, a stamp
// with its identity (a path with colons in it), none; an identity that cannot be read leaves a
// stamp that no file matches.
TEST(RecoveryCopy, TheNotesFileComesBackFromItsCopy) {
    using notetext::EncodingForm;
    storage::FileStamp stamp{1ull << 40, 133500000000000007ull, 0xDEADBEEF, 0x0123456789ABCDEFull,
                               "\\\\?\\C:\\a:b\\jegyzet✓.txt"};
    for (auto form :
         {EncodingForm::Ansi, EncodingForm::Utf8, EncodingForm::Utf16LE, EncodingForm::Utf16BE}) {
        recovery::NoteFileState state{"C:\\jegyzet✓.txt", {form, form != EncodingForm::Ansi, 1250},
                                      stamp};
        RecoveryCopy back;
        ASSERT_EQ(recovery::DecodeRecoveryCopy(
                      recovery::EncodeRecoveryCopy(recovery::CopyFieldsOf(state)), back),
                  DecodeFailure::None);
        const recovery::NoteFileState restored = recovery::NoteFileStateOf(back);
        EXPECT_EQ(restored.FileName, state.FileName);
        EXPECT_TRUE(restored.Encoding == state.Encoding);
        ASSERT_TRUE(restored.Stamp);
        EXPECT_TRUE(restored.Stamp->SameVersionAs(stamp));
        EXPECT_EQ(restored.Stamp->finalPath, stamp.finalPath);
    }
    EXPECT_FALSE(recovery::NoteFileStateOf(recovery::CopyFieldsOf({})).Stamp);

    RecoveryCopy unreadable = recovery::CopyFieldsOf({"a.txt", {}, stamp});
    unreadable.FileIdentity = "DEADBEEF-0123";
    const recovery::NoteFileState restored = recovery::NoteFileStateOf(unreadable);
    ASSERT_TRUE(restored.Stamp);
    EXPECT_EQ(restored.Stamp->size, stamp.size);
    EXPECT_FALSE(restored.Stamp->SameVersionAs(stamp));
}

TEST(RecoveryCopy, TheFirstLineNamesANoteWithoutAFile) {
    EXPECT_EQ(recovery::FirstLine("bevásárlás\r\nkenyér"), "bevásárlás");
    EXPECT_EQ(recovery::FirstLine(std::string(70, 'a')), std::string(60, 'a') + "…");
    EXPECT_EQ(recovery::FirstLine(std::string(59, 'a') + "é", 60), std::string(59, 'a') + "…");
}

// A session of typing bursts and pauses, replayed against the promises: once a change is made,
// a copy follows within two seconds of the typing's pause, and within ten seconds of the change
// while typing goes on; copies are at least a second apart, and further apart when they cost.
TEST(CopySchedule, KeepsItsPromisesOverASessionOfTyping) {
    std::mt19937 random(28);
    for (std::uint64_t cost : {5u, 400u}) {
        recovery::CopySchedule schedule;
        std::uint64_t lastCopy = 0, firstUncopied = 0, lastChange = 0;
        bool copiedOnce = false, uncopied = false;
        for (std::uint64_t now = 0; now < 600000; now += 50) {
            const bool typing = (now / 7000) % 3 != 2; // bursts of 14 s, pauses of 7 s
            if (typing && random() % 4 == 0) {
                schedule.Changed(now);
                if (!uncopied) firstUncopied = now;
                uncopied = true;
                lastChange = now;
            }
            if (schedule.Due(now)) {
                if (copiedOnce) {
                    ASSERT_GE(now - lastCopy, std::max<std::uint64_t>(1000, cost * 10));
                }
                schedule.Copied(now, cost);
                lastCopy = now;
                copiedOnce = true;
                uncopied = false;
            }
            if (uncopied && cost * 10 <= 1000) {
                ASSERT_LT(now - firstUncopied, 10000u) << now;
                if (now - lastChange >= 2000) FAIL() << "no copy two seconds after a pause " << now;
            }
        }
    }
}

} // namespace
