#pragma once
// Keeps the recovery copy of one unsaved note: a copy falls due as the text changes (see
// CopySchedule), is taken on the note's thread when the note's timer finds it due, and is
// written by the store's worker; once the note is saved the copy goes. The first copy gives the
// note its name in the store; while a copy exists, the note is registered to come back with it
// after a restart the system makes. A copy that cannot be written (no folder, a full disk, no
// memory) stays due and is tried again; the first such failure is told (see Report), and the
// next only after a copy went through. Needs no operating system: the store and the clock are
// given.
#include "copy_schedule.h"
#include "copy_writer.h"

#include <functional>
#include <memory>
#include <string>

namespace recovery {

// The note as its copy needs it: the fields, and the text as the memo holds it.
struct NoteSnapshot {
    RecoveryCopy Fields; // Text left empty
    std::wstring Text;
};

class CopyKeeper {
public:
    using TakeSnapshot = std::function<NoteSnapshot()>;
    // Tells the user that copies cannot be kept: the store's folder and the reason.
    using Report = std::function<void(const std::string& folder, const std::string& reason)>;
    CopyKeeper(TakeSnapshot take, CopyStore& store, Clock& clock, Report report);
    ~CopyKeeper();

    // The note's text changed: a copy falls due.
    void Changed();
    // Whether a copy is waiting to fall due or to be written (the note's timer then keeps
    // calling Tick).
    bool Pending() const { return schedule_.Pending() || inFlight_; }
    // Learns what became of the copy being written, and takes the next if it is due.
    void Tick();
    // Takes the copy now if one is waiting, however soon, and waits until it is written: the
    // process is about to end.
    void CopyNow();
    // The note is saved, or its changes are given up: its copy is removed, and the note no longer
    // comes back after a restart.
    void Saved();
    // Goes on under a claimed name, with its writer: the restored note's copy (`hasCopy`) stays
    // until it is saved, and its record is kept under that name from now on (this note's record
    // under its old name, if any, goes).
    void Adopt(std::unique_ptr<CopyWriter> writer, bool hasCopy = true);
    // Keeps `bytes` as the note's record of its place, under the note's name (taken now if the
    // note has none yet; a record that cannot be kept is not told: the note goes on as before).
    void Record(std::string bytes);
    // The note really closes: its record goes, and none is kept after this.
    void Unrecord();
    // Gives up the name and its copy as they are (a restore that was cancelled): the copy is
    // left for a later start, and the next copy goes under a fresh name.
    void Release();
    // The copy's name in the store; empty before the first copy.
    std::string Name() const;
    // Waits until the worker has written or removed what it was given.
    void Flush();

private:
    void Take();
    bool EnsureWriter(bool tell);
    void Register(bool withCopy);
    void LearnResult();
    void Failed(const std::string& reason);

    TakeSnapshot take_;
    CopyStore& store_;
    Clock& clock_;
    Report report_;
    CopySchedule schedule_;
    std::unique_ptr<CopyWriter> writer_;
    bool inFlight_ = false;   // a copy was handed to the writer and its result is not known yet
    bool told_ = false;       // a failure was told, and no copy went through since
    bool registered_ = false; // the system restarts the note with its copy
    bool recorded_ = false;   // the writer keeps a record of the note's place
    bool unrecorded_ = false; // the note closed: no record is kept any more
};

} // namespace recovery
