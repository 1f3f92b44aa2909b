#include "file_dialogs.h"

#include "application.h"
#include "component_reader.h"
#include "file_dialog_rules.h"
#include "modal.h"

#include <commdlg.h>

#include <cstring>

namespace tk {

DWORD TOpenDialog::SystemFlags() const {
    static constexpr std::pair<TOpenOptions, DWORD> kFlags[] = {
        {ofReadOnly, OFN_READONLY},
        {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
        {ofHideReadOnly, OFN_HIDEREADONLY},
        {ofNoChangeDir, OFN_NOCHANGEDIR},
        {ofShowHelp, OFN_SHOWHELP},
        {ofNoValidate, OFN_NOVALIDATE},
        {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
        {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
        {ofPathMustExist, OFN_PATHMUSTEXIST},
        {ofFileMustExist, OFN_FILEMUSTEXIST},
        {ofCreatePrompt, OFN_CREATEPROMPT},
        {ofShareAware, OFN_SHAREAWARE},
        {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
        {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
        {ofEnableSizing, OFN_ENABLESIZING},
    };
    DWORD flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    for (auto [option, flag] : kFlags)
        if (Options & option) flags |= flag;
    return flags;
}

// Moves the dialog, once it is ready, onto the monitor of the active form: centred, one third
// of the free height from the top.
UINT_PTR CALLBACK TOpenDialog::PlacementHook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_INITDONE) return 0;
    HWND dialog = GetParent(hook);
    HWND anchor = GetWindow(dialog, GW_OWNER);
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        anchor = Application->MainForm()->Handle();
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &info)) return 0;
    RECT r;
    GetWindowRect(dialog, &r);
    TPoint place = FileDialogPlace(ToRect(info.rcMonitor), r.right - r.left, r.bottom - r.top);
    SetWindowPos(dialog, nullptr, place.X, place.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

bool TOpenDialog::Execute() {
    char file[MAX_PATH] = {};
    std::strncpy(file, FileName.c_str(), MAX_PATH - 1);
    std::string filter = FilterForSystem(Filter);
    std::string extension = ExtensionForSystem(DefaultExt);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Application ? Application->Handle() : nullptr;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = SystemFlags();
    ofn.lpfnHook = PlacementHook;

    CancelMouseCapture();
    HWND active = GetActiveWindow();
    BOOL chosen;
    {
        TaskWindowsDisabled others;
        chosen = RunSystemDialog(ofn);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (!chosen) return false;
    FileName = file;
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

bool TOpenDialog::ReadProperty(std::string_view name, const LayoutValue& value,
                               LayoutReader& reader) {
    if (name == "Title") {
        Title = reader.String(value);
    } else if (name == "Filter") {
        Filter = reader.String(value);
    } else if (name == "FilterIndex") {
        FilterIndex = reader.Int(value);
    } else if (name == "DefaultExt") {
        DefaultExt = reader.String(value);
    } else if (name == "FileName") {
        FileName = reader.String(value);
    } else if (name == "InitialDir") {
        InitialDir = reader.String(value);
    } else if (name == "Ctl3D") {
        Ctl3D = reader.Bool(value);
    } else if (name == "Options") {
        Options = reader.Set<TOpenOptions>(value, {{"ofReadOnly", ofReadOnly},
                                                   {"ofOverwritePrompt", ofOverwritePrompt},
                                                   {"ofHideReadOnly", ofHideReadOnly},
                                                   {"ofNoChangeDir", ofNoChangeDir},
                                                   {"ofShowHelp", ofShowHelp},
                                                   {"ofNoValidate", ofNoValidate},
                                                   {"ofAllowMultiSelect", ofAllowMultiSelect},
                                                   {"ofExtensionDifferent", ofExtensionDifferent},
                                                   {"ofPathMustExist", ofPathMustExist},
                                                   {"ofFileMustExist", ofFileMustExist},
                                                   {"ofCreatePrompt", ofCreatePrompt},
                                                   {"ofShareAware", ofShareAware},
                                                   {"ofNoReadOnlyReturn", ofNoReadOnlyReturn},
                                                   {"ofNoTestFileCreate", ofNoTestFileCreate},
                                                   {"ofEnableSizing", ofEnableSizing}});
    } else {
        return TComponent::ReadProperty(name, value, reader);
    }
    return true;
}

} // namespace tk
