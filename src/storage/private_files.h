#pragma once
// Files and folders that only the user may read: the kept old bytes of a save and the recovery
// copies of unsaved notes.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace storage {

// A security descriptor that gives the current user alone access, for CreateFileW and
// CreateDirectoryW. On Windows the user's own access control list says so. Wine turns a
// descriptor into Unix permissions: there an entry for the user gives the file's group the same
// access too, so under Wine the descriptor names an owner outside the user's token, which Wine
// maps to the owner's bits alone (mode 600, 700 for a folder) without changing the file's real
// owner; such a descriptor would be wrong on Windows and is made only under Wine.
class PrivateSecurity {
public:
    explicit PrivateSecurity(bool folder);
    PrivateSecurity(const PrivateSecurity&) = delete;
    PrivateSecurity& operator=(const PrivateSecurity&) = delete;
    // Attributes to create with; null when none could be made (the system's default then).
    SECURITY_ATTRIBUTES* Attributes() { return valid_ ? &attributes_ : nullptr; }

private:
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    std::vector<BYTE> acl_;
    std::vector<BYTE> sids_;
    bool valid_ = false;
};

// The program's folder `name` in the user's local application data: "%LOCALAPPDATA%\Pinlet\name"
// (the roaming folder or the temporary one where that is unset). Not made by this.
std::string ProgramDataFolder(const char* name);

// Makes `folder` where it is missing, only the user let in (its parent with the system's
// default); false when it is neither there nor could be made.
bool MakePrivateFolder(const std::string& folder);

// Writes `bytes` to `path` crash-safely: a new file readable by the user only beside it,
// flushed, then put in its place. False when any step failed (the old file then stays, and no
// new file is left beside it).
bool WritePrivateFile(const std::string& path, std::string_view bytes);

} // namespace storage
