#include "note_files.h"

#include "error_text.h"
#include "line_breaks.h"
#include "toolkit/exceptions.h"
#include "toolkit/win_handles.h"

#include <cstdint>
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

// A file in the target's folder that receives the text; deleted unless it was put in place.
class StagingFile {
public:
    explicit StagingFile(const std::string& target) {
        std::string full = FullPath(target);
        size_t slash = full.find_last_of("\\/");
        std::string folder = slash == std::string::npos ? "." : full.substr(0, slash + 1);
        char name[MAX_PATH] = {};
        if (GetTempFileNameA(folder.c_str(), "pnl", 0, name)) path_ = name;
    }
    StagingFile(const StagingFile&) = delete;
    StagingFile& operator=(const StagingFile&) = delete;
    ~StagingFile() {
        if (!path_.empty()) DeleteFileA(path_.c_str());
    }
    bool Available() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    void Committed() { path_.clear(); }

private:
    std::string path_;
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

} // namespace

void WriteNoteFile(tk::TMemo& memo, const std::string& fileName) {
    // The target is opened first, exclusively: whatever keeps it from being written is reported
    // before anything is written, and no one else can open it meanwhile.
    tk::KernelHandle target(CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.Valid())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, GetLastError());
    bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    // The file takes the text's place as a whole; a read-only one must refuse that, as it
    // refuses being opened for writing (also where the file system would let it through).
    if (existed && (GetFileAttributesA(fileName.c_str()) & FILE_ATTRIBUTE_READONLY))
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, ERROR_ACCESS_DENIED);
    auto removeIfNew = [&] {
        target = tk::KernelHandle();
        if (!existed) DeleteFileA(fileName.c_str());
    };

    std::string text = MemoText(memo);
    StagingFile staging(fileName);
    if (!staging.Available()) {
        // A folder that takes no new files: the target itself is rewritten in place.
        SetFilePointer(target.Get(), 0, nullptr, FILE_BEGIN);
        SetEndOfFile(target.Get());
        if (!WriteAll(target.Get(), text)) throw tk::EWriteError(kStreamWriteError);
        return;
    }
    {
        tk::KernelHandle file(CreateFileA(staging.Path().c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid() || !WriteAll(file.Get(), text)) {
            removeIfNew();
            throw tk::EWriteError(kStreamWriteError);
        }
    }
    target = tk::KernelHandle();
    if (!MoveFileExA(staging.Path().c_str(), fileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD code = GetLastError();
        if (!existed) DeleteFileA(fileName.c_str());
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, code);
    }
    staging.Committed();
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

    std::string bytes(static_cast<size_t>(count), '\0');
    DWORD read = 0;
    BOOL ok =
        count == 0 || ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(count), &read, nullptr);
    // Only a whole file is shown: a short read is an open failure.
    if (!ok) RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, GetLastError());
    if (read != static_cast<DWORD>(count))
        RaiseFileError<tk::EFOpenError>(kCannotOpenFile, fileName, ERROR_HANDLE_EOF);

    std::string text = NormalizeLineBreaks(bytes, IsLeadByte);
    if (MemoHolds(memo, text)) return;
    if (!memo.SetTextSilently(text)) throw tk::EInvalidOperation(kTextExceedsMemo);
    memo.NotifyChange();
}

} // namespace notefiles
