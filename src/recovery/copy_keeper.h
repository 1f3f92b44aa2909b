#pragma once
// Keeps the recovery copy of one unsaved note: a copy falls due as the text changes (see
// CopySchedule), is taken on the note's thread when the note's timer finds it due, and is
// written by the store's worker; once the note is saved the copy goes. The first copy gives the
// note its name in the store; while a copy exists, the note is registered to come back with it
// after a restart the system makes. Needs no operating system: the store and the clock are given.
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
    CopyKeeper(TakeSnapshot take, CopyStore& store, Clock& clock);
    ~CopyKeeper();

    // The note's text changed: a copy falls due.
    void Changed();
    // Whether a copy is waiting to fall due (the note's timer then keeps calling Tick).
    bool Pending() const { return schedule_.Pending(); }
    // Takes the copy if it is due.
    void Tick();
    // Takes the copy now if one is waiting, however soon, and waits until it is written: the
    // process is about to end.
    void CopyNow();
    // The note is saved, or its changes are given up: its copy is removed, and the note no longer
    // comes back after a restart.
    void Saved();
    // Goes on with a claimed copy's writer: the restored note's copy stays until it is saved.
    void Adopt(std::unique_ptr<CopyWriter> writer);
    // Gives up the name and its copy as they are (a restore that was cancelled): the copy is
    // left for a later start, and the next copy goes under a fresh name.
    void Release();
    // The copy's name in the store; empty before the first copy.
    std::string Name() const;
    // Waits until the worker has written or removed what it was given.
    void Flush();

private:
    void Take();
    bool EnsureWriter();
    void Register(bool withCopy);

    TakeSnapshot take_;
    CopyStore& store_;
    Clock& clock_;
    CopySchedule schedule_;
    std::unique_ptr<CopyWriter> writer_;
    bool unavailable_ = false; // no folder or lock could be had: no copies this run
    bool registered_ = false;  // the system restarts the note with its copy
};

} // namespace recovery
