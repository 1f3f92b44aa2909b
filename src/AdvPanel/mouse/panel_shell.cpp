#include "AdvPanel/mouse/panel_shell.h"

#include "toolkit/system/system_library.h"
#include "toolkit/text/unicode_text.h"

#include <windows.h>

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
    using ShellExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    tk::EnsureComApartment(); // the shell may hand the target to an extension
    if (auto shellExecute = tk::SystemFunction<ShellExecuteProc>("shell32.dll", "ShellExecuteW"))
        shellExecute(nullptr, L"open", tk::Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

ShellOpener SetShellOpener(ShellOpener opener) {
    return std::exchange(Opener(), std::move(opener));
}

} // namespace advpanel
