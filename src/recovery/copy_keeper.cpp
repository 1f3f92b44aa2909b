#include "copy_keeper.h"

namespace recovery {

CopyKeeper::CopyKeeper(TakeSnapshot take, CopyStore& store, Clock& clock, Report report)
    : take_(std::move(take)), store_(store), clock_(clock), report_(std::move(report)) {}

CopyKeeper::~CopyKeeper() = default;

void CopyKeeper::Changed() {
    schedule_.Changed(clock_.Milliseconds());
}

void CopyKeeper::Tick() {
    LearnResult();
    if (schedule_.Due(clock_.Milliseconds())) Take();
}

void CopyKeeper::CopyNow() {
    if (schedule_.Pending()) Take();
    Flush();
    LearnResult();
}

void CopyKeeper::Take() {
    const std::uint64_t started = clock_.Milliseconds();
    if (!EnsureWriter(true)) return;
    NoteSnapshot snapshot = take_();
    snapshot.Fields.TakenAt = clock_.FileTime();
    writer_->Write(std::move(snapshot.Fields), std::move(snapshot.Text));
    inFlight_ = true;
    Register(true);
    const std::uint64_t now = clock_.Milliseconds();
    schedule_.Copied(now, now - started);
}

void CopyKeeper::LearnResult() {
    if (!inFlight_ || !writer_) return;
    const CopyResult result = writer_->Result();
    if (result.Outcome == CopyResult::Busy) return;
    inFlight_ = false;
    if (result.Outcome == CopyResult::Written)
        told_ = false; // a later failure is told again
    else
        Failed(result.Problem);
}

// The copy stays due; the user hears of it once, and the state is settled before the telling,
// which may run a message loop (and this keeper's timer with it).
void CopyKeeper::Failed(const std::string& reason) {
    schedule_.Failed(clock_.Milliseconds());
    if (told_) return;
    told_ = true;
    if (report_) report_(store_.Folder(), reason);
}

void CopyKeeper::Saved() {
    schedule_.Clear();
    inFlight_ = false;
    if (writer_) writer_->Remove();
    Register(false);
}

void CopyKeeper::Adopt(std::unique_ptr<CopyWriter> writer, bool hasCopy) {
    if (writer_ && recorded_) writer_->Unrecord();
    recorded_ = false;
    writer_ = std::move(writer);
    registered_ = !hasCopy; // registered anew under this name
    Register(hasCopy);
}

void CopyKeeper::Record(std::string bytes) {
    if (unrecorded_ || !EnsureWriter(false)) return;
    writer_->Record(std::move(bytes));
    recorded_ = true;
}

void CopyKeeper::Unrecord() {
    unrecorded_ = true;
    if (writer_ && recorded_) writer_->Unrecord();
    recorded_ = false;
}

void CopyKeeper::Release() {
    schedule_.Clear();
    inFlight_ = false;
    if (writer_ && recorded_) writer_->Unrecord(); // recorded again under the next name
    recorded_ = false;
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

// A writer under a fresh name when the note has none; a failure is told (`tell`) as a copy that
// could not be written.
bool CopyKeeper::EnsureWriter(bool tell) {
    if (writer_) return true;
    std::string problem;
    writer_ = store_.Fresh(problem);
    if (writer_) return true;
    if (tell) Failed(problem);
    return false;
}

} // namespace recovery
