#include "recovery_store.h"

#include "copy_worker.h"

#include "storage/file_access.h"
#include "toolkit/base/file_time.h"
#include "storage/new_file.h"
#include "storage/private_files.h"
#include "storage/whole_file.h"
#include "toolkit/text/unicode_text.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cwchar>

namespace recovery {
namespace {

constexpr const char* kCopySuffix = ".copy";
constexpr const char* kLockSuffix = ".lock";
constexpr const char* kPlaceSuffix = ".place";
constexpr const char* kNamePrefix = "note-";
// Names the lock handle a note hands to the program it starts for a copy.
constexpr const wchar_t* kLockVariable = L"PINLET_RECOVERY_LOCK";

std::wstring W(const std::string& path) {
    return tk::Wide(path);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Whether `name` is one this program gives: nothing that could lead out of the folder.
bool IsCopyName(const std::string& name) {
    if (name.size() <= std::string(kNamePrefix).size() || name.rfind(kNamePrefix, 0) != 0)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-';
    });
}

// A name no other note takes: the process, the time and a counter.
std::string NewName() {
    static std::atomic<unsigned> counter{0};
    return kNamePrefix + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(tk::FileTimeNow()) + "-" + std::to_string(counter++);
}

// A copy's bytes read from its file, a piece at a time.
class FileInput : public CopyInput {
public:
    explicit FileInput(const std::string& path)
        : file_(CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    std::uint64_t Size() override {
        LARGE_INTEGER size{};
        return file_.Valid() && GetFileSizeEx(file_.Get(), &size)
                   ? static_cast<std::uint64_t>(size.QuadPart)
                   : 0;
    }
    bool ReadAt(std::uint64_t offset, char* to, std::size_t count) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        if (!file_.Valid() || !SetFilePointerEx(file_.Get(), at, nullptr, FILE_BEGIN)) return false;
        return ReadInto(to, count);
    }

private:
    bool ReadInto(char* to, std::size_t count) {
        while (count > 0) {
            const auto want = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 24));
            DWORD read = 0;
            if (!ReadFile(file_.Get(), to, want, &read, nullptr) || read == 0) return false;
            to += read;
            count -= read;
        }
        return true;
    }
    tk::KernelHandle file_;
};

void ReadOutline(ClaimedCopy& copy) {
    FileInput input(copy.Name.CopyPath());
    copy.Failure = ReadCopyOutline(input, copy.Outline);
}

// The names of the files in the folder that end in `suffix`, newest first, without it.
std::vector<std::string> NamesEndingIn(const std::string& suffix) {
    const std::string folder = storage::ProgramDataFolder("Recovery");
    std::vector<storage::FoundFile> found;
    const std::string pattern = std::string(kNamePrefix) + "*" + suffix;
    for (storage::FoundFile& file : storage::FilesIn(folder, pattern.c_str()))
        if (EndsWith(file.Name, suffix)) {
            file.Name.resize(file.Name.size() - suffix.size());
            found.push_back(std::move(file));
        }
    std::sort(found.begin(), found.end(),
              [](const storage::FoundFile& a, const storage::FoundFile& b) {
                  return a.LastWrite > b.LastWrite;
              });
    std::vector<std::string> names;
    for (storage::FoundFile& file : found)
        names.push_back(std::move(file.Name));
    return names;
}

