#include "copy_worker.h"

#include <new>
#include <utility>

namespace recovery {

namespace {
// The reasons told to the user (in the note's language) when no system error names one.
constexpr const char* kNoMemory = "Nincs elég memória."; // "Not enough memory."
constexpr const char* kUnknownFailure = "Ismeretlen hiba."; // "Unknown failure."
} // namespace

CopyWorker::CopyWorker(std::string name, std::unique_ptr<CopySink> sink)
    : name_(std::move(name)), sink_(std::move(sink)), worker_([this] { Work(); }) {}

CopyWorker::~CopyWorker() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void CopyWorker::Write(RecoveryCopy fields, std::wstring text) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = Pending{std::move(fields), std::move(text)};
        remove_ = false;
    }
    wake_.notify_all();
}

void CopyWorker::Remove() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.reset();
        remove_ = true;
    }
    wake_.notify_all();
}

void CopyWorker::Record(std::string bytes) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        record_ = std::move(bytes);
        unrecord_ = false;
    }
    wake_.notify_all();
}

void CopyWorker::Unrecord() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        record_.reset();
        unrecord_ = true;
    }
    wake_.notify_all();
}

void CopyWorker::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !Waiting() && !busy_; });
}

CopyResult CopyWorker::Result() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (pending_ || busy_) return {CopyResult::Busy, {}};
    return result_;
}

// Whatever fails (a full disk, no memory for a piece), the copy is told as failed and the note
// tries again: an exception leaving this thread would end the process.
void CopyWorker::WriteCopy(Pending& copy, CopyResult& result) {
    try {
        CopyOutput& out = sink_->Begin();
        sink_->Finish(WriteRecoveryCopy(copy.Fields, Utf16CopyText(copy.Text), out));
        return;
    } catch (const std::bad_alloc&) {
        result = {CopyResult::Failed, kNoMemory};
    } catch (const std::exception& failure) {
        result = {CopyResult::Failed, failure.what()};
    } catch (...) {
        result = {CopyResult::Failed, kUnknownFailure};
    }
    sink_->Abandon();
}

// A record that could not be written is written again with the next change of place; until
// then the last one written stands.
void CopyWorker::Keep(std::optional<std::string>& record, bool unrecord) {
    try {
        if (record)
            sink_->WriteRecord(*record);
        else if (unrecord)
            sink_->RemoveRecord();
    } catch (...) {
    }
}

void CopyWorker::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || Waiting(); });
        if (!Waiting()) return; // stopping, nothing left
        std::optional<Pending> copy = std::exchange(pending_, std::nullopt);
        const bool remove = std::exchange(remove_, false);
        std::optional<std::string> record = std::exchange(record_, std::nullopt);
        const bool unrecord = std::exchange(unrecord_, false);
        busy_ = true;
        lock.unlock();
        CopyResult result;
        const bool wrote = copy.has_value();
        if (wrote) {
            WriteCopy(*copy, result);
            copy.reset(); // the text goes now, not when the next copy comes
        } else if (remove) {
            try {
                sink_->Remove();
            } catch (...) {
                // A copy that stays is offered at the next start; the note saved its text anyway.
            }
        }
        Keep(record, unrecord);
        lock.lock();
        if (wrote) result_ = std::move(result);
        busy_ = false;
        idle_.notify_all();
    }
}

} // namespace recovery
