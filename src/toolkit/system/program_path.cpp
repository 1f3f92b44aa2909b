#include "program_path.h"

#include "toolkit/text/unicode_text.h"

#include <windows.h>

namespace tk {

std::string ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) return Utf8(path.substr(0, length));
        path.resize(path.size() * 2);
    }
}

} // namespace tk
