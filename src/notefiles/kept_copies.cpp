#include "kept_copies.h"

#include "note_file_common.h"
#include "note_files.h"
#include "toolkit/exceptions.h"
#include "toolkit/unicode_text.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>

namespace notefiles {
namespace {

constexpr const char* kRecordMark = "Pinlet kept copy";
constexpr const char* kRecordPattern = "*.where";
constexpr const char* kCopyPattern = "*.txt";

std::string g_folder; // a test's own

std::string EnvironmentFolder(const wchar_t* name) {
    wchar_t value[MAX_PATH + 1] = {};
    DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? tk::Utf8(std::wstring_view(value, length))
                                            : std::string();
}

std::string LocalApplicationData() {
    for (const wchar_t* name : {L"LOCALAPPDATA", L"APPDATA"})
        if (std::string folder = EnvironmentFolder(name); !folder.empty()) return folder;
    wchar_t temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::string folder = tk::Utf8(std::wstring_view(temp, length <= MAX_PATH ? length : 0));
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

// FNV-1a, 64 bits: tells the bytes a save wrote from any others well enough to know whether it
// finished.
std::uint64_t HashOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string SizeAndHash(std::string_view bytes) {
    char text[48];
    std::snprintf(text, sizeof text, "%llu %016llX", static_cast<unsigned long long>(bytes.size()),
                  static_cast<unsigned long long>(HashOf(bytes)));
    return text;
}

// A security descriptor that lets only the current user at a file (the old bytes of a private
// note must not become readable by others). Without the user's identity, the folder's default.
class UserOnly {
public:
    explicit UserOnly(DWORD rights) {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
        DWORD size = 0;
        const BOOL got = GetTokenInformation(token, TokenUser, user_, sizeof user_, &size);
        CloseHandle(token);
        if (!got) return;
        auto* acl = reinterpret_cast<PACL>(acl_);
        PSID sid = reinterpret_cast<TOKEN_USER*>(user_)->User.Sid;
        if (!InitializeAcl(acl, sizeof acl_, ACL_REVISION) ||
            !AddAccessAllowedAce(acl, ACL_REVISION, rights, sid) ||
            !InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
            !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
            return;
        attributes_ = {sizeof attributes_, &descriptor_, FALSE};
        ready_ = true;
    }
    UserOnly(const UserOnly&) = delete;
    UserOnly& operator=(const UserOnly&) = delete;
    LPSECURITY_ATTRIBUTES Attributes() { return ready_ ? &attributes_ : nullptr; }

private:
    alignas(8) BYTE user_[256] = {};
    alignas(8) BYTE acl_[256] = {};
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    bool ready_ = false;
};

// Makes the folder of kept copies where it is missing, only the user let in.
void MakeFolder(const std::string& folder) {
    const size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 0)
        CreateDirectoryW(tk::Wide(folder.substr(0, slash)).c_str(), nullptr);
    UserOnly security(FILE_ALL_ACCESS);
    CreateDirectoryW(tk::Wide(folder).c_str(), security.Attributes());
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 2);
    }
    return lines;
}

// The whole content of the file at `path`, read while others may use it; none when it cannot be
// read.
std::optional<std::string> ContentOf(const std::string& path) {
    tk::KernelHandle file(CreateFileW(tk::Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file.Valid() || ReadAll(file.Get(), bytes)) return std::nullopt;
    return bytes;
}

// Removes a file that no one holds open.
void RemoveUnheld(const std::string& path) {
    tk::KernelHandle(CreateFileW(tk::Wide(path).c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

std::vector<std::string> NamesIn(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(tk::Wide(folder + "\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(tk::Utf8(found.cFileName));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

} // namespace

std::string KeptCopiesFolder() {
    return g_folder.empty() ? LocalApplicationData() + "\\Pinlet\\Saving" : g_folder;
}

void SetKeptCopiesFolder(const std::string& folder) {
    g_folder = folder;
}

KeptCopy::KeptCopy(const std::string& filePath, const std::string& fileName, std::string_view old,
                   std::string_view next) {
    const std::string folder = KeptCopiesFolder();
    MakeFolder(folder);
    UserOnly security(FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE);
    copy_ =
        std::make_unique<NewFile>(folder + "\\", ".txt", FILE_SHARE_READ, security.Attributes());
    if (!copy_->Created())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, copy_->Reason());
    copyPath_ = copy_->Path();
    if (DWORD error = WriteWhole(copy_->Handle(), old))
        RaiseFileError<tk::EWriteError>(kCannotWriteFile, copyPath_, error);

    record_ =
        std::make_unique<NewFile>(folder + "\\", ".where", FILE_SHARE_READ, security.Attributes());
    if (!record_->Created())
        RaiseFileError<tk::EFCreateError>(kCannotCreateFile, fileName, record_->Reason());
    const std::string record = std::string(kRecordMark) + "\r\n" + filePath + "\r\n" +
                               NameOf(copyPath_) + "\r\n" + SizeAndHash(next) + "\r\n";
    if (DWORD error = WriteWhole(record_->Handle(), record))
        RaiseFileError<tk::EWriteError>(kCannotWriteFile, record_->Path(), error);
}

KeptCopy::~KeptCopy() {
    record_.reset();
    copy_.reset();
}

void KeptCopy::Keep() {
    for (NewFile* file : {record_.get(), copy_.get()})
        if (file) {
            file->Keep();
            file->Close();
        }
}

std::vector<InterruptedSave> FindInterruptedSaves() {
    std::vector<InterruptedSave> found;
    const std::string folder = KeptCopiesFolder();
    std::set<std::string> copiesNamed;
    for (const std::string& name : NamesIn(folder, kRecordPattern)) {
        InterruptedSave save;
        save.Record = folder + "\\" + name;
        // Held by a save under way, or by another note dealing with it: passed over.
        save.HeldRecord =
            tk::KernelHandle(CreateFileW(tk::Wide(save.Record).c_str(), GENERIC_READ | DELETE, 0,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!save.HeldRecord.Valid()) continue;
        std::string text;
        if (ReadAll(save.HeldRecord.Get(), text)) continue;
        const std::vector<std::string> lines = Lines(text);
        if (lines.size() < 4 || lines[0] != kRecordMark) continue; // not ours: left alone
        save.File = lines[1];
        save.Copy = folder + "\\" + NameOf(lines[2]);
        copiesNamed.insert(NameOf(lines[2]));
        // Others may read the copy, none remove it.
        save.HeldCopy =
            tk::KernelHandle(CreateFileW(tk::Wide(save.Copy).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const std::optional<std::string> old = ContentOf(save.Copy);
        if (!old) {
            ForgetInterruptedSave(save);
            continue;
        }
        // Finished (the file holds what the save wrote) or never begun (it holds the old bytes).
        const std::optional<std::string> now = ContentOf(save.File);
        if (now && (SizeAndHash(*now) == lines[3] || *now == *old)) {
            ForgetInterruptedSave(save);
            continue;
        }
        found.push_back(std::move(save));
    }
    // A copy without a record: its save died before it began writing, or after it finished.
    for (const std::string& name : NamesIn(folder, kCopyPattern))
        if (!copiesNamed.count(name)) RemoveUnheld(folder + "\\" + name);
    return found;
}

void RestoreInterruptedSave(InterruptedSave& save) {
    const std::optional<std::string> old = ContentOf(save.Copy);
    if (!old) RaiseOpenError(save.Copy, GetLastError());
    WriteNoteFile(save.File, *old);
    ForgetInterruptedSave(save);
}

void ForgetInterruptedSave(InterruptedSave& save) {
    save.HeldRecord = tk::KernelHandle();
    save.HeldCopy = tk::KernelHandle();
    DeleteFileW(tk::Wide(save.Record).c_str());
    DeleteFileW(tk::Wide(save.Copy).c_str());
}

} // namespace notefiles
