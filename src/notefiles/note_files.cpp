#include "note_files.h"

#include "error_text.h"
#include "line_breaks.h"
#include "toolkit/exceptions.h"
#include "toolkit/win_handles.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace notefiles {
namespace {

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

std::string FullPath(const std::string& fileName) {
    char buffer[MAX_PATH] = {};
    DWORD length = GetFullPathNameA(fileName.c_str(), MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH) return fileName;
    return std::string(buffer, length);
}

std::string SystemErrorText(DWORD code) {
    char buffer[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                  nullptr, code, 0, buffer, sizeof buffer, nullptr);
    return TrimSystemText(std::string_view(buffer, length));
}

template <typename E>
[[noreturn]] void RaiseFileError(const char* format, const std::string& fileName, DWORD code) {
    throw E(FormatMessageText(format, {FullPath(fileName), SystemErrorText(code)}));
}

// The memo's whole text, fetched in one piece from its control.
std::string MemoText(tk::TMemo& memo) {
    if (!memo.HandleAllocated()) return memo.Text();
    HWND hwnd = memo.Handle();
    auto length = static_cast<size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> buffer(length + 1);
    auto got = static_cast<size_t>(
        SendMessageA(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data())));
    return std::string(buffer.data(), got < length ? got : length);
}

// Whether the memo holds exactly `text`. The length the control reports is never less than its
// text's: a shorter one settles the question without fetching a large text.
bool MemoHolds(tk::TMemo& memo, const std::string& text) {
    if (memo.HandleAllocated() &&
        static_cast<size_t>(SendMessageA(memo.Handle(), WM_GETTEXTLENGTH, 0, 0)) < text.size())
        return false;
    return MemoText(memo) == text;
}

// A file made anew in the target's folder that receives the text; deleted unless it was put in
// place. CREATE_NEW never opens what is already there, file or link, so a name that someone
// else holds is passed over.
class StagingFile {
public:
    explicit StagingFile(const std::string& targetFullPath) {
        for (unsigned attempt = 0; attempt < kStagingAttempts; ++attempt) {
            std::string path = StagingPathFor(targetFullPath, attempt);
            if (path.empty()) {
                error_ = ERROR_FILENAME_EXCED_RANGE;
                return;
            }
            file_ = tk::KernelHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.Valid()) {
                path_ = path;
                return;
            }
            error_ = GetLastError();
            bool taken = error_ == ERROR_FILE_EXISTS || error_ == ERROR_ALREADY_EXISTS ||
                         GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!taken) return;
        }
    }
    StagingFile(const StagingFile&) = delete;
    StagingFile& operator=(const StagingFile&) = delete;
    ~StagingFile() {
        file_ = tk::KernelHandle();
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    bool Created() const { return !path_.empty(); }
    DWORD Error() const { return error_; }
    HANDLE Handle() const { return file_.Get(); }
    const std::string& Path() const { return path_; }
    void Close() { file_ = tk::KernelHandle(); }
    void Committed() { path_.clear(); }

private:
    tk::KernelHandle file_;
    std::string path_;
    DWORD error_ = ERROR_SUCCESS;
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

} // namespace

std::string StagingPathFor(const std::string& targetFullPath, unsigned attempt) {
    size_t slash = targetFullPath.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "" : targetFullPath.substr(0, slash + 1);
    std::string name = targetFullPath.substr(folder.size());
    // Different targets start at different names; each attempt moves on by a large odd step.
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : name)
        hash = (hash ^ c) * 16777619u;
    std::uint32_t value = hash + attempt * 0x9E3779B1u;
    char digits[9];
    wsprintfA(digits, "%08lX", static_cast<unsigned long>(value));

    // "~pn" and five digits with ".tmp"; fewer digits where the folder leaves less room.
    size_t room = MAX_PATH - 1 - std::min<size_t>(folder.size(), MAX_PATH - 1);
    if (room >= 12) return folder + "~pn" + std::string(digits + 3, 5) + ".tmp";
    if (room < 3) return "";
    size_t count = std::min<size_t>(room - 1, 8);
    return folder + "~" + std::string(digits + 8 - count, count);
}

void WriteNoteFile(tk::TMemo& memo, const std::string& fileName) {
    // The target is opened first, exclusively: whatever keeps it from being written is reported
    // before anything is written, and no one else can open it meanwhile.
    TargetFile target(fileName);
    if (!target.Opened())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, target.Error());
    // The file takes the text's place as a whole; a read-only one must refuse that, as it
    // refuses being opened for writing (also where the file system would let it through).
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, ERROR_ACCESS_DENIED);

    std::string text = MemoText(memo);
    // Never written in place: a failure part way would destroy what the file held.
    StagingFile staging(FullPath(fileName));
    if (!staging.Created())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, staging.Error());
    if (!WriteAll(staging.Handle(), text)) throw tk::EWriteError(kStreamWriteError);
    staging.Close();
    target.Close();
    if (!MoveFileExA(staging.Path().c_str(), fileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, GetLastError());
    staging.Committed();
    target.Committed();
}

void ReadNoteFile(tk::TMemo& memo, const std::string& fileName) {
    tk::KernelHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, GetLastError());

    RedrawSuspended redraw(memo);
    LARGE_INTEGER zero{}, position{}, size{};
    SetFilePointerEx(file.Get(), zero, &position, FILE_CURRENT);
    SetFilePointerEx(file.Get(), zero, &size, FILE_END);
    SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN);
    std::int64_t count = size.QuadPart - position.QuadPart;
    if (count < 0 || count > INT32_MAX)
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_FILE_TOO_LARGE);

    // A file that fits the 32-bit count may still not fit the memory left: that is reported
    // like any other file that cannot be read.
    std::string text;
    try {
        text = NormalizeLineBreaks(ReadWhole(file.Get(), count, fileName), IsLeadByte);
        if (MemoHolds(memo, text)) return;
    } catch (const std::bad_alloc&) {
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_NOT_ENOUGH_MEMORY);
    }
    bool taken = false;
    try {
        taken = memo.SetTextSilently(text);
    } catch (const std::bad_alloc&) {
    }
    if (!taken) throw tk::EInvalidOperation(kTextExceedsMemo);
    memo.NotifyChange();
}

} // namespace notefiles
