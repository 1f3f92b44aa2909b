#include "file_dialogs.h"

#include "application.h"
#include "toolkit/components/component_reader.h"
#include "toolkit/system/event_errors.h"
#include "file_dialog_rules.h"
#include "modal.h"
#include "toolkit/components/property_table.h"
#include "toolkit/system/system_library.h"
#include "toolkit/text/unicode_text.h"
#include "toolkit/system/visual_styles.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>

namespace tk {
namespace {

// The dialog's current folder.
std::wstring ChosenFolder(HWND dialog) {
    LRESULT size = SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
    if (size <= 0) return {};
    std::wstring folder(static_cast<size_t>(size), L'\0');
    LRESULT got = SendMessageW(dialog, CDM_GETFOLDERPATH, static_cast<WPARAM>(size),
                               reinterpret_cast<LPARAM>(folder.data()));
    if (got <= 0 || got > size) return {};
    folder.resize(static_cast<size_t>(got) - 1);
    return folder;
}

// The text of the dialog's file-name field, however long.
std::wstring TypedName(HWND dialog) {
    for (int id : {edt1, cmb13})
        if (HWND field = GetDlgItem(dialog, id)) {
            std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
            text.resize(static_cast<size_t>(
                GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
            return text;
        }
    return {};
}

// A name confirmed in the running dialog that is too long for it, made a full path; empty when
// none. The dialog builds the path of a confirmed name in a buffer of MAX_PATH characters of
// its own, which a longer name would overrun, so such a name never reaches it: the dialog is
// cancelled instead and Execute reports the name, which opening or writing then refuses.
std::wstring g_tooLongPath;
std::wstring g_extension; // the running dialog's default extension
WNDPROC g_dialogProc = nullptr;

// Whether the name being confirmed is too long for the dialog; if so it is kept, made a full
// path, in g_tooLongPath.
bool NoteTooLongName(HWND dialog) {
    std::wstring typed = TypedName(dialog);
    std::wstring path = PathFromTypedName(ChosenFolder(dialog), typed, g_extension);
    // A name from the root ("\...", "\\server\...") may go in after the folder's drive.
    size_t room = path.size() + (!typed.empty() && typed[0] == L'\\' ? 2 : 0);
    if (room < MAX_PATH) return false;
    g_tooLongPath = path;
    return true;
}

LRESULT CALLBACK GuardLongNames(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC next = g_dialogProc;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        g_dialogProc = nullptr;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        try {
            if (NoteTooLongName(dialog))
                return CallWindowProcW(next, dialog, WM_COMMAND, IDCANCEL, 0);
        } catch (...) {
            HandleEventException();
        }
    }
    return CallWindowProcW(next, dialog, msg, wParam, lParam);
}

void GuardAgainstLongNames(HWND dialog) {
    if (g_dialogProc) return;
    g_dialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GuardLongNames)));
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

namespace {

// Once the dialog is ready, guards it against long names and moves it onto the monitor of the
// active form: centred, one third of the free height from the top.
void DialogNotified(HWND dialog, UINT code) {
    if (code != CDN_INITDONE) return;
    GuardAgainstLongNames(dialog);
    HWND anchor = GetWindow(dialog, GW_OWNER);
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        anchor = Application->MainForm()->Handle();
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &info)) return;
    RECT r;
    GetWindowRect(dialog, &r);
    TPoint place = FileDialogPlace(ToRect(info.rcMonitor), r.right - r.left, r.bottom - r.top);
    SetWindowPos(dialog, nullptr, place.X, place.Y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

UINT_PTR CALLBACK TOpenDialog::PlacementHook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_NOTIFY) return 0;
    try {
        DialogNotified(GetParent(hook), reinterpret_cast<NMHDR*>(lParam)->code);
    } catch (...) {
        HandleEventException();
    }
    return 0;
}

namespace {

// The dialogs' library is loaded when a dialog is first shown.
BOOL RunFileDialog(const char* name, OPENFILENAMEW& ofn) {
    using FileDialogProc = BOOL(WINAPI*)(LPOPENFILENAMEW);
    auto dialog = SystemFunction<FileDialogProc>("comdlg32.dll", name);
    return dialog && dialog(&ofn);
}

} // namespace

BOOL TOpenDialog::RunSystemDialog(OPENFILENAMEW& ofn) {
    return RunFileDialog("GetOpenFileNameW", ofn);
}

BOOL TSaveDialog::RunSystemDialog(OPENFILENAMEW& ofn) {
    return RunFileDialog("GetSaveFileNameW", ofn);
}

bool TOpenDialog::Execute() {
    // Room for any name the dialog may hand back: a name too long for a file is reported as
    // chosen and then refused by opening or writing, never cut short or dropped.
    std::wstring file(kFileNameRoom, L'\0');
    const std::wstring initial = Wide(FileName);
    initial.copy(file.data(), std::min(initial.size(), file.size() - 1));
    const std::wstring filter = Wide(FilterForSystem(Filter));
    const std::wstring extension = Wide(ExtensionForSystem(DefaultExt));
    const std::wstring initialDir = Wide(InitialDir);
    const std::wstring title = Wide(Title);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Application ? Application->Handle() : nullptr;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = SystemFlags();
    ofn.lpfnHook = PlacementHook;

    CancelMouseCapture();
    g_tooLongPath.clear();
    g_extension = extension;
    HWND active = GetActiveWindow();
    EnsureComApartment();
    BOOL chosen;
    {
        TaskWindowsDisabled others;
        VisualStylesScope styles;
        chosen = RunSystemDialog(ofn);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (!g_tooLongPath.empty()) {
        FileName = Utf8(g_tooLongPath);
        return true;
    }
    if (!chosen) return false;
    FileName = Utf8(file.c_str());
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

namespace {

TOpenOptions ReadOpenOptions(LayoutReader& reader, const LayoutValue& value) {
    return reader.Set<TOpenOptions>(value, {{"ofReadOnly", ofReadOnly},
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
}

} // namespace

bool TOpenDialog::ReadProperty(std::string_view name, const LayoutValue& value,
                               LayoutReader& reader) {
    static const PropertyTable<TOpenDialog> properties{
        {"Title", Set<&TOpenDialog::Title>},
        {"Filter", Set<&TOpenDialog::Filter>},
        {"FilterIndex", Set<&TOpenDialog::FilterIndex>},
        {"DefaultExt", Set<&TOpenDialog::DefaultExt>},
        {"FileName", Set<&TOpenDialog::FileName>},
        {"InitialDir", Set<&TOpenDialog::InitialDir>},
        {"Ctl3D", Set<&TOpenDialog::Ctl3D>},
        {"Options", Set<&TOpenDialog::Options, ReadOpenOptions>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TComponent::ReadProperty(name, value, reader);
}

} // namespace tk
