#include "note_files.h"

#include "storage/file_calls.h"
#include "kept_copies.h"
#include "storage/new_file.h"
#include "note_file_common.h"
#include "storage/whole_file.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/text/unicode_text.h"

#include <exception>
#include <optional>
#include <utility>

namespace notefiles {
namespace {

void Delete(const std::string& path) {
    DeleteFileW(tk::Wide(path).c_str());
}

// The old bytes of a file written in place are kept whatever their size, as far as memory holds
// them: a file too large for that is refused, never cut.
constexpr std::uint64_t kAnySize = ~std::uint64_t{0};

const storage::FileCalls& Calls() {
    return storage::CurrentFileCalls();
}

// The target, held open exclusively until the new text has taken its place; removed again when
// the save itself created it and did not go through.
class TargetFile {
public:
    explicit TargetFile(const std::string& path)
        : path_(path), handle_(CreateFileW(tk::Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        error_ = GetLastError();
        isNew_ = handle_.Valid() && error_ != ERROR_ALREADY_EXISTS;
        if (!handle_.Valid()) return;
        if (!isNew_) GetFileInformationByHandle(handle_.Get(), &info_);
        // Through a symbolic link that led nowhere, opening made the file the link names: that
        // file is what the save writes (and removes again should it fail), never the link.
        finalPath_ = storage::FinalPathOf(handle_.Get());
        if (!finalPath_.empty()) path_ = finalPath_;
    }
    TargetFile(const TargetFile&) = delete;
    TargetFile& operator=(const TargetFile&) = delete;
    ~TargetFile() {
        Close();
        if (isNew_) Delete(path_);
    }
    bool Opened() const { return handle_.Valid(); }
    DWORD Error() const { return error_; }
    bool IsNew() const { return isNew_; }
    // Where the file is: the links to it followed.
    const std::string& Path() const { return path_; }
    // What the file was before the save (for a file that existed).
    const BY_HANDLE_FILE_INFORMATION& Info() const { return info_; }
    // Where the system found the file; empty when it could not say.
    const std::string& FinalPath() const { return finalPath_; }
    HANDLE Handle() const { return handle_.Get(); }
    void Close() { handle_ = tk::KernelHandle(); }
    void Committed() { isNew_ = false; }

private:
    std::string path_;
    std::string finalPath_;
    tk::KernelHandle handle_;
    DWORD error_ = ERROR_SUCCESS;
    bool isNew_ = false;
    BY_HANDLE_FILE_INFORMATION info_{};
};

// A message that also says where the old bytes are kept when they could not be put back.
std::string KeptAs(const std::string& message, const std::string& keptPath) {
    return message + ". The previous file is kept as \"" + keptPath + "\"";
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Gives the staging file what the target was: its attributes (Hidden, System, Archive; a
// read-only one never gets this far), its creation time and, where the folder would give the
// new file other permissions, the target's security descriptor (owner, group and access list).
// Best effort: what the file system cannot keep it does not keep.
void TakeOverWhatTheTargetWas(const storage::NewFile& staging, const std::string& targetPath,
                              const BY_HANDLE_FILE_INFORMATION& target) {
    SetFileTime(staging.Handle(), &target.ftCreationTime, nullptr, nullptr);
    constexpr SECURITY_INFORMATION kParts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    auto descriptorOf = [](const std::string& path) {
        const std::wstring name = tk::Wide(path);
        DWORD needed = 0;
        GetFileSecurityW(name.c_str(), kParts, nullptr, 0, &needed);
        std::string descriptor(needed, '\0');
        if (!needed || !GetFileSecurityW(name.c_str(), kParts, descriptor.data(), needed, &needed))
            descriptor.clear();
        return descriptor;
    };
    std::string wanted = descriptorOf(targetPath);
    // Set only where it differs: some file systems keep permissions coarser than a descriptor,
    // and setting one there can change them even when nothing differs.
    if (!wanted.empty() && wanted != descriptorOf(staging.Path())) {
        auto* descriptor = reinterpret_cast<PSECURITY_DESCRIPTOR>(wanted.data());
        const std::wstring name = tk::Wide(staging.Path());
        if (!SetFileSecurityW(name.c_str(), kParts, descriptor))
            SetFileSecurityW(name.c_str(), DACL_SECURITY_INFORMATION, descriptor);
    }
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    DWORD attributes = target.dwFileAttributes & kKept;
    SetFileAttributesW(tk::Wide(staging.Path()).c_str(),
                       attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
}

// Puts the staging file in the existing target's place with ReplaceFile, which keeps the
// target's identity where the system can. The target goes to a backup name first; whatever step
// fails, the old file is put back under its own name, and no backup is left.
void ReplaceTarget(storage::NewFile& staging, const std::string& path, const std::string& fileName) {
    std::string backup;
    {
        storage::NewFile name(FolderOf(path)); // an unused name, made and freed for the backup
        if (!name.Created())
            RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, name.Reason());
        backup = name.Path();
    }
    if (Calls().replaceFile(
            tk::Wide(path).c_str(), tk::Wide(staging.Path()).c_str(), tk::Wide(backup).c_str(),
            REPLACEFILE_WRITE_THROUGH | REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        staging.Keep();
        Delete(backup);
        return;
    }
    DWORD error = GetLastError();
    const bool targetGone = !storage::Exists(path);
    const bool backupMade = storage::Exists(backup);
    if (targetGone && backupMade) {
        if (!Calls().moveFileEx(tk::Wide(backup).c_str(), tk::Wide(path).c_str(),
                                MOVEFILE_WRITE_THROUGH)) {
            // The old file is whole under the backup name: left there, and said so.
            RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName,
                                              KeptAs(storage::SystemErrorText(error), backup));
        }
    } else if (backupMade) {
        Delete(backup);
    }
    RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, error);
}

// The old bytes of a target written in place, read and copied to a kept copy on a thread of their
// own while the caller makes the new bytes (fetching and converting a large note's text takes as
// long); whatever reading or copying raised is raised where they are waited for. Once released,
// the thread drops the copy (removing it unless kept) and the old bytes, while the caller goes on
// with the file it wrote; it is waited for when this is dropped.
class OldBytesKept {
public:
    OldBytesKept(TargetFile& target, const std::string& fileName)
        : target_(target), fileName_(fileName), kept_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          released_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_(kept_.Valid() && released_.Valid()
                      ? CreateThread(nullptr, 0, KeepOnThread, this, 0, nullptr)
                      : nullptr) {
        if (!thread_.Valid()) Keep(); // no thread to be had: kept right away
    }
    OldBytesKept(const OldBytesKept&) = delete;
    OldBytesKept& operator=(const OldBytesKept&) = delete;
    ~OldBytesKept() {
        Release();
        Join();
    }

    KeptCopy& Wait() {
        if (thread_.Valid()) WaitForSingleObject(kept_.Get(), INFINITE);
        if (error_) std::rethrow_exception(error_);
        return *copy_;
    }
    const std::string& Old() const { return old_; }
    // The copy and the old bytes are no longer looked at: they go, on the thread where there is one.
    void Release() {
        if (thread_.Valid())
            SetEvent(released_.Get());
        else
            Drop();
    }

private:
    static DWORD WINAPI KeepOnThread(void* self) {
        auto& kept = *static_cast<OldBytesKept*>(self);
        kept.Keep();
        SetEvent(kept.kept_.Get());
        WaitForSingleObject(kept.released_.Get(), INFINITE);
        kept.Drop();
        return 0;
    }
    void Keep() noexcept {
        try {
            std::uint64_t size = 0;
            if (DWORD error = storage::ReadWholeFile(target_.Handle(), kAnySize, old_, size))
                RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName_, error);
            copy_.emplace(target_.Path(), fileName_, old_);
        } catch (...) {
            error_ = std::current_exception();
        }
    }
    void Drop() noexcept {
        copy_.reset();
        old_ = std::string();
    }
    void Join() {
        if (thread_.Valid()) WaitForSingleObject(thread_.Get(), INFINITE);
        thread_ = tk::KernelHandle();
    }

    TargetFile& target_;
    const std::string fileName_;
    std::string old_;
    std::optional<KeptCopy> copy_;
    std::exception_ptr error_;
    tk::KernelHandle kept_;     // set once the copy is made (or failed)
    tk::KernelHandle released_; // set once the caller is done with it
    tk::KernelHandle thread_; // last: it starts once all else is there
};

// Writes the text into the target itself: under Wine always (only the old file keeps its Unix
// permissions), elsewhere for a file that has other names (hard links) or whose folder lets no
// new file be made (a new file would part it from them). The old bytes go to a kept copy first,
// flushed; should overwriting fail, they are written back and the usual error raised. The copy is
// removed in the end, unless the old bytes could not be put back: then it is all that holds them,
// and it stays where the next start finds it. Should the program die meanwhile, it is there too.
void WriteInPlace(TargetFile& target, std::optional<OldBytesKept>& kept, std::string_view text,
                  const std::string& fileName) {
    const RecordedBytes next = RecordedBytes::Of(text); // while the old bytes are being kept
    if (!kept) kept.emplace(target, fileName);
    KeptCopy& copy = kept->Wait();
    copy.WriteRecord(next);
    DWORD error = storage::WriteWhole(target.Handle(), text);
    if (!error) return kept->Release();
    if (!storage::WriteWhole(target.Handle(), kept->Old()))
        RaiseFileError<tk::EWriteError>(notetext::kCannotWriteFile, fileName, error);
    copy.Keep(); // the only whole copy of the old bytes now
    RaiseFileError<tk::EWriteError>(notetext::kCannotWriteFile, fileName,
                                    KeptAs(storage::SystemErrorText(error), copy.Path()));
}

// Writes the text to a new file beside the target and puts it in the target's place: a failure
// part way never touches what the target held.
void WriteThroughStaging(TargetFile& target, std::optional<OldBytesKept>& kept,
                         std::string_view text, const std::string& fileName) {
    storage::NewFile staging(FolderOf(target.Path()));
    if (!staging.Created() && staging.Refused() && !target.IsNew())
        return WriteInPlace(target, kept, text, fileName);
    if (!staging.Created())
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, staging.Reason());
    if (DWORD error = storage::WriteWhole(staging.Handle(), text))
        RaiseFileError<tk::EWriteError>(notetext::kCannotWriteFile, fileName, error);
    if (!target.IsNew()) TakeOverWhatTheTargetWas(staging, target.Path(), target.Info());
    staging.Close();
    target.Close();
    if (!target.IsNew()) return ReplaceTarget(staging, target.Path(), fileName);
    // Moved onto the file that opening the target made (never onto a link: that would replace
    // the link itself).
    if (!Calls().moveFileEx(tk::Wide(staging.Path()).c_str(), tk::Wide(target.Path()).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, GetLastError());
    staging.Keep();
}

} // namespace

struct NoteFileWrite::Target {
    explicit Target(const std::string& name) : fileName(name), file(storage::FullPath(name)) {}
    const std::string fileName;
    TargetFile file;
    std::optional<OldBytesKept> kept; // dropped before the file closes
};

NoteFileWrite::NoteFileWrite(const std::string& fileName) {
    RefuseLongName<tk::EFCreateError>(notetext::kCannotCreateFile, fileName);
    // A device, a folder or a pipe is refused before anything opens it.
    RefuseWhatIsNotAFile<tk::EFCreateError>(notetext::kCannotCreateFile, fileName);

    // The target is opened first, exclusively: whatever keeps it from being written is reported
    // before anything is written, and no one else can open it meanwhile. Through a link, the file
    // it leads to takes the text and the link stays a link.
    target_ = std::make_unique<Target>(fileName);
    TargetFile& target = target_->file;
    if (!target.Opened())
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, target.Error());
    if (!storage::IsDiskFile(target.Handle()))
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, notetext::kNotAFile);
    if (storage::PathLength(target.Path()) >= MAX_PATH)
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, ERROR_FILENAME_EXCED_RANGE);
    // A read-only file refuses being written, as it refuses being opened for writing (also where
    // the file system would let it through).
    if (!target.IsNew() && (target.Info().dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, ERROR_ACCESS_DENIED);

    writesInPlace_ =
        !target.IsNew() && (Calls().writeExistingInPlace || target.Info().nNumberOfLinks > 1);
    if (writesInPlace_) target_->kept.emplace(target, fileName);
}

