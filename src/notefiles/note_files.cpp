#include "note_files.h"

#include "error_text.h"
#include "line_breaks.h"
#include "note_text_limits.h"
#include "toolkit/exceptions.h"
#include "toolkit/win_handles.h"

#include <ntsecapi.h>

#include <algorithm>
#include <new>

namespace notefiles {
namespace {

// Reasons of our own, where no system error code says what went wrong.
constexpr const char* kContainsNul = "The file contains NUL characters";
constexpr const char* kLineTooLong = "A line of the file is too long for the note";
constexpr const char* kStagingNamesTaken =
    "Every name tried for a temporary file beside it is taken";

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

// The full path of `fileName`, however long.
std::string FullPath(const std::string& fileName) {
    DWORD needed = GetFullPathNameA(fileName.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return fileName;
    std::string path(needed, '\0');
    DWORD length = GetFullPathNameA(fileName.c_str(), needed, path.data(), nullptr);
    if (length == 0 || length >= needed) return fileName;
    path.resize(length);
    return path;
}

// The system's text for an error code; the code itself where the system has no text for it.
std::string SystemErrorText(DWORD code) {
    char buffer[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
    return SystemReason(std::string_view(buffer, length), code);
}

template <typename E>
[[noreturn]] void RaiseFileError(const char* format, const std::string& fileName,
                                 const std::string& reason) {
    throw E(FormatMessageText(format, {FullPath(fileName), reason}));
}

template <typename E>
[[noreturn]] void RaiseFileError(const char* format, const std::string& fileName, DWORD code) {
    RaiseFileError<E>(format, fileName, SystemErrorText(code));
}

// The ANSI file functions take paths of fewer than MAX_PATH characters; some systems take a
// little more, so a longer one is refused here, before anything is touched, on every system.
template <typename E> void RefuseLongName(const char* format, const std::string& fileName) {
    if (FullPath(fileName).size() >= MAX_PATH)
        RaiseFileError<E>(format, fileName, ERROR_FILENAME_EXCED_RANGE);
}

// An existing file, opened only to look at it, shared with everyone.
tk::KernelHandle OpenToLookAt(const std::string& path) {
    return tk::KernelHandle(CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<FileStamp> StampOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    return FileStamp{join(info.nFileSizeHigh, info.nFileSizeLow),
                     join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)};
}

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

// Redrawing of the memo is off while its text is replaced, and it is repainted once after.
class RedrawSuspended {
public:
    explicit RedrawSuspended(tk::TMemo& memo) : memo_(memo) {
        if (memo_.HandleAllocated()) SendMessageA(memo_.Handle(), WM_SETREDRAW, FALSE, 0);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;
    ~RedrawSuspended() {
        if (!memo_.HandleAllocated()) return;
        HWND hwnd = memo_.Handle();
        SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
        // Turning redrawing on shows the window; a hidden memo stays hidden.
        ShowWindow(hwnd, memo_.Visible() ? SW_SHOWNA : SW_HIDE);
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

private:
    tk::TMemo& memo_;
};

// The `count` bytes of the file from its current position, read with one call; only a whole
// file is shown, so a short read is an open failure.
std::string ReadWhole(HANDLE file, std::int64_t count, const std::string& fileName) {
    std::string bytes(static_cast<size_t>(count), '\0');
    DWORD read = 0;
    BOOL ok = count == 0 || ReadFile(file, bytes.data(), static_cast<DWORD>(count), &read, nullptr);
    if (!ok) RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, GetLastError());
    if (read != static_cast<DWORD>(count))
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_HANDLE_EOF);
    return bytes;
}

// The file's text as the memo takes it, line breaks made CR LF; refused with EFOpenError when it
// holds a NUL byte (the memo would show and save only what comes before it), or when it is
// larger or has a longer line than the memo takes reliably.
std::string NoteTextOf(HANDLE file, const std::string& fileName) {
    LARGE_INTEGER zero{}, position{}, size{};
    SetFilePointerEx(file, zero, &position, FILE_CURRENT);
    SetFilePointerEx(file, zero, &size, FILE_END);
    SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
    std::int64_t count = size.QuadPart - position.QuadPart;
    if (count < 0 || static_cast<std::uint64_t>(count) > kLargestNoteText)
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
    try {
        std::string bytes = ReadWhole(file, count, fileName);
        if (bytes.find('\0') != std::string::npos)
            RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, kContainsNul);
        if (LongestLine(bytes) > kLongestNoteLine)
            RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, kLineTooLong);
        std::string text = NormalizeLineBreaks(bytes, IsLeadByte);
        if (text.size() > kLargestNoteText)
            RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
        return text;
    } catch (const std::bad_alloc&) {
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
    }
}

// Whether the memo holds exactly `text`. The length the control reports is never less than its
// text's: a shorter one settles the question without fetching a large text.
bool MemoHolds(const tk::TMemo& memo, const std::string& text) {
    return memo.TextLength() >= text.size() && memo.Text() == text;
}

// Whether the memo holds `length` bytes. In a double-byte code page the control may report an
// upper bound; the text itself then settles it.
bool MemoHoldsLength(const tk::TMemo& memo, size_t length) {
    return memo.TextLength() == length || memo.Text().size() == length;
}

// Hands the whole text to the memo. When the memo refuses it or takes only part of it (its
// memory can run out while it takes a large text, without saying so), it is given back the text
// it had, `before`, and EInvalidOperation is raised.
void PutIntoMemo(tk::TMemo& memo, const std::string& text, const std::string& before) {
    const bool modified = memo.Modified();
    bool whole = false;
    try {
        whole = memo.SetTextSilently(text) && MemoHoldsLength(memo, text.size());
    } catch (const std::bad_alloc&) {
    }
    if (whole) return;
    if (!MemoHoldsLength(memo, before.size())) memo.SetTextSilently(before);
    memo.SetModified(modified);
    throw tk::EInvalidOperation(kTextExceedsMemo);
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

std::optional<FileStamp> CurrentFileStamp(const std::string& fileName) {
    tk::KernelHandle file = OpenToLookAt(fileName);
    if (!file.Valid()) return std::nullopt;
    return StampOf(file.Get());
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

FileStamp ReadNoteFile(tk::TMemo& memo, const std::string& fileName) {
    RefuseLongName<tk::EFOpenError>(kCannotOpenFile, fileName);
    tk::KernelHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, GetLastError());
    const FileStamp stamp = StampOf(file.Get()).value_or(FileStamp{});

    RedrawSuspended redraw(memo);
    const std::string text = NoteTextOf(file.Get(), fileName);
    std::string before; // what the memo holds, to give back should it take only part
    try {
        if (MemoHolds(memo, text)) return stamp;
        before = memo.Text();
    } catch (const std::bad_alloc&) {
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
    }
    PutIntoMemo(memo, text, before);
    memo.NotifyChange();
    return stamp;
}

} // namespace notefiles
