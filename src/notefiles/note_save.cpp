#include "note_files.h"

#include "note_file_common.h"
#include "toolkit/exceptions.h"

#include <ntsecapi.h>

#include <algorithm>

namespace notefiles {
namespace {

constexpr const char* kStagingNamesTaken =
    "Every name tried for a temporary file beside it is taken";

// The file that `fullPath` leads to in the end, symbolic links and junctions followed; the path
// itself when it names nothing yet or cannot be followed.
std::string FinalPath(const std::string& fullPath) {
    tk::KernelHandle file = OpenToLookAt(fullPath);
    if (!file.Valid()) return fullPath;
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    // Asked again with more room while the answer does not fit (some systems report the length
    // without the NUL then, others with it).
    std::string path(MAX_PATH, '\0');
    for (int tries = 0;; ++tries) {
        DWORD length = GetFinalPathNameByHandleA(file.Get(), path.data(),
                                                 static_cast<DWORD>(path.size()), kFlags);
        if (length == 0 || tries == 3) return fullPath;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(length + 1);
    }
    if (path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + path.substr(8);
    if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
    return path;
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

// A file made anew in the target's folder that receives the text; deleted unless it was put in
// place. CREATE_NEW never opens what is already there, file or link, so a name that someone
// else holds is passed over; the names are unpredictable, so none can be taken in advance.
class StagingFile {
public:
    explicit StagingFile(const std::string& targetFullPath) {
        for (unsigned attempt = 0; attempt < kStagingAttempts; ++attempt) {
            std::string path = StagingPathFor(targetFullPath, StagingRandom());
            if (path.empty()) {
                error_ = SystemErrorText(ERROR_FILENAME_EXCED_RANGE);
                return;
            }
            file_ = tk::KernelHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.Valid()) {
                path_ = path;
                return;
            }
            DWORD code = GetLastError();
            bool taken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
                         GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!taken) {
                error_ = SystemErrorText(code);
                return;
            }
        }
        error_ = kStagingNamesTaken;
    }
    StagingFile(const StagingFile&) = delete;
    StagingFile& operator=(const StagingFile&) = delete;
    ~StagingFile() {
        file_ = tk::KernelHandle();
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    bool Created() const { return !path_.empty(); }
    // Why it could not be created.
    const std::string& Error() const { return error_; }
    HANDLE Handle() const { return file_.Get(); }
    const std::string& Path() const { return path_; }
    void Close() { file_ = tk::KernelHandle(); }
    void Committed() { path_.clear(); }

private:
    tk::KernelHandle file_;
    std::string path_;
    std::string error_;
};

// The target, held open exclusively until the staging file replaces it; removed again when the
// save itself created it and did not go through.
class TargetFile {
public:
    explicit TargetFile(const std::string& path)
        : path_(path), handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        error_ = GetLastError();
        isNew_ = handle_.Valid() && error_ != ERROR_ALREADY_EXISTS;
    }
    TargetFile(const TargetFile&) = delete;
    TargetFile& operator=(const TargetFile&) = delete;
    ~TargetFile() {
        Close();
        if (isNew_) DeleteFileA(path_.c_str());
    }
    bool Opened() const { return handle_.Valid(); }
    DWORD Error() const { return error_; }
    void Close() { handle_ = tk::KernelHandle(); }
    void Committed() { isNew_ = false; }

private:
    std::string path_;
    tk::KernelHandle handle_;
    DWORD error_ = ERROR_SUCCESS;
    bool isNew_ = false;
};

// Writes all bytes with one call and flushes them; false when any of it failed.
bool WriteAll(HANDLE file, const std::string& text) {
    if (!text.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
            written = 0;
        if (written != text.size()) return false;
    }
    return FlushFileBuffers(file) != FALSE;
}

} // namespace

std::string StagingPathFor(const std::string& targetFullPath, std::uint32_t unpredictable) {
    size_t slash = targetFullPath.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "" : targetFullPath.substr(0, slash + 1);
    char digits[9];
    wsprintfA(digits, "%08lX", static_cast<unsigned long>(unpredictable));

    // "~pn", eight digits and ".tmp"; fewer digits where the folder leaves less room.
    size_t room = MAX_PATH - 1 - std::min<size_t>(folder.size(), MAX_PATH - 1);
    if (room >= 15) return folder + "~pn" + digits + ".tmp";
    if (room < 3) return "";
    size_t count = std::min<size_t>(room - 1, 8);
    return folder + "~" + std::string(digits + 8 - count, count);
}

void SetStagingRandomSource(RandomSource source) {
    g_randomSource = source;
}

FileStamp WriteNoteFile(tk::TMemo& memo, const std::string& fileName) {
    RefuseLongName<tk::EFCreateError>(kCannotCreateFile, fileName);
    // Through a link, the file it leads to takes the text and the link stays a link.
    const std::string path = FinalPath(FullPath(fileName));
    if (path.size() >= MAX_PATH)
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, ERROR_FILENAME_EXCED_RANGE);

    // The target is opened first, exclusively: whatever keeps it from being written is reported
    // before anything is written, and no one else can open it meanwhile.
    TargetFile target(path);
    if (!target.Opened())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, target.Error());
    // The file takes the text's place as a whole; a read-only one must refuse that, as it
    // refuses being opened for writing (also where the file system would let it through).
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, ERROR_ACCESS_DENIED);

    std::string text = memo.Text();
    // Never written in place: a failure part way would destroy what the file held.
    StagingFile staging(path);
    if (!staging.Created())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, staging.Error());
    if (!WriteAll(staging.Handle(), text)) throw tk::EWriteError(kStreamWriteError);
    staging.Close();
    target.Close();
    if (!MoveFileExA(staging.Path().c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, GetLastError());
    staging.Committed();
    target.Committed();
    return CurrentFileStamp(path).value_or(FileStamp{});
}

} // namespace notefiles
