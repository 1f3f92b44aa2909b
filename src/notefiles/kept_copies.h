#pragma once
// The copy of a file's old bytes that a save writing the file in place keeps until the new bytes
// are on disk, in one known folder, and what a save that never finished left there.
//
// The folder is "Pinlet\Saving" in the user's local application data (%LOCALAPPDATA%). A save
// makes two files in it: a copy ("~pnXXXXXXXX.txt") that holds the file's old bytes exactly, and
// a record ("~pnYYYYYYYY.where", UTF-8 lines) that names the file, the copy and the size and hash
// of the bytes the save writes. Both stay open while the save runs (a record still held is a save
// under way, in this note or another) and are removed once the new bytes are on disk or the old
// ones are back. Should the save die part way (the program killed, the power gone), the next start
// finds them and offers the old bytes back.
#include "storage/new_file.h"
#include "toolkit/base/win_handles.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace notefiles {

// The folder of kept copies, made when first needed.
std::string KeptCopiesFolder();
// For a test: a folder of its own; empty restores the usual one.
void SetKeptCopiesFolder(const std::string& folder);

// What a record says of the bytes a save writes: their size and hash, worked out apart from the
// record's writing (a large note's hash takes as long as copying the old bytes).
struct RecordedBytes {
    static RecordedBytes Of(std::string_view bytes);
    std::string Line; // as the record holds it
};

class KeptCopy {
public:
    // Copies `old`, the bytes of the file at `filePath` (its final path), flushed; WriteRecord
    // then writes the record, flushed, before the file is written. Only the user may read them.
    // Raises EFCreateError for `fileName` (as the user named the file) when either cannot be
    // made, and EWriteError naming the copy or the record when it cannot be written.
    KeptCopy(const std::string& filePath, const std::string& fileName, std::string_view old);
    // The copy and the record of `next`, the bytes the file is written with, at once.
    KeptCopy(const std::string& filePath, const std::string& fileName, std::string_view old,
             std::string_view next);
    void WriteRecord(const RecordedBytes& next);
    KeptCopy(const KeptCopy&) = delete;
    KeptCopy& operator=(const KeptCopy&) = delete;
    // Removes both, unless kept.
    ~KeptCopy();
    // The only whole copy of the old bytes now: left for the next start to offer back.
    void Keep();
    const std::string& Path() const { return copyPath_; }

private:
    std::string filePath_, fileName_, folder_;
    std::unique_ptr<storage::NewFile> copy_, record_; // the record goes first
    std::string copyPath_;
};

// What a save that never finished left: the file it was writing and the copy of the file's old
// bytes. Both held while it exists, so that another note starting meanwhile passes them over.
struct InterruptedSave {
    std::string File;
    std::string Copy;
    std::string Record;
    tk::KernelHandle HeldRecord, HeldCopy;
};

// The saves that ended before finishing and left a copy of old bytes that the file does not hold
// now, nor the bytes the save was writing. Copies whose save did finish (or never began
// writing) are removed on the way; a save still under way is passed over.
std::vector<InterruptedSave> FindInterruptedSaves();

// Writes the old bytes back into the file as a save does (raising what a save raises), then
// removes the copy.
void RestoreInterruptedSave(InterruptedSave& save);

// Removes the copy: the file stays as it is.
void ForgetInterruptedSave(InterruptedSave& save);

} // namespace notefiles
