#include "clipboard_text.h"

#include "toolkit/win_handles.h"

#include <cstring>

namespace dialogs {

void PutTextOnClipboard(HWND owner, const std::string& text) {
    tk::GlobalMemory memory(GMEM_MOVEABLE, text.size() + 1);
    void* bytes = memory.Get() ? GlobalLock(memory.Get()) : nullptr;
    if (!bytes) throw tk::EOutOfResources("Out of system resources");
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory.Get());

    tk::OpenedClipboard clipboard(owner);
    if (!clipboard) throw EClipboardException("Cannot open clipboard");
    EmptyClipboard();
    // Once taken, the memory belongs to the clipboard.
    if (SetClipboardData(CF_TEXT, memory.Get())) memory.Release();
}

} // namespace dialogs
