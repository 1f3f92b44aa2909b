#pragma once
// Files that a save makes anew under names of its own: staging files, backup names and kept
// copies, each created exclusively under an unpredictable name.
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace storage {

// The path of a staging file for `targetFullPath`, in the target's folder and short enough for
// the ANSI path limit, its name made from `unpredictable`; empty when the folder leaves no room
// for one. A new file tries up to kStagingAttempts such names, each from fresh random bits.
std::string StagingPathFor(const std::string& targetFullPath, std::uint32_t unpredictable);
inline constexpr unsigned kStagingAttempts = 64;

// Where the random bits of staging names come from: the system's generator, or for a test a
// source of its own (nullptr restores the system's).
using RandomSource = std::uint32_t (*)();
void SetStagingRandomSource(RandomSource source);

// A file made anew under an unpredictable name in a folder; deleted unless it was put in place or
// kept. CREATE_NEW never opens what is already there, file or link, so a name that someone else
// holds is passed over, and none can be taken in advance.
class NewFile {
public:
    // In `folder` (ending in a separator), named as StagingPathFor makes names, with `extension`
    // instead of ".tmp" where the name has one. Others may read it while it is open (`share`).
    explicit NewFile(const std::string& folder, std::string_view extension = ".tmp",
                     DWORD share = 0, LPSECURITY_ATTRIBUTES security = nullptr);
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();
    bool Created() const { return !path_.empty(); }
    // Why it could not be made: every name taken, or the system's error code.
    std::string Reason() const;
    // The folder does not let us make files in it.
    bool Refused() const { return !allTaken_ && error_ == ERROR_ACCESS_DENIED; }
    HANDLE Handle() const { return file_.Get(); }
    const std::string& Path() const { return path_; }
    void Close() { file_ = tk::KernelHandle(); }
    // It is in place, or holds what must outlive the save: no longer deleted.
    void Keep() { path_.clear(); }

private:
    tk::KernelHandle file_;
    std::string path_;
    DWORD error_ = ERROR_SUCCESS;
    bool allTaken_ = false;
};

} // namespace storage
