#pragma once
// Putting plain text on the system clipboard.
#include "toolkit/base/exceptions.h"

#include <windows.h>

#include <string>

namespace dialogs {

class EClipboardException : public tk::Exception {
public:
    using tk::Exception::Exception;
};

// Replaces the clipboard's contents with `text` as CF_TEXT, opened for `owner`. Throws
// EClipboardException "Cannot open clipboard" when another window holds it open.
void PutTextOnClipboard(HWND owner, const std::string& text);

} // namespace dialogs