// Takes what a note that is gone left (its copy, its record) under a name of this process's: the
// note's lock is removed (a living note holds it open, so that fails) and made anew, which only
// one of two claimers can do; its files then move to the new name, so that a start that listed
// the old name finds nothing there, even once this one lets the note go.
RecoveryName ClaimName(const std::string& folder, const std::string& name) {
    const std::string lock = folder + "\\" + name + kLockSuffix;
    if (!DeleteFileW(W(lock).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return {};
    const RecoveryName old = RecoveryName::Take(folder, name);
    if (!old.Valid()) return {};
    RecoveryName claimed = RecoveryName::Fresh(folder);
    if (!claimed.Valid()) return {};
    MoveFileExW(W(old.PlacePath()).c_str(), W(claimed.PlacePath()).c_str(), 0);
    MoveFileExW(W(old.CopyPath()).c_str(), W(claimed.CopyPath()).c_str(), 0);
    return claimed;
}

std::optional<ClaimedCopy> ClaimIn(const std::string& folder, const std::string& name) {
    ClaimedCopy copy;
    copy.OriginalName = name;
    copy.Name = ClaimName(folder, name);
    if (!copy.Name.Valid() || !storage::Exists(copy.Name.CopyPath())) return std::nullopt;
    ReadOutline(copy);
    return copy;
}

// The file the worker writes a copy into, beside the copy, and the copy itself.
class FileCopySink : public CopySink, private CopyOutput {
public:
    explicit FileCopySink(RecoveryName name) : name_(std::move(name)) {}

    CopyOutput& Begin() override {
        storage::PrivateSecurity privateFile(false);
        staging_ = std::make_unique<storage::NewFile>(name_.Folder() + "\\", ".tmp", 0,
                                                      privateFile.Attributes());
        if (!staging_->Created()) throw CopyFailure(staging_->Reason());
        return *this;
    }
    void Finish(std::string_view header) override {
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(staging_->Handle(), start, nullptr, FILE_BEGIN)) Fail();
        Append(header);
        if (!FlushFileBuffers(staging_->Handle())) Fail();
        staging_->Close();
        if (!MoveFileExW(W(staging_->Path()).c_str(), W(name_.CopyPath()).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail();
        staging_->Keep();
        staging_.reset();
    }
    void Abandon() noexcept override { staging_.reset(); } // the staging file goes with it
    void Remove() override { DeleteFileW(W(name_.CopyPath()).c_str()); }
    void WriteRecord(std::string_view bytes) override {
        if (!storage::WritePrivateFile(name_.PlacePath(), bytes))
            throw CopyFailure(storage::SystemErrorText(GetLastError()));
    }
    void RemoveRecord() override { DeleteFileW(W(name_.PlacePath()).c_str()); }

private:
    void Append(std::string_view bytes) override {
        while (!bytes.empty()) {
            DWORD written = 0;
            const auto count = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 24));
            if (!WriteFile(staging_->Handle(), bytes.data(), count, &written, nullptr)) Fail();
            if (written == 0) throw CopyFailure(storage::SystemErrorText(ERROR_DISK_FULL));
            bytes.remove_prefix(written);
        }
    }
    [[noreturn]] static void Fail() { throw CopyFailure(storage::SystemErrorText(GetLastError())); }

    RecoveryName name_;
    std::unique_ptr<storage::NewFile> staging_;
};

} // namespace

std::string RecoveryFolder() {
    const std::string folder = storage::ProgramDataFolder("Recovery");
    return storage::MakePrivateFolder(folder) ? folder : std::string();
}

RecoveryName RecoveryName::Fresh(const std::string& folder) {
    return Take(folder, NewName());
}

RecoveryName RecoveryName::Take(const std::string& folder, const std::string& name) {
    RecoveryName made;
    if (folder.empty()) return made;
    made.folder_ = folder;
    made.name_ = name;
    // Held with no sharing for the process's life, and deleted with its last handle: a name
    // whose lock can be removed belongs to no living note.
    storage::PrivateSecurity privateFile(false);
    made.lock_ = tk::KernelHandle(CreateFileW(
        W(folder + "\\" + made.name_ + kLockSuffix).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
        privateFile.Attributes(), CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE,
        nullptr));
    return made;
}

