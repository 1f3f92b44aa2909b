#include "file_dialogs.h"

#include "application.h"
#include "component_reader.h"
#include "file_dialog_rules.h"
#include "modal.h"
#include "system_library.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>

namespace tk {
namespace {

// The name chosen in the running dialog, spelled with "?" for every character that the ANSI
// code page has no byte for; empty when it spells the name exactly. The ANSI result of the
// system dialog would hold a best-fit spelling instead ("o" for "\u0151"), which names another
// file.
std::string g_unspellableName;

std::wstring ChosenName(HWND dialog) {
    wchar_t text[MAX_PATH] = {};
    for (int id : {edt1, cmb13})
        if (HWND field = GetDlgItem(dialog, id)) {
            GetWindowTextW(field, text, MAX_PATH);
            break;
        }
    std::wstring name = text;
    size_t slash = name.find_last_of(L"\\/");
    return slash == std::wstring::npos ? name : name.substr(slash + 1);
}

void NoteUnspellableName(HWND dialog) {
    std::wstring name = ChosenName(dialog);
    if (name.empty()) return;
    char spelled[MAX_PATH * 2] = {};
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, spelled, sizeof spelled,
                        nullptr, &lost);
    if (lost) g_unspellableName = spelled;
}

} // namespace

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
    if (msg != WM_NOTIFY) return 0;
    HWND dialog = GetParent(hook);
    UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
    if (code == CDN_FILEOK) NoteUnspellableName(dialog);
    if (code != CDN_INITDONE) return 0;
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

namespace {

// The dialogs' library is loaded when a dialog is first shown.
BOOL RunFileDialog(const char* name, OPENFILENAMEA& ofn) {
    using FileDialogProc = BOOL(WINAPI*)(LPOPENFILENAMEA);
    auto dialog = SystemFunction<FileDialogProc>("comdlg32.dll", name);
    return dialog && dialog(&ofn);
}

} // namespace

BOOL TOpenDialog::RunSystemDialog(OPENFILENAMEA& ofn) {
    return RunFileDialog("GetOpenFileNameA", ofn);
}

BOOL TSaveDialog::RunSystemDialog(OPENFILENAMEA& ofn) {
    return RunFileDialog("GetSaveFileNameA", ofn);
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
    g_unspellableName.clear();
    HWND active = GetActiveWindow();
    EnsureComApartment();
    BOOL chosen;
    {
        TaskWindowsDisabled others;
        chosen = RunSystemDialog(ofn);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (!chosen) return false;
    FileName = file;
    // A name the ANSI code page cannot spell keeps its "?": opening or writing it then fails
    // clearly instead of reaching the file that the best-fit spelling names.
    if (!g_unspellableName.empty()) {
        size_t slash = FileName.find_last_of("\\/");
        FileName =
            FileName.substr(0, slash == std::string::npos ? 0 : slash + 1) + g_unspellableName;
    }
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
