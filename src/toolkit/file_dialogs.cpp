#include "file_dialogs.h"

#include "application.h"
#include "component_reader.h"
#include "event_errors.h"
#include "file_dialog_rules.h"
#include "modal.h"
#include "property_table.h"
#include "system_library.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <vector>

namespace tk {
namespace {

// The path chosen in the running dialog as the user spelled it (Unicode); empty when unknown.
// The ANSI result of the system dialog spells it by best fit instead ("o" for "\u0151"), which
// names another file or folder.
std::wstring g_chosenPath;

// The dialog's current folder as a Unicode path, from its item list (the ANSI messages would
// spell it by best fit).
std::wstring ChosenFolder(HWND dialog) {
    LRESULT size = SendMessageA(dialog, CDM_GETFOLDERIDLIST, 0, 0);
    if (size <= 0) return {};
    std::vector<BYTE> idList(static_cast<size_t>(size));
    if (SendMessageA(dialog, CDM_GETFOLDERIDLIST, static_cast<WPARAM>(size),
                     reinterpret_cast<LPARAM>(idList.data())) <= 0)
        return {};
    using PathFromIdListProc = BOOL(WINAPI*)(const void*, LPWSTR);
    auto pathFromIdList = SystemFunction<PathFromIdListProc>("shell32.dll", "SHGetPathFromIDListW");
    wchar_t path[MAX_PATH] = {};
    if (!pathFromIdList || !pathFromIdList(idList.data(), path)) return {};
    return path;
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

// The name field's text, taken from the current folder unless it is a full path.
void NoteChosenPath(HWND dialog) {
    std::wstring typed = TypedName(dialog);
    if (typed.empty()) return;
    std::wstring folder = ChosenFolder(dialog);
    std::wstring path = PathFromTypedName(folder, typed, L"");
    if (!folder.empty() || path == typed) g_chosenPath = path;
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

// `text` in the ANSI code page: a character it has no byte for as "?" (and `lost` set), or by
// best fit when `bestFit`.
std::string Spelled(const std::wstring& text, bool bestFit, BOOL* lost = nullptr) {
    std::string spelled(text.size() * 2 + 1, '\0');
    int length = WideCharToMultiByte(
        CP_ACP, bestFit ? 0 : WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
        spelled.data(), static_cast<int>(spelled.size()), nullptr, bestFit ? nullptr : lost);
    spelled.resize(static_cast<size_t>(length));
    return spelled;
}

template <typename Char>
std::vector<std::basic_string<Char>> PathParts(const std::basic_string<Char>& path) {
    std::vector<std::basic_string<Char>> parts(1);
    for (Char c : path) {
        if (c == Char('\\'))
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& start) {
    return text.size() >= start.size() &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.c_str(),
                          static_cast<int>(start.size()), start.c_str(),
                          static_cast<int>(start.size())) == CSTR_EQUAL;
}

// The dialog's result with each folder or file name that the code page cannot spell in its
// "?" spelling, so that opening or writing it fails clearly instead of reaching what the
// best-fit spelling names. A name the dialog lengthened (by the default extension) keeps the
// addition.
std::string WithUnspellableNames(const std::string& result) {
    std::vector<std::string> parts = PathParts(result);
    std::vector<std::wstring> chosen = PathParts(g_chosenPath);
    if (g_chosenPath.empty() || chosen.size() != parts.size()) return result;
    std::string path;
    for (size_t i = 0; i < parts.size(); ++i) {
        BOOL lost = FALSE;
        std::string exact = Spelled(chosen[i], false, &lost);
        std::string bestFit = Spelled(chosen[i], true);
        if (lost && StartsWithIgnoringCase(parts[i], bestFit) &&
            (parts[i].size() == bestFit.size() || i + 1 == parts.size()))
            parts[i] = exact + parts[i].substr(bestFit.size());
        path += (i ? "\\" : "") + parts[i];
    }
    return path;
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

// Notes the chosen path as the user confirms it. Once the dialog is ready, guards it against long
// names and moves it onto the monitor of the active form: centred, one third of the free height
// from the top.
void DialogNotified(HWND dialog, UINT code) {
    if (code == CDN_FILEOK) NoteChosenPath(dialog);
    if (code != CDN_INITDONE) return;
    GuardAgainstLongNames(dialog);
    HWND anchor = GetWindow(dialog, GW_OWNER);
    if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
        anchor = Application->MainForm()->Handle();
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST), &info)) return;
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
    // Room for any name the dialog may hand back: a name too long for a file is reported as
    // chosen and then refused by opening or writing, never cut short or dropped.
    std::vector<char> file(kFileNameRoom, '\0');
    FileName.copy(file.data(), file.size() - 1);
    std::string filter = FilterForSystem(Filter);
    std::string extension = ExtensionForSystem(DefaultExt);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Application ? Application->Handle() : nullptr;
    ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = SystemFlags();
    ofn.lpfnHook = PlacementHook;

    CancelMouseCapture();
    g_chosenPath.clear();
    g_tooLongPath.clear();
    g_extension = std::wstring(extension.begin(), extension.end());
    HWND active = GetActiveWindow();
    EnsureComApartment();
    BOOL chosen;
    {
        TaskWindowsDisabled others;
        chosen = RunSystemDialog(ofn);
    }
    if (active && IsWindow(active)) SetActiveWindow(active);
    if (!g_tooLongPath.empty()) {
        FileName = Spelled(g_tooLongPath, false);
        return true;
    }
    if (!chosen) return false;
    // Names the ANSI code page cannot spell keep their "?": opening or writing then fails
    // clearly instead of reaching the file that the best-fit spelling names.
    FileName = WithUnspellableNames(file.data());
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
