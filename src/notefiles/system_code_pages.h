#pragma once
// The system's code-page conversions (MultiByteToWideChar, WideCharToMultiByte) as the ANSI code
// page's text needs them.
#include "notetext/ansi_code_page.h"

namespace notefiles {

class SystemCodePages : public notetext::CodePageConverter {
public:
    unsigned CurrentCodePage() const override;
    unsigned MaxCharSize(unsigned codePage) const override;
    bool ToUtf16(unsigned codePage, std::string_view bytes, std::u16string& units) const override;
    bool FromUtf16(unsigned codePage, std::u16string_view units, std::string& bytes) const override;
};

// The one the program uses.
const SystemCodePages& TheSystemCodePages();

} // namespace notefiles
