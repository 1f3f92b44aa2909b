#pragma once
// Keeps the recovery copy of one unsaved note: a copy falls due as the text changes (see
// CopySchedule), is taken on the window's thread when the window's timer finds it due, and is
// written by a worker; once the note is saved the copy goes. The first copy gives the note its
// name in the recovery folder; while a copy exists, the note is registered to come back with it
// after a restart the system makes.
#include "copy_schedule.h"
#include "recovery_store.h"

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
    explicit CopyKeeper(TakeSnapshot take);
    ~CopyKeeper();

    // The note's text changed: a copy falls due.
    void Changed();
    // Whether a copy is waiting to fall due (the window's timer then keeps calling Tick).
    bool Pending() const { return schedule_.Pending(); }
    // Takes the copy if it is due.
    void Tick();
    // Takes the copy now if one is waiting, however soon, and waits until it is written: the
    // process is about to end.
    void CopyNow();
    // The note is saved, or its changes are given up: its copy is removed, and the note no longer
    // comes back after a restart.
    void Saved();
    // Goes on with a claimed copy's name: the restored note's copy stays until it is saved.
    void Adopt(RecoveryName name);
    // Gives up the name and its copy as they are (a restore that was cancelled): the copy is
    // left for a later start, and the next copy goes under a fresh name.
    void Release();
    // The copy's name in the recovery folder; empty before the first copy.
    std::string Name() const;
    // Waits until the worker has written or removed what it was given.
    void Flush();

private:
    void Take();
    bool EnsureStore();
    void Register(bool withCopy);

    TakeSnapshot take_;
    CopySchedule schedule_;
    std::unique_ptr<NoteRecovery> store_;
    bool unavailable_ = false; // no folder or lock could be had: no copies this run
    bool registered_ = false;  // the system restarts the note with its copy
};

// Tells the system how to start the note again after a restart it makes: with `argument`, or
// not at all when it is empty. Does nothing where the system has no such registration.
void RegisterRestart(const std::string& argument);

} // namespace recovery
