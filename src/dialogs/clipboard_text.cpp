#include "clipboard_text.h"

#include "toolkit/text/unicode_text.h"
#include "toolkit/base/win_handles.h"

#include <cstring>

namespace dialogs {

void PutTextOnClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = tk::Wide(text);
    const size_t size = (wide.size() + 1) * sizeof(wchar_t);
    tk::GlobalMemory memory(GMEM_MOVEABLE, size);
    void* bytes = memory.Get() ? GlobalLock(memory.Get()) : nullptr;
    if (!bytes) throw tk::EOutOfResources("Out of system resources");
    std::memcpy(bytes, wide.c_str(), size);
    GlobalUnlock(memory.Get());

    tk::OpenedClipboard clipboard(owner);
    if (!clipboard) throw EClipboardException("Cannot open clipboard");
    EmptyClipboard();
    // Once taken, the memory belongs to the clipboard; the system offers it as CF_TEXT too.
    if (SetClipboardData(CF_UNICODETEXT, memory.Get())) memory.Release();
}

} // namespace dialogs
