#pragma once
// The common open and save dialogs as components: their stored settings and the system dialog.
#include "toolkit/components/component.h"

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace tk {

using TOpenOptions = unsigned;
constexpr TOpenOptions ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2,
                       ofNoChangeDir = 1u << 3, ofShowHelp = 1u << 4, ofNoValidate = 1u << 5,
                       ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
                       ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9,
                       ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
                       ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13,
                       ofEnableSizing = 1u << 14;

// Characters of room for the name a dialog hands back: the longest path the system knows.
inline constexpr size_t kFileNameRoom = 32768;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TOpenDialog"; }

    std::string Title;
    std::string Filter; // "description|pattern|description|pattern"
    int FilterIndex = 1;
    std::string DefaultExt;
    std::string FileName;
    std::string InitialDir;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
    bool Ctl3D = true;

    // Shows the system dialog modally, owned by the application's window, with every other
    // window of the application disabled meanwhile. True when the user chose a file, which is
    // then FileName (a full path, which may be too long for a file); FilterIndex is the filter
    // last chosen.
    bool Execute();

protected:
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;
    virtual BOOL RunSystemDialog(OPENFILENAMEW& ofn);

private:
    static UINT_PTR CALLBACK PlacementHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    DWORD SystemFlags() const;
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    const char* ClassName() const override { return "TSaveDialog"; }

protected:
    BOOL RunSystemDialog(OPENFILENAMEW& ofn) override;
};

} // namespace tk
