#pragma once
// Where unsaved notes keep their recovery copies: %LOCALAPPDATA%\Pinlet\Recovery, made on first
// use and readable by the user only. Each note has a name of its own there; "<name>.lock" is
// held open (and closed, and gone, with the note's process) and "<name>.copy" is the copy,
// replaced whole on every write (a new file first, then a rename), written on a worker thread.
// A copy whose lock is free belongs to a note that is gone: the next start claims it by renaming
// it to a name of its own, so two notes starting at once never both offer it.
#include "copy_writer.h"
#include "toolkit/base/win_handles.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace recovery {

// The folder, made when missing; empty when there is none to be had.
std::string RecoveryFolder();

// A name in the recovery folder with its lock held by this process.
class RecoveryName {
public:
    RecoveryName() = default;
    // A fresh name, its lock taken; Valid() false when the folder or the lock could not be made.
    static RecoveryName Fresh(const std::string& folder);
    // The name a note that started this process handed over with its lock (see HandOverCopy);
    // Valid() false when none was.
    static RecoveryName HandedOver(const std::string& folder, const std::string& name);
    bool Valid() const { return lock_.Valid(); }
    const std::string& Name() const { return name_; }
    std::string CopyPath() const;
    HANDLE Lock() const { return lock_.Get(); }

private:
    std::string folder_, name_;
    tk::KernelHandle lock_;
};

// This note's copy: written on a worker thread, removed when the note no longer needs it.
class NoteRecovery : public CopyWriter {
public:
    explicit NoteRecovery(RecoveryName name);
    NoteRecovery(const NoteRecovery&) = delete;
    NoteRecovery& operator=(const NoteRecovery&) = delete;
    // Lets the worker finish what it writes; the copy stays (the note may be ending unsaved).
    ~NoteRecovery() override;

    const std::string& Name() const override { return name_.Name(); }
    // The worker makes the text UTF-8.
    void Write(RecoveryCopy fields, std::wstring text) override;
    // A write under way ends first.
    void Remove() override;
    void Flush() override;

private:
    void Work();

    RecoveryName name_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    struct Pending {
        RecoveryCopy Fields;
        std::wstring Text;
    };
    std::optional<Pending> pending_;
    bool remove_ = false, busy_ = false, stop_ = false;
    std::thread worker_;
};

// The recovery folder of the user's local application data, and the system's restart
// registration.
class RecoveryFolderStore : public CopyStore {
public:
    std::unique_ptr<CopyWriter> Fresh() override;
    void RegisterRestart(const std::string& argument) override;
};

// The system's clocks: GetTickCount64 and the system time.
class SystemClock : public Clock {
public:
    std::uint64_t Milliseconds() override;
    std::uint64_t FileTime() override;
};

// A copy of a note that is gone, claimed by this process under a name of its own.
struct ClaimedCopy {
    std::string OriginalName; // the name its note had
    RecoveryName Name;
    RecoveryCopy Copy;
    DecodeFailure Failure = DecodeFailure::None; // when not None, Copy holds nothing
};

// Claims every copy in the folder whose note is gone, newest first.
std::vector<ClaimedCopy> ClaimOrphanedCopies();

// Claims the copy called `name` (from the "<recover>" argument): handed over by the note that
// started this process, or else claimed if its note is gone. Nothing for a name that is not a
// copy's or a copy a living note holds.
std::optional<ClaimedCopy> ClaimNamedCopy(const std::string& name);

// Starts `program` with "<recover>" and the claimed copy's name, handing it the copy's lock;
// false when it could not be started (the copy is then still this process's).
bool HandOverCopy(ClaimedCopy& claimed, const std::string& program);

// Puts a damaged copy aside under a name no start offers again; returns that path.
std::string KeepDamagedCopy(const ClaimedCopy& claimed);

// Gives a claimed copy up for a later start: its lock is closed, so the next start finds it.
void ReleaseCopy(ClaimedCopy& claimed);

// Removes a claimed copy the user chose not to keep.
void DiscardCopy(ClaimedCopy& claimed);

} // namespace recovery