NoteFileWrite::~NoteFileWrite() = default;

std::optional<storage::FileStamp> NoteFileWrite::Before() const {
    const TargetFile& target = target_->file;
    if (target.IsNew()) return std::nullopt;
    return storage::StampFrom(target.Info(), target.FinalPath());
}

storage::FileStamp NoteFileWrite::Finish(std::string_view bytes) {
    TargetFile& target = target_->file;
    // A file rewritten in place keeps its volume and index: its stamp is the one taken before,
    // with the size and time it has once closed. A staged write makes a new file, looked at anew.
    std::optional<storage::FileStamp> before =
        writesInPlace_ ? Before() : std::optional<storage::FileStamp>{};
    if (writesInPlace_)
        WriteInPlace(target, target_->kept, bytes, target_->fileName);
    else
        WriteThroughStaging(target, target_->kept, bytes, target_->fileName);
    target.Committed();
    // Looked at once closed: only then is its last-write time sure to be the one it keeps.
    target.Close();
    if (before)
        if (std::optional<storage::FileStamp> stamp =
                storage::StampRewritten(target.Path(), std::move(*before)))
            return *stamp;
    return CurrentFileStamp(target.Path()).value_or(storage::FileStamp{});
}

storage::FileStamp WriteNoteFile(const std::string& fileName, std::string_view bytes) {
    return NoteFileWrite(fileName).Finish(bytes);
}

} // namespace notefiles
