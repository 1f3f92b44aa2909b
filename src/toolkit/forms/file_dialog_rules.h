#pragma once
// OS-free rules of the common file dialogs: the filter list and where the dialog goes.
#include "toolkit/base/geometry.h"

#include <string>

namespace tk {

// "text|*.txt|all|*.*" as the system wants it: pairs separated by NULs, ending in two NULs.
std::string FilterForSystem(const std::string& filter);

// The default extension without its leading period, as the system appends it after one.
std::string ExtensionForSystem(const std::string& defaultExt);

// The path a file dialog makes of a name typed into it, before it resolves "." and "..": a full
// path ("C:\...", "\\server\...") as typed, one from the root ("\...") on the folder's drive,
// anything else inside `folder`; with "." and `extension` added when the name has none of its
// own and an extension is given. Its length is what the dialog must find room for.
std::wstring PathFromTypedName(const std::wstring& folder, const std::wstring& typed,
                               const std::wstring& extension);

// Top-left corner for a dialog of the given size on a monitor: centred horizontally and one
// third of the free height from the top (divisions rounding toward zero).
TPoint FileDialogPlace(const TRect& monitor, int dialogWidth, int dialogHeight);

} // namespace tk
