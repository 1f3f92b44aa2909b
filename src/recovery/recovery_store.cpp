#include "recovery_store.h"

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
constexpr const char* kNamePrefix = "note-";
// Names the lock handle a note hands to the program it starts for a copy.
constexpr const wchar_t* kLockVariable = L"PINLET_RECOVERY_LOCK";

std::wstring W(const std::string& path) {
    return tk::Wide(path);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A name no other note takes: the process, the time and a counter.
std::string NewName() {
    static std::atomic<unsigned> counter{0};
    return kNamePrefix + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(tk::FileTimeNow()) + "-" + std::to_string(counter++);
}

// A copy larger than this is not read back: it cannot be one this program wrote.
constexpr std::uint64_t kLargestCopy = std::uint64_t{1} << 30;

bool IsCopyName(const std::string& name) {
    if (name.size() <= std::string(kNamePrefix).size() || name.rfind(kNamePrefix, 0) != 0)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-';
    });
}

void ReadClaimed(ClaimedCopy& copy) {
    std::string bytes;
    std::uint64_t size = 0;
    const bool read = storage::ReadWholeFile(copy.Name.CopyPath(), kLargestCopy, bytes, size) == 0;
    copy.Failure = read ? DecodeRecoveryCopy(bytes, copy.Copy) : DecodeFailure::CutShort;
}

// Claims the copy `name` when its note is gone: its lock is removed (a living note holds it
// open, so that fails), and the copy renamed to a fresh name of this process's (only one of two
// claimers can do that).
std::optional<ClaimedCopy> ClaimOrphan(const std::string& folder, const std::string& name) {
    const std::string lock = folder + "\\" + name + kLockSuffix;
    if (!DeleteFileW(W(lock).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    ClaimedCopy copy;
    copy.OriginalName = name;
    copy.Name = RecoveryName::Fresh(folder);
    if (!copy.Name.Valid()) return std::nullopt;
    if (!MoveFileExW(W(folder + "\\" + name + kCopySuffix).c_str(),
                     W(copy.Name.CopyPath()).c_str(), 0))
        return std::nullopt;
    ReadClaimed(copy);
    return copy;
}

} // namespace

std::string RecoveryFolder() {
    const std::string folder = storage::ProgramDataFolder("Recovery");
    return storage::MakePrivateFolder(folder) ? folder : std::string();
}

RecoveryName RecoveryName::Fresh(const std::string& folder) {
    RecoveryName made;
    if (folder.empty()) return made;
    made.folder_ = folder;
    made.name_ = NewName();
    // Held with no sharing for the process's life, and deleted with its last handle: a copy
    // whose lock can be opened belongs to no living note.
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

NoteRecovery::NoteRecovery(RecoveryName name)
    : name_(std::move(name)), worker_([this] { Work(); }) {}

NoteRecovery::~NoteRecovery() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void NoteRecovery::Write(RecoveryCopy fields, std::wstring text) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = Pending{std::move(fields), std::move(text)};
        remove_ = false;
    }
    wake_.notify_all();
}

void NoteRecovery::Remove() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.reset();
        remove_ = true;
    }
    wake_.notify_all();
}

void NoteRecovery::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !remove_ && !busy_; });
}

void NoteRecovery::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || pending_ || remove_; });
        if (!pending_ && !remove_) return; // stopping, nothing left
        std::optional<Pending> copy = std::exchange(pending_, std::nullopt);
        const bool remove = std::exchange(remove_, false);
        busy_ = true;
        lock.unlock();
        if (copy) {
            copy->Fields.Text = tk::Utf8(copy->Text);
            copy->Text = std::wstring();
            storage::WritePrivateFile(name_.CopyPath(), EncodeRecoveryCopy(copy->Fields));
        } else if (remove)
            DeleteFileW(W(name_.CopyPath()).c_str());
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
}

std::unique_ptr<CopyWriter> RecoveryFolderStore::Fresh() {
    RecoveryName name = RecoveryName::Fresh(RecoveryFolder());
    if (!name.Valid()) return nullptr;
    return std::make_unique<NoteRecovery>(std::move(name));
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

std::vector<ClaimedCopy> ClaimOrphanedCopies() {
    std::vector<ClaimedCopy> claimed;
    const std::string folder = storage::ProgramDataFolder("Recovery"); // not made to look in it
    struct Found {
        std::string Name;
        std::uint64_t Time;
    };
    std::vector<Found> found;
    const std::string pattern = std::string(kNamePrefix) + "*" + kCopySuffix;
    for (const storage::FoundFile& file : storage::FilesIn(folder, pattern.c_str()))
        if (EndsWith(file.Name, kCopySuffix))
            found.push_back({file.Name.substr(0, file.Name.size() - std::string(kCopySuffix).size()),
                             file.LastWrite});
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.Time > b.Time; });

    for (const Found& orphan : found)
        if (std::optional<ClaimedCopy> copy = ClaimOrphan(folder, orphan.Name))
            claimed.push_back(std::move(*copy));
    return claimed;
}

std::optional<ClaimedCopy> ClaimNamedCopy(const std::string& name) {
    if (!IsCopyName(name)) return std::nullopt;
    const std::string folder = storage::ProgramDataFolder("Recovery");
    ClaimedCopy copy;
    copy.OriginalName = name;
    copy.Name = RecoveryName::HandedOver(folder, name);
    if (!copy.Name.Valid()) return ClaimOrphan(folder, name);
    ReadClaimed(copy);
    return copy;
}

bool HandOverCopy(ClaimedCopy& claimed, const std::string& program) {
    // The child inherits a handle of the lock and finds its value in the environment.
    HANDLE inheritable = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), claimed.Name.Lock(), GetCurrentProcess(),
                         &inheritable, 0, TRUE, DUPLICATE_SAME_ACCESS))
        return false;
    tk::KernelHandle handed(inheritable);
    const std::wstring value = W(std::to_string(reinterpret_cast<std::uintptr_t>(inheritable)));
    SetEnvironmentVariableW(kLockVariable, value.c_str());
    std::wstring command = L"\"" + W(program) + L"\" \"" + W(kRecoverArgument + claimed.Name.Name()) + L"\"";
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

std::string KeepDamagedCopy(const ClaimedCopy& claimed) {
    const std::string kept =
        claimed.Name.CopyPath().substr(0, claimed.Name.CopyPath().size() - 5) + ".damaged";
    MoveFileExW(W(claimed.Name.CopyPath()).c_str(), W(kept).c_str(), 0);
    return kept;
}

void ReleaseCopy(ClaimedCopy& claimed) {
    claimed.Name = RecoveryName();
}

void DiscardCopy(ClaimedCopy& claimed) {
    DeleteFileW(W(claimed.Name.CopyPath()).c_str());
    claimed.Name = RecoveryName();
}

} // namespace recovery
