#include "resources.h"

namespace tk {

bool FindResourceData(HMODULE module, const char* name, std::string& data) {
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!info) return false;
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    data.assign(static_cast<const char*>(bytes), SizeofResource(module, info));
    return true;
}

} // namespace tk
