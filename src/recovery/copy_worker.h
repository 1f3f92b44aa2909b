#pragma once
// Writes one note's recovery copy on a thread of its own, so that the note's thread only takes
// the text: the text converted to UTF-8 and written a piece at a time (see recovery_format.h)
// into a new file that takes the copy's place once whole. Nothing that goes wrong on the worker
// leaves it: a copy that could not be written is told as failed, with the reason, and the note
// tries again. Needs no operating system: the files are the sink's.
#include "copy_writer.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace recovery {

// Why a copy could not be written, in the system's words.
struct CopyFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where the worker writes: a new file beside the copy, put in the copy's place once whole.
// Begin, Finish and Remove throw CopyFailure when they fail.
class CopySink {
public:
    virtual ~CopySink() = default;
    // Starts a new file; its bytes go to the output returned.
    virtual CopyOutput& Begin() = 0;
    // Writes `header` over the file's first bytes, flushes it and puts it in the copy's place.
    virtual void Finish(std::string_view header) = 0;
    // Drops a file begun and not finished.
    virtual void Abandon() noexcept = 0;
    // Removes the copy.
    virtual void Remove() = 0;
    // Replaces the note's record whole with `bytes` (crash-safely), or removes it.
    virtual void WriteRecord(std::string_view bytes) = 0;
    virtual void RemoveRecord() = 0;
};

class CopyWorker : public CopyWriter {
public:
    CopyWorker(std::string name, std::unique_ptr<CopySink> sink);
    CopyWorker(const CopyWorker&) = delete;
    CopyWorker& operator=(const CopyWorker&) = delete;
    // Lets the worker finish what it writes; the copy stays (the note may be ending unsaved).
    ~CopyWorker() override;

    const std::string& Name() const override { return name_; }
    void Write(RecoveryCopy fields, std::wstring text) override;
    void Remove() override;
    void Flush() override;
    CopyResult Result() override;
    void Record(std::string bytes) override;
    void Unrecord() override;

private:
    void Work();
    void Keep(std::optional<std::string>& record, bool unrecord);
    bool Waiting() const { return pending_ || remove_ || record_ || unrecord_; }

    std::string name_;
    std::unique_ptr<CopySink> sink_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    struct Pending {
        RecoveryCopy Fields;
        std::wstring Text;
    };
    void WriteCopy(Pending& copy, CopyResult& result);
    std::optional<Pending> pending_;
    std::optional<std::string> record_;
    bool remove_ = false, unrecord_ = false, busy_ = false, stop_ = false;
    CopyResult result_;
    std::thread worker_;
};

} // namespace recovery