RecoveryName RecoveryName::HandedOver(const std::string& folder, const std::string& name) {
    RecoveryName adopted;
    wchar_t value[32] = {};
    const DWORD length = GetEnvironmentVariableW(kLockVariable, value, 32);
    SetEnvironmentVariableW(kLockVariable, nullptr); // not for the programs this one starts
    if (length == 0 || length >= 32) return adopted;
    const auto raw = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::wcstoull(value, nullptr, 10)));
    // Only a handle of this very lock file is taken for it.
    if (GetFileType(raw) != FILE_TYPE_DISK) return adopted;
    std::vector<BYTE> info(sizeof(FILE_NAME_INFO) + 2 * MAX_PATH * sizeof(wchar_t));
    if (!GetFileInformationByHandleEx(raw, FileNameInfo, info.data(),
                                      static_cast<DWORD>(info.size())))
        return adopted;
    const auto* fileName = reinterpret_cast<const FILE_NAME_INFO*>(info.data());
    const std::wstring held(fileName->FileName, fileName->FileNameLength / sizeof(wchar_t));
    const std::wstring expected = W("\\" + name + kLockSuffix);
    if (held.size() < expected.size() ||
        _wcsicmp(held.c_str() + held.size() - expected.size(), expected.c_str()) != 0)
        return adopted;
    adopted.folder_ = folder;
    adopted.name_ = name;
    adopted.lock_ = tk::KernelHandle(raw);
    return adopted;
}

std::string RecoveryName::CopyPath() const {
    return folder_ + "\\" + name_ + kCopySuffix;
}

std::string RecoveryName::PlacePath() const {
    return folder_ + "\\" + name_ + kPlaceSuffix;
}

std::unique_ptr<CopyWriter> WriterFor(RecoveryName name) {
    std::string copyName = name.Name();
    return std::make_unique<CopyWorker>(std::move(copyName),
                                        std::make_unique<FileCopySink>(std::move(name)));
}

std::unique_ptr<CopyWriter> RecoveryFolderStore::Fresh(std::string& problem) {
    const std::string folder = Folder();
    if (!storage::MakePrivateFolder(folder)) {
        problem = storage::SystemErrorText(GetLastError());
        return nullptr;
    }
    RecoveryName name = RecoveryName::Fresh(folder);
    if (!name.Valid()) {
        problem = storage::SystemErrorText(GetLastError());
        return nullptr;
    }
    return WriterFor(std::move(name));
}

std::string RecoveryFolderStore::Folder() const {
    return storage::ProgramDataFolder("Recovery");
}

void RecoveryFolderStore::RegisterRestart(const std::string& argument) {
    // Present from Windows Vista on: looked up, so that the program still starts without it.
    using Register = HRESULT(WINAPI*)(PCWSTR, DWORD);
    using Unregister = HRESULT(WINAPI*)();
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return;
    if (argument.empty()) {
        if (auto unregister = reinterpret_cast<Unregister>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "UnregisterApplicationRestart"))))
            unregister();
        return;
    }
    if (auto reg = reinterpret_cast<Register>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "RegisterApplicationRestart"))))
        reg(W("\"" + argument + "\"").c_str(), 0);
}

std::uint64_t SystemClock::Milliseconds() {
    return GetTickCount64();
}

std::uint64_t SystemClock::FileTime() {
    return tk::FileTimeNow();
}

std::vector<std::string> OrphanedCopyNames() {
    const std::string folder = storage::ProgramDataFolder("Recovery"); // not made to look in it
    // A write killed part way leaves its staging file; one still held is a write under way.
    for (const storage::FoundFile& staging : storage::FilesIn(folder, "~*.tmp"))
        DeleteFileW(W(folder + "\\" + staging.Name).c_str());
    return NamesEndingIn(kCopySuffix);
}

std::optional<ClaimedCopy> ClaimOrphan(const std::string& name) {
    return ClaimIn(storage::ProgramDataFolder("Recovery"), name);
}

