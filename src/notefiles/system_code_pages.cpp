#include "system_code_pages.h"

#include <windows.h>

namespace notefiles {
namespace {

// Code pages for which WideCharToMultiByte refuses WC_NO_BEST_FIT_CHARS (it fails with
// ERROR_INVALID_FLAGS): they are converted with no flags, and the round trip tells what was lost.
bool RefusesFlags(unsigned codePage) {
    return codePage == 42 || (codePage >= 50220 && codePage <= 50229) || codePage == 52936 ||
           codePage == 54936 || (codePage >= 57002 && codePage <= 57011) || codePage == 65000 ||
           codePage == 65001;
}

// UTF-7 and UTF-8 also refuse to say whether the default character was used.
bool RefusesDefaultFlag(unsigned codePage) {
    return codePage == 65000 || codePage == 65001;
}

} // namespace

unsigned SystemCodePages::CurrentCodePage() const {
    return GetACP();
}

unsigned SystemCodePages::MaxCharSize(unsigned codePage) const {
    CPINFO info{};
    return GetCPInfo(codePage, &info) ? info.MaxCharSize : 0;
}

bool SystemCodePages::ToUtf16(unsigned codePage, std::string_view bytes,
                              std::u16string& units) const {
    if (bytes.empty()) return true;
    const int count = static_cast<int>(bytes.size());
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), count, nullptr, 0);
    if (needed <= 0) return false;
    const size_t at = units.size();
    units.resize(at + static_cast<size_t>(needed));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), count,
                               reinterpret_cast<wchar_t*>(units.data() + at), needed) == needed;
}

bool SystemCodePages::FromUtf16(unsigned codePage, std::u16string_view units,
                                std::string& bytes) const {
    if (units.empty()) return true;
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int count = static_cast<int>(units.size());
    const DWORD flags = RefusesFlags(codePage) ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* usedDefault = RefusesDefaultFlag(codePage) ? nullptr : &defaulted;
    const int needed =
        WideCharToMultiByte(codePage, flags, wide, count, nullptr, 0, nullptr, usedDefault);
    if (needed <= 0 || defaulted) return false;
    const size_t at = bytes.size();
    bytes.resize(at + static_cast<size_t>(needed));
    return WideCharToMultiByte(codePage, flags, wide, count, bytes.data() + at, needed, nullptr,
                               usedDefault) == needed &&
           !defaulted;
}

const SystemCodePages& TheSystemCodePages() {
    static const SystemCodePages pages;
    return pages;
}

} // namespace notefiles
