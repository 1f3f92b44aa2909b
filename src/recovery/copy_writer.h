#pragma once
// What the keeper of a note's recovery copy needs of the world, as interfaces: where copies are
// written (a folder of copies, each under a name of its own with a lock its note holds), and the
// time. The system's own are in recovery_store.h; tests give their own. Needs no operating system.
#include "recovery_format.h"

#include <cstdint>
#include <memory>
#include <string>

namespace recovery {

// The argument that starts the program with a copy: "<recover>" and the copy's name. The angle
// brackets are never part of a file name.
inline constexpr const char* kRecoverArgument = "<recover>";

// What became of the newest copy handed over: still being written, written, or failed (with the
// reason).
struct CopyResult {
    enum State { Busy, Written, Failed } Outcome = Written;
    std::string Problem;
};

// One note's copy under its name: written on a worker, removed when the note no longer needs it.
class CopyWriter {
public:
    virtual ~CopyWriter() = default;
    virtual const std::string& Name() const = 0;
    // Hands a copy over to be written, its text still as the memo holds it; one not yet written
    // is replaced by the newer one.
    virtual void Write(RecoveryCopy fields, std::wstring text) = 0;
    // The copy is no longer needed: a copy waiting to be written is dropped and the file removed.
    virtual void Remove() = 0;
    // Waits until everything handed over is written or removed.
    virtual void Flush() = 0;
    virtual CopyResult Result() = 0;
    // The note's record of its place on the desktop, under the same name: replaced whole, in
    // the order handed over, after the copy; and removed when the note really closes.
    virtual void Record(std::string bytes) = 0;
    virtual void Unrecord() = 0;
};

// Where copies go.
class CopyStore {
public:
    virtual ~CopyStore() = default;
    // A writer under a fresh name, its lock taken; none when the folder or the lock could not be
    // had, and `problem` says why.
    virtual std::unique_ptr<CopyWriter> Fresh(std::string& problem) = 0;
    // Where copies go (to tell the user, should they not go).
    virtual std::string Folder() const = 0;
    // Tells the system how to start the note again after a restart it makes: with `argument`, or
    // not at all when it is empty.
    virtual void RegisterRestart(const std::string& argument) = 0;
};

// Steady milliseconds, to time copies, and the wall-clock time a copy was taken at.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t Milliseconds() = 0;
    virtual std::uint64_t FileTime() = 0; // 100 ns since 1601
};

} // namespace recovery
