#include "panel_shell.h"

#include <windows.h>

#include <shellapi.h>

#include <utility>

namespace advpanel {
namespace {

ShellOpener& Opener() {
    static ShellOpener opener;
    return opener;
}

} // namespace

void OpenWithShell(const std::string& target) {
    if (Opener()) {
        Opener()(target);
        return;
    }
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

ShellOpener SetShellOpener(ShellOpener opener) {
    return std::exchange(Opener(), std::move(opener));
}

} // namespace advpanel
