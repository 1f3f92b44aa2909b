#include "copy_keeper.h"

namespace recovery {

CopyKeeper::CopyKeeper(TakeSnapshot take, CopyStore& store, Clock& clock)
    : take_(std::move(take)), store_(store), clock_(clock) {}

CopyKeeper::~CopyKeeper() = default;

void CopyKeeper::Changed() {
    if (!unavailable_) schedule_.Changed(clock_.Milliseconds());
}

void CopyKeeper::Tick() {
    if (schedule_.Due(clock_.Milliseconds())) Take();
}

void CopyKeeper::CopyNow() {
    if (schedule_.Pending()) Take();
    Flush();
}

void CopyKeeper::Take() {
    const std::uint64_t started = clock_.Milliseconds();
    if (!EnsureWriter()) {
        schedule_.Clear();
        return;
    }
    NoteSnapshot snapshot = take_();
    snapshot.Fields.TakenAt = clock_.FileTime();
    writer_->Write(std::move(snapshot.Fields), std::move(snapshot.Text));
    Register(true);
    const std::uint64_t now = clock_.Milliseconds();
    schedule_.Copied(now, now - started);
}

void CopyKeeper::Saved() {
    schedule_.Clear();
    if (writer_) writer_->Remove();
    Register(false);
}

void CopyKeeper::Adopt(std::unique_ptr<CopyWriter> writer) {
    writer_ = std::move(writer);
    registered_ = false; // registered anew under this name
    Register(true);
}

void CopyKeeper::Release() {
    schedule_.Clear();
    writer_.reset(); // its lock closes: the copy is an orphan a later start offers
    Register(false);
}

void CopyKeeper::Register(bool withCopy) {
    if (registered_ == withCopy) return;
    store_.RegisterRestart(withCopy ? kRecoverArgument + writer_->Name() : std::string());
    registered_ = withCopy;
}

std::string CopyKeeper::Name() const {
    return writer_ ? writer_->Name() : std::string();
}

void CopyKeeper::Flush() {
    if (writer_) writer_->Flush();
}

bool CopyKeeper::EnsureWriter() {
    if (writer_) return true;
    if (unavailable_) return false;
    writer_ = store_.Fresh();
    unavailable_ = !writer_;
    return !unavailable_;
}

} // namespace recovery
