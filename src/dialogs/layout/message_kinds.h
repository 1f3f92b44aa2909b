#pragma once
// The kinds of message dialog and of its buttons: titles, icons, names, captions and results.
#include "toolkit/forms/modal_result.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dialogs {

enum class TMsgDlgType { mkWarning, mkError, mkInformation, mkConfirmation, mkCustom };

// In this order the buttons stand from left to right; bit i of a button set stands for kind i.
enum class TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
constexpr int kButtonKindCount = 11;

using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons ButtonBit(TMsgDlgBtn kind) {
    return static_cast<TMsgDlgButtons>(1u << static_cast<unsigned>(kind));
}
// Yes, No and Cancel: the set the note's confirmation asks with.
constexpr TMsgDlgButtons mbYesNoCancel = 11;

struct DialogKindInfo {
    int TitleId;       // 0 for the custom kind, which takes the application title
    const char* Title; // nullptr for the custom kind
    int IconId;        // system icon for LoadIcon, 0 for none
};

struct ButtonKindInfo {
    const char* Name;
    int CaptionId;
    const char* Caption;     // "&" marks the access key
    tk::TModalResult Result; // stored into the dialog when clicked; mrNone keeps it open
};

const DialogKindInfo& DialogKind(TMsgDlgType kind);
const ButtonKindInfo& ButtonKind(TMsgDlgBtn kind);

// The kinds in a set, in bit order; bits beyond the known kinds are ignored.
std::vector<TMsgDlgBtn> ButtonsIn(TMsgDlgButtons set);
bool Contains(TMsgDlgButtons set, TMsgDlgBtn kind);

// The button that Enter answers when no other has the focus: OK, else Yes, else Retry, each only
// when in the set.
std::optional<TMsgDlgBtn> DefaultButton(TMsgDlgButtons set);
// The button that Esc clicks: Cancel, else No, else OK, each only when in the set.
std::optional<TMsgDlgBtn> CancelButton(TMsgDlgButtons set);

} // namespace dialogs
