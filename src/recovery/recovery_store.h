#pragma once
// What notes keep between runs: %LOCALAPPDATA%\Pinlet\Recovery, made on first use and readable
// by the user only. Each note has a name of its own there; "<name>.lock" is held open (and
// closed, and gone, with the note's process), "<name>.place" is the note's record of its place
// on the desktop (see note_place.h) and "<name>.copy" the recovery copy of its unsaved text; both
// are replaced whole on every write (a new file first, then a rename), on a worker thread.
// A name whose lock is free belongs to a note that is gone: a start claims its record and copy
// by making its lock anew, which only one of two starts at once can do, and moving them to a name
// of its own.
#include "copy_writer.h"
#include "note_place.h"
#include "toolkit/base/win_handles.h"

#include <optional>
#include <string>
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
    // The name `name`, its lock made anew; Valid() false when another holds it.
    static RecoveryName Take(const std::string& folder, const std::string& name);
    // The name a note that started this process handed over with its lock (see HandOverCopy);
    // Valid() false when none was.
    static RecoveryName HandedOver(const std::string& folder, const std::string& name);
    bool Valid() const { return lock_.Valid(); }
    const std::string& Name() const { return name_; }
    const std::string& Folder() const { return folder_; }
    std::string CopyPath() const;
    std::string PlacePath() const;
    HANDLE Lock() const { return lock_.Get(); }

private:
    std::string folder_, name_;
    tk::KernelHandle lock_;
};

// A writer of this note's copy under `name` (its lock held while it lives): a worker that
// writes into a new file in the folder and puts it in the copy's place.
std::unique_ptr<CopyWriter> WriterFor(RecoveryName name);

// The recovery folder of the user's local application data, and the system's restart
// registration.
class RecoveryFolderStore : public CopyStore {
public:
    std::unique_ptr<CopyWriter> Fresh(std::string& problem) override;
    std::string Folder() const override;
    void RegisterRestart(const std::string& argument) override;
};

// The system's clocks: GetTickCount64 and the system time.
class SystemClock : public Clock {
public:
    std::uint64_t Milliseconds() override;
    std::uint64_t FileTime() override;
};

// A copy of a note that is gone, claimed by this process under a name of its own. Only its
// outline is read at first (see recovery_format.h): the text is read when it is wanted.
struct ClaimedCopy {
    std::string OriginalName; // the name its note had
    RecoveryName Name;
    CopyOutline Outline;
    DecodeFailure Failure = DecodeFailure::None; // when not None, Outline holds nothing
    bool HasCopy = true;                         // a note brought back may have left none
    std::optional<NotePlace> Place;              // the note's record, when it left one
};

// The names of the copies in the folder whose note may be gone, newest first. Staging files that
// a write killed part way left beside them, held by no one, are removed on the way.
std::vector<std::string> OrphanedCopyNames();

// Claims the copy `name` when its note is gone, with the note's name (and so its record): its
// outline is read. Nothing when the copy is not there to be claimed.
std::optional<ClaimedCopy> ClaimOrphan(const std::string& name);

// Claims the copy called `name` (from the "<recover>" argument): handed over by the note that
// started this process, or else claimed if its note is gone. Nothing for a name that is not a
// copy's or a copy a living note holds.
std::optional<ClaimedCopy> ClaimNamedCopy(const std::string& name);

// What reading a claimed copy's text came to.
enum class TextRead { Read, Damaged, TooLarge };

// Reads the claimed copy's text into its outline's fields.
TextRead ReadClaimedText(ClaimedCopy& claimed);

// Starts `program` with "<recover>" (or `argument`) and the claimed copy's name, handing it the
// name's lock; false when it could not be started (the copy is then still this process's).
bool HandOverCopy(ClaimedCopy& claimed, const std::string& program,
                  const char* argument = kRecoverArgument);

// The argument that brings back the notes of the desktop: "<desktop>" for every note whose
// record is left by a process that is gone, "<desktop>" and a name for that note alone (handed
// over, with its lock, by the start that claimed it).
inline constexpr const char* kDesktopArgument = "<desktop>";

// The names of the records in the folder whose note may be gone, newest first.
std::vector<std::string> OrphanedPlaceNames();

// Claims the note `name` by its record: handed over by the start that claimed it
// (`handedOver`), or else claimed if its note is gone. Its record is read, and its copy's
// outline if it left one. Nothing when its note lives, another start claimed it first, or it left
// no record that can be read (such a record is removed).
std::optional<ClaimedCopy> ClaimDesktopNote(const std::string& name, bool handedOver);

// Removes a claimed note's record: the note is not brought back.
void DiscardPlace(ClaimedCopy& claimed);

// Moves the claimed copy to a name of its own that no note holds, for a later start to offer;
// the claimed name goes on without it.
void LeaveCopyForLater(ClaimedCopy& claimed);

// Puts a copy that cannot be restored aside under a name no start offers again, ending in
// `suffix` (".damaged"); returns where it is now (its claimed name, should it not move).
std::string SetCopyAside(const ClaimedCopy& claimed, const char* suffix);

// Gives a claimed copy up for a later start: its lock is closed, so the next start finds it.
void ReleaseCopy(ClaimedCopy& claimed);

// Removes a claimed copy the user chose not to keep, with its note's record: the note is not
// brought back either.
void DiscardCopy(ClaimedCopy& claimed);

} // namespace recovery
