#include "private_files.h"

#include "file_calls.h"
#include "new_file.h"
#include "toolkit/text/unicode_text.h"
#include "toolkit/base/win_handles.h"

#include <cstring>

namespace storage {
namespace {

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

} // namespace

std::string ProgramDataFolder(const char* name) {
    return LocalApplicationData() + "\\Pinlet\\" + name;
}

bool MakePrivateFolder(const std::string& folder) {
    const size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 0)
        CreateDirectoryW(tk::Wide(folder.substr(0, slash)).c_str(), nullptr);
    PrivateSecurity security(true);
    return CreateDirectoryW(tk::Wide(folder).c_str(), security.Attributes()) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

PrivateSecurity::PrivateSecurity(bool folder) {
    // The current user's SID, or under Wine the anonymous logon's (see the header).
    std::vector<BYTE> user;
    if (RunsUnderWine()) {
        user.resize(SECURITY_MAX_SID_SIZE);
        DWORD size = static_cast<DWORD>(user.size());
        if (!CreateWellKnownSid(WinAnonymousSid, nullptr, user.data(), &size)) return;
        user.resize(size);
    } else {
        tk::KernelHandle token;
        HANDLE raw = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return;
        token = tk::KernelHandle(raw);
        DWORD needed = 0;
        GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &needed);
        std::vector<BYTE> info(needed);
        if (!needed || !GetTokenInformation(token.Get(), TokenUser, info.data(), needed, &needed))
            return;
        PSID sid = reinterpret_cast<TOKEN_USER*>(info.data())->User.Sid;
        user.assign(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + GetLengthSid(sid));
    }
    sids_ = std::move(user);
    PSID sid = sids_.data();
    const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid);
    acl_.assign(aclSize, 0);
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    // Read, write and, for a folder, entering it; and the right to change these.
    DWORD rights = FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE | WRITE_DAC | READ_CONTROL;
    if (folder) rights |= FILE_GENERIC_EXECUTE | FILE_DELETE_CHILD;
    if (!InitializeAcl(acl, aclSize, ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, rights, sid) ||
        !InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE))
        return;
    // The list is the file's own, not added to by the folder's.
    SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    if (RunsUnderWine()) SetSecurityDescriptorOwner(&descriptor_, sid, FALSE);
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = &descriptor_;
    attributes_.bInheritHandle = FALSE;
    valid_ = true;
}

bool WritePrivateFile(const std::string& path, std::string_view bytes) {
    // A staging file of the save's kind beside the file, under a name no file of ours has.
    PrivateSecurity privateFile(false);
    NewFile staging(path.substr(0, path.find_last_of('\\') + 1), ".tmp", 0,
                    privateFile.Attributes());
    if (!staging.Created()) return false;
    DWORD written = 0;
    const bool whole = (bytes.empty() || (WriteFile(staging.Handle(), bytes.data(),
                                                    static_cast<DWORD>(bytes.size()), &written,
                                                    nullptr) &&
                                          written == bytes.size())) &&
                       FlushFileBuffers(staging.Handle());
    staging.Close();
    if (!whole || !MoveFileExW(tk::Wide(staging.Path()).c_str(), tk::Wide(path).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false; // the staging file goes with `staging`
    staging.Keep();
    return true;
}

} // namespace storage
