// The recovery copy as the worker writes it: a large text streamed through the converter comes
// back whole from its outline and text; a copy whose conversion or writing fails leaves the
// process running and the copy due, is tried again on the schedule, and is told to the user once
// until a copy goes through.
#include "recovery/copy_keeper.h"
#include "recovery/copy_worker.h"
#include "recovery/recovery_format.h"
#include "toolkit/text/unicode_text.h"

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

using recovery::CopyFailure;

// Copy files in memory: each Begin starts a new file, Finish patches its header and makes it the
// copy. `failures` lists what each coming copy does: nothing, a failed allocation in the middle
// of the text (as a conversion without memory would), or a full disk at the end.
enum class Fault { None, NoMemory, DiskFull };

struct MemoryFolder {
    std::string copy, record;
    std::vector<Fault> failures;
    int begun = 0, abandoned = 0;
};

class MemorySink : public recovery::CopySink, recovery::CopyOutput {
public:
    explicit MemorySink(MemoryFolder& folder) : folder_(folder) {}
    recovery::CopyOutput& Begin() override {
        ++folder_.begun;
        fault_ = Fault::None;
        if (!folder_.failures.empty()) {
            fault_ = folder_.failures.front();
            folder_.failures.erase(folder_.failures.begin());
        }
        staged_.clear();
        return *this;
    }
    void Append(std::string_view bytes) override {
        if (fault_ == Fault::NoMemory && !staged_.empty()) throw std::bad_alloc();
        staged_ += bytes;
    }
    void Finish(std::string_view header) override {
        if (fault_ == Fault::DiskFull) throw CopyFailure("There is not enough space on the disk.");
        staged_.replace(0, header.size(), header);
        folder_.copy = std::move(staged_);
    }
    void Abandon() noexcept override { ++folder_.abandoned; }
    void Remove() override { folder_.copy.clear(); }
    void WriteRecord(std::string_view bytes) override { folder_.record = bytes; }
    void RemoveRecord() override { folder_.record.clear(); }

private:
    MemoryFolder& folder_;
    std::string staged_;
    Fault fault_ = Fault::None;
};

struct Store : recovery::CopyStore {
    MemoryFolder folder;
    std::unique_ptr<recovery::CopyWriter> Fresh(std::string&) override {
        return std::make_unique<recovery::CopyWorker>("note-1",
                                                      std::make_unique<MemorySink>(folder));
    }
    std::string Folder() const override { return "C:\\Copies"; }
    void RegisterRestart(const std::string&) override {}
};

struct Clock : recovery::Clock {
    std::uint64_t now = 50000;
    std::uint64_t Milliseconds() override { return now; }
    std::uint64_t FileTime() override { return now * 10000; }
};

struct StringInput : recovery::CopyInput {
    std::string_view bytes;
    std::uint64_t Size() override { return bytes.size(); }
    bool ReadAt(std::uint64_t at, char* to, std::size_t count) override {
        if (at + count > bytes.size()) return false;
        bytes.copy(to, count, at);
        return true;
    }
};

// A text of many pieces' length whose characters of every UTF-8 length, surrogate pairs among
// them, fall across the converter's piece boundaries.
std::wstring LongMixedText() {
    // UTF-16 code units, as the memo holds them (wchar_t may be wider here).
    const std::wstring pattern = {L'a', L'b', 0xe9, 0x6f22, 0xd83d, 0xde00, L'\r', L'\n'};
    std::wstring text;
    while (text.size() < 300000) text += pattern;
    return text;
}

TEST(CopyWorker, AStreamedCopyComesBackWholeFromItsOutlineAndText) {
    MemoryFolder folder;
    const std::wstring text = LongMixedText();
    {
        recovery::CopyWorker worker("note-1", std::make_unique<MemorySink>(folder));
        recovery::RecoveryCopy fields;
        fields.FileName = "C:\\lista.txt";
        fields.TakenAt = 7;
        worker.Write(fields, text);
        worker.Flush();
        EXPECT_EQ(worker.Result().Outcome, recovery::CopyResult::Written);
    }
    StringInput input;
    input.bytes = folder.copy;
    recovery::CopyOutline outline;
    ASSERT_EQ(recovery::ReadCopyOutline(input, outline), recovery::DecodeFailure::None);
    EXPECT_EQ(outline.Fields.FileName, "C:\\lista.txt");
    EXPECT_EQ(outline.FirstLine, "ab\u00e9\u6f22\U0001F600");
    std::string back;
    ASSERT_TRUE(recovery::ReadCopyText(input, outline, back));
    EXPECT_TRUE(back == tk::Utf8FromUtf16<wchar_t>(text));
    recovery::RecoveryCopy whole;
    ASSERT_EQ(recovery::DecodeRecoveryCopy(folder.copy, whole), recovery::DecodeFailure::None);
    EXPECT_EQ(whole.Text.size(), back.size());
}

// Runs a keeper over `store` with typing, timer ticks every 100 ms and the worker's results
// learnt on each; returns how often the user was told.
struct Session {
    Store store;
    Clock clock;
    std::vector<std::string> told;
    recovery::CopyKeeper keeper{[] {
                                    recovery::NoteSnapshot s;
                                    s.Text = L"kenyér, tej";
                                    return s;
                                },
                                store, clock,
                                [this](const std::string& folder, const std::string& reason) {
                                    told.push_back(folder + ": " + reason);
                                }};
    void Run(std::uint64_t ms) {
        for (std::uint64_t end = clock.now + ms; clock.now < end; clock.now += 100) {
            keeper.Flush(); // the worker keeps up with the ticks, as it does with a small note
            keeper.Tick();
        }
    }
};

TEST(CopyKeeper, AFailedCopyStaysDueIsTriedAgainAndIsToldOnce) {
    Session session;
    session.store.folder.failures = {Fault::NoMemory, Fault::DiskFull, Fault::DiskFull};
    session.keeper.Changed();
    session.Run(2000); // the first copy falls due and its conversion runs out of memory
    EXPECT_TRUE(session.keeper.Pending());
    EXPECT_TRUE(session.store.folder.copy.empty());
    ASSERT_EQ(session.told.size(), 1u);
    EXPECT_EQ(session.told[0], "C:\\Copies: Nincs elég memória.");
    EXPECT_EQ(session.store.folder.abandoned, 1);

    session.Run(4000); // not tried again before the gap after a failure
    EXPECT_EQ(session.store.folder.begun, 1);
    session.Run(12000); // two more failures on a full disk, still told once, then written
    EXPECT_EQ(session.store.folder.begun, 4);
    EXPECT_EQ(session.told.size(), 1u);
    EXPECT_FALSE(session.keeper.Pending());
    recovery::RecoveryCopy copy;
    ASSERT_EQ(recovery::DecodeRecoveryCopy(session.store.folder.copy, copy),
              recovery::DecodeFailure::None);
    EXPECT_EQ(copy.Text, "kenyér, tej");

    // After a copy went through, the next failure is told again.
    session.store.folder.failures = {Fault::DiskFull};
    session.keeper.Changed();
    session.Run(2000);
    ASSERT_EQ(session.told.size(), 2u);
    EXPECT_EQ(session.told[1], "C:\\Copies: There is not enough space on the disk.");
    EXPECT_TRUE(session.keeper.Pending());
}

} // namespace