TextRead ReadClaimedText(ClaimedCopy& claimed) {
    FileInput input(claimed.Name.CopyPath());
    try {
        return ReadCopyText(input, claimed.Outline, claimed.Outline.Fields.Text) ? TextRead::Read
                                                                                 : TextRead::Damaged;
    } catch (const std::bad_alloc&) {
        return TextRead::TooLarge;
    }
}

std::optional<ClaimedCopy> ClaimNamedCopy(const std::string& name) {
    if (!IsCopyName(name)) return std::nullopt;
    const std::string folder = storage::ProgramDataFolder("Recovery");
    ClaimedCopy copy;
    copy.OriginalName = name;
    copy.Name = RecoveryName::HandedOver(folder, name);
    if (!copy.Name.Valid()) return ClaimIn(folder, name);
    ReadOutline(copy);
    return copy;
}

bool HandOverCopy(ClaimedCopy& claimed, const std::string& program, const char* argument) {
    // The child inherits a handle of the lock and finds its value in the environment.
    HANDLE inheritable = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), claimed.Name.Lock(), GetCurrentProcess(),
                         &inheritable, 0, TRUE, DUPLICATE_SAME_ACCESS))
        return false;
    tk::KernelHandle handed(inheritable);
    const std::wstring value = W(std::to_string(reinterpret_cast<std::uintptr_t>(inheritable)));
    SetEnvironmentVariableW(kLockVariable, value.c_str());
    std::wstring command = L"\"" + W(program) + L"\" \"" + W(argument + claimed.Name.Name()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableW(kLockVariable, nullptr);
    if (!started) return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    claimed.Name = RecoveryName(); // the child holds the lock now
    return true;
}

std::string SetCopyAside(const ClaimedCopy& claimed, const char* suffix) {
    const std::string path = claimed.Name.CopyPath();
    const std::string kept = path.substr(0, path.size() - std::string(kCopySuffix).size()) + suffix;
    return MoveFileExW(W(path).c_str(), W(kept).c_str(), 0) ? kept : path;
}

void ReleaseCopy(ClaimedCopy& claimed) {
    claimed.Name = RecoveryName();
}

void DiscardCopy(ClaimedCopy& claimed) {
    DeleteFileW(W(claimed.Name.CopyPath()).c_str());
    DiscardPlace(claimed);
    claimed.Name = RecoveryName();
}

void DiscardPlace(ClaimedCopy& claimed) {
    DeleteFileW(W(claimed.Name.PlacePath()).c_str());
    claimed.Place.reset();
}

void LeaveCopyForLater(ClaimedCopy& claimed) {
    const std::string later = claimed.Name.Folder() + "\\" + NewName() + kCopySuffix;
    MoveFileExW(W(claimed.Name.CopyPath()).c_str(), W(later).c_str(), 0);
    claimed.HasCopy = false;
}

std::vector<std::string> OrphanedPlaceNames() {
    return NamesEndingIn(kPlaceSuffix);
}

std::optional<ClaimedCopy> ClaimDesktopNote(const std::string& name, bool handedOver) {
    if (!IsCopyName(name)) return std::nullopt;
    const std::string folder = storage::ProgramDataFolder("Recovery");
    ClaimedCopy note;
    note.OriginalName = name;
    if (handedOver) note.Name = RecoveryName::HandedOver(folder, name);
    if (!note.Name.Valid()) note.Name = ClaimName(folder, name);
    if (!note.Name.Valid()) return std::nullopt;
    std::string bytes;
    std::uint64_t size = 0;
    if (storage::ReadWholeFile(note.Name.PlacePath(), 64 * 1024, bytes, size) == ERROR_SUCCESS)
        note.Place = DecodeNotePlace(bytes);
    if (!note.Place) {
        DiscardPlace(note); // a copy beside it is still offered by the next start by hand
        return std::nullopt;
    }
    note.HasCopy = storage::Exists(note.Name.CopyPath());
    if (note.HasCopy) ReadOutline(note);
    return note;
}

} // namespace recovery
