#pragma once
// Opens a panel anchor's target with the shell. Tests replace the opener to see what would be
// opened without starting a browser or a mail program.
#include <functional>
#include <string>

namespace advpanel {

using ShellOpener = std::function<void(const std::string& target)>;

// ShellExecuteW with the verb "open", no owner window, parameters or folder, shown normally.
void OpenWithShell(const std::string& target);

// Replaces the opener (an empty one restores ShellExecuteW); returns the previous one.
ShellOpener SetShellOpener(ShellOpener opener);

} // namespace advpanel
