#include "note_files.h"

#include "file_calls.h"
#include "note_file_common.h"
#include "toolkit/exceptions.h"
#include "toolkit/unicode_text.h"

#include <ntsecapi.h>

#include <algorithm>
#include <optional>

namespace notefiles {
namespace {

constexpr const char* kStagingNamesTaken =
    "Every name tried for a temporary file beside it is taken";

// The file that `fullPath` leads to in the end, symbolic links and junctions followed; the path
// itself when it names nothing yet or cannot be followed.
std::string FinalPath(const std::string& fullPath) {
    tk::KernelHandle file = OpenToLookAt(fullPath);
    std::string final = file.Valid() ? FinalPathOf(file.Get()) : std::string();
    return final.empty() ? fullPath : final;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(tk::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Delete(const std::string& path) {
    DeleteFileW(tk::Wide(path).c_str());
}

RandomSource g_randomSource = nullptr;

std::uint32_t SystemRandom() {
    std::uint32_t value = 0;
    if (RtlGenRandom(&value, sizeof value)) return value;
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<std::uint32_t>(counter.QuadPart) ^ (GetCurrentProcessId() << 16);
}

std::uint32_t StagingRandom() {
    return g_randomSource ? g_randomSource() : SystemRandom();
}

const FileCalls kSystemCalls;
const FileCalls* g_calls = &kSystemCalls;

// A file made anew under an unpredictable name in `folder` (ending in a separator); deleted unless
// it was put in place or kept. CREATE_NEW never opens what is already there, file or link, so a
// name that someone else holds is passed over, and none can be taken in advance.
class NewFile {
public:
    explicit NewFile(const std::string& folderOfPath) {
        for (unsigned attempt = 0; attempt < kStagingAttempts; ++attempt) {
            std::string path = StagingPathFor(folderOfPath, StagingRandom());
            if (path.empty()) {
                error_ = ERROR_FILENAME_EXCED_RANGE;
                return;
            }
            file_ = tk::KernelHandle(
                g_calls->createFile(tk::Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.Valid()) {
                path_ = path;
                return;
            }
            error_ = GetLastError();
            bool taken =
                error_ == ERROR_FILE_EXISTS || error_ == ERROR_ALREADY_EXISTS || Exists(path);
            if (!taken) return;
        }
        allTaken_ = true;
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() {
        file_ = tk::KernelHandle();
        if (!path_.empty()) Delete(path_);
    }
    bool Created() const { return !path_.empty(); }
    // Why it could not be made: every name taken, or the system's error code.
    std::string Reason() const { return allTaken_ ? kStagingNamesTaken : SystemErrorText(error_); }
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

// The target, held open exclusively until the new text has taken its place; removed again when
// the save itself created it and did not go through.
class TargetFile {
public:
    explicit TargetFile(const std::string& path)
        : path_(path), handle_(CreateFileW(tk::Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        error_ = GetLastError();
        isNew_ = handle_.Valid() && error_ != ERROR_ALREADY_EXISTS;
        if (handle_.Valid() && !isNew_) GetFileInformationByHandle(handle_.Get(), &info_);
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
    // What the file was before the save (for a file that existed).
    const BY_HANDLE_FILE_INFORMATION& Info() const { return info_; }
    HANDLE Handle() const { return handle_.Get(); }
    void Close() { handle_ = tk::KernelHandle(); }
    void Committed() { isNew_ = false; }

private:
    std::string path_;
    tk::KernelHandle handle_;
    DWORD error_ = ERROR_SUCCESS;
    bool isNew_ = false;
    BY_HANDLE_FILE_INFORMATION info_{};
};

// Writes all bytes with one call from the file's start, ends the file there and flushes it;
// false when any of it failed.
bool WriteWhole(HANDLE file, std::string_view bytes) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
    if (!bytes.empty()) {
        DWORD written = 0;
        if (!g_calls->writeFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                nullptr))
            written = 0;
        if (written != bytes.size()) return false;
    }
    return g_calls->setEndOfFile(file) && g_calls->flushFileBuffers(file);
}

// The file's whole content, read through `file` from its start: 0, or why it could not be read.
DWORD ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER start{}, size{};
    if (!GetFileSizeEx(file, &size) || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return GetLastError();
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    return ReadExactly(file, bytes);
}

// A message that also says where the old bytes are kept when they could not be put back.
std::string KeptAs(const std::string& message, const std::string& keptPath) {
    return message + ". The previous file is kept as \"" + keptPath + "\"";
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string TempFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? tk::Utf8(std::wstring_view(folder, length))
                                            : std::string();
}

// Gives the staging file what the target was: its attributes (Hidden, System, Archive; a
// read-only one never gets this far), its creation time and, where the folder would give the
// new file other permissions, the target's security descriptor (owner, group and access list).
// Best effort: what the file system cannot keep it does not keep.
void TakeOverWhatTheTargetWas(const NewFile& staging, const std::string& targetPath,
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
void ReplaceTarget(NewFile& staging, const std::string& path, const std::string& fileName) {
    std::string backup;
    {
        NewFile name(FolderOf(path)); // an unused name, made and freed for the backup
        if (!name.Created())
            RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, name.Reason());
        backup = name.Path();
    }
    if (g_calls->replaceFile(
            tk::Wide(path).c_str(), tk::Wide(staging.Path()).c_str(), tk::Wide(backup).c_str(),
            REPLACEFILE_WRITE_THROUGH | REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        staging.Keep();
        Delete(backup);
        return;
    }
    DWORD error = GetLastError();
    const bool targetGone = !Exists(path);
    const bool backupMade = Exists(backup);
    if (targetGone && backupMade) {
        if (!g_calls->moveFileEx(tk::Wide(backup).c_str(), tk::Wide(path).c_str(),
                                 MOVEFILE_WRITE_THROUGH)) {
            // The old file is whole under the backup name: left there, and said so.
            RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName,
                                              KeptAs(SystemErrorText(error), backup));
        }
    } else if (backupMade) {
        Delete(backup);
    }
    RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, error);
}

// Writes the text into the target itself, for a file that has other names (hard links) or whose
// folder lets no new file be made: a new file would part it from them. The old bytes go to a copy
// first (beside the target, or in the temporary folder), flushed; should overwriting fail, they
// are written back and the usual error raised. The copy is removed in the end, unless the old
// bytes could not be put back: then it is all that holds them.
void WriteInPlace(TargetFile& target, std::string_view text, const std::string& path,
                  const std::string& fileName) {
    std::string old;
    if (DWORD error = ReadAll(target.Handle(), old))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, error);
    std::optional<NewFile> copy(std::in_place, FolderOf(path));
    if (!copy->Created() && copy->Refused()) copy.emplace(TempFolder());
    if (!copy->Created())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, copy->Reason());
    if (!WriteWhole(copy->Handle(), old)) throw tk::EWriteError(kStreamWriteError);
    copy->Close();
    if (WriteWhole(target.Handle(), text)) return;
    if (WriteWhole(target.Handle(), old)) throw tk::EWriteError(kStreamWriteError);
    std::string kept = copy->Path();
    copy->Keep(); // the only whole copy of the old bytes now
    throw tk::EWriteError(KeptAs(kStreamWriteError, kept));
}

} // namespace

std::string StagingPathFor(const std::string& targetFullPath, std::uint32_t unpredictable) {
    size_t slash = targetFullPath.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "" : targetFullPath.substr(0, slash + 1);
    char digits[9];
    wsprintfA(digits, "%08lX", static_cast<unsigned long>(unpredictable));

    // "~pn", eight digits and ".tmp"; fewer digits where the folder leaves less room.
    size_t room = MAX_PATH - 1 - std::min<size_t>(PathLength(folder), MAX_PATH - 1);
    if (room >= 15) return folder + "~pn" + digits + ".tmp";
    if (room < 3) return "";
    size_t count = std::min<size_t>(room - 1, 8);
    return folder + "~" + std::string(digits + 8 - count, count);
}

void SetStagingRandomSource(RandomSource source) {
    g_randomSource = source;
}

void UseFileCalls(const FileCalls* calls) {
    g_calls = calls ? calls : &kSystemCalls;
}

FileStamp WriteNoteFile(const std::string& fileName, std::string_view text) {
    RefuseLongName<tk::EFCreateError>(kCannotCreateFile, fileName);
    // A device, a folder or a pipe is refused before anything opens it.
    RefuseWhatIsNotAFile<tk::EFCreateError>(kCannotCreateFile, fileName);
    // Through a link, the file it leads to takes the text and the link stays a link.
    const std::string path = FinalPath(FullPath(fileName));
    if (PathLength(path) >= MAX_PATH)
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, ERROR_FILENAME_EXCED_RANGE);

    // The target is opened first, exclusively: whatever keeps it from being written is reported
    // before anything is written, and no one else can open it meanwhile.
    TargetFile target(path);
    if (!target.Opened())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, target.Error());
    if (!IsDiskFile(target.Handle()))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, kNotAFile);
    // A read-only file refuses being written, as it refuses being opened for writing (also where
    // the file system would let it through).
    if (!target.IsNew() && (target.Info().dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, ERROR_ACCESS_DENIED);

    if (!target.IsNew() && target.Info().nNumberOfLinks > 1) {
        WriteInPlace(target, text, path, fileName);
    } else {
        // Written beside the target first: a failure part way never destroys what it held.
        NewFile staging(FolderOf(path));
        if (!staging.Created() && staging.Refused() && !target.IsNew()) {
            WriteInPlace(target, text, path, fileName);
        } else {
            if (!staging.Created())
                RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, staging.Reason());
            if (!WriteWhole(staging.Handle(), text)) throw tk::EWriteError(kStreamWriteError);
            if (!target.IsNew()) TakeOverWhatTheTargetWas(staging, path, target.Info());
            staging.Close();
            target.Close();
            if (!target.IsNew()) {
                ReplaceTarget(staging, path, fileName);
            } else {
                if (!g_calls->moveFileEx(tk::Wide(staging.Path()).c_str(), tk::Wide(path).c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                    RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, GetLastError());
                staging.Keep();
            }
        }
    }
    target.Committed();
    target.Close();
    return CurrentFileStamp(path).value_or(FileStamp{});
}

} // namespace notefiles
