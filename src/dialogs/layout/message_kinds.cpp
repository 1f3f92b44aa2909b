#include "message_kinds.h"

#include <array>
#include <initializer_list>

namespace dialogs {
namespace {

constexpr std::array<DialogKindInfo, 5> kDialogKinds{{
    {65351, "Warning", 32515},     // IDI_EXCLAMATION
    {65352, "Error", 32513},       // IDI_HAND
    {65353, "Information", 32516}, // IDI_ASTERISK
    {65354, "Confirm", 32514},     // IDI_QUESTION
    {0, nullptr, 0},
}};

constexpr std::array<ButtonKindInfo, kButtonKindCount> kButtonKinds{{
    {"Yes", 65355, "&Yes", tk::mrYes},
    {"No", 65356, "&No", tk::mrNo},
    {"OK", 65357, "OK", tk::mrOk},
    {"Cancel", 65358, "Cancel", tk::mrCancel},
    {"Abort", 65328, "&Abort", tk::mrAbort},
    {"Retry", 65329, "&Retry", tk::mrRetry},
    {"Ignore", 65330, "&Ignore", tk::mrIgnore},
    {"All", 65331, "&All", tk::mrAll},
    {"NoToAll", 65332, "N&o to All", tk::mrNoToAll},
    {"YesToAll", 65333, "Yes to &All", tk::mrYesToAll},
    {"Help", 65359, "&Help", tk::mrNone},
}};

std::optional<TMsgDlgBtn> FirstIn(TMsgDlgButtons set, std::initializer_list<TMsgDlgBtn> order) {
    for (TMsgDlgBtn kind : order)
        if (Contains(set, kind)) return kind;
    return std::nullopt;
}

} // namespace

const DialogKindInfo& DialogKind(TMsgDlgType kind) {
    auto index = static_cast<size_t>(kind);
    return kDialogKinds[index < kDialogKinds.size() ? index : kDialogKinds.size() - 1];
}

const ButtonKindInfo& ButtonKind(TMsgDlgBtn kind) {
    return kButtonKinds.at(static_cast<size_t>(kind));
}

bool Contains(TMsgDlgButtons set, TMsgDlgBtn kind) {
    return (set & ButtonBit(kind)) != 0;
}

std::vector<TMsgDlgBtn> ButtonsIn(TMsgDlgButtons set) {
    std::vector<TMsgDlgBtn> kinds;
    for (int i = 0; i < kButtonKindCount; ++i)
        if (Contains(set, static_cast<TMsgDlgBtn>(i))) kinds.push_back(static_cast<TMsgDlgBtn>(i));
    return kinds;
}

std::optional<TMsgDlgBtn> DefaultButton(TMsgDlgButtons set) {
    return FirstIn(set, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbYes, TMsgDlgBtn::mbRetry});
}

std::optional<TMsgDlgBtn> CancelButton(TMsgDlgButtons set) {
    return FirstIn(set, {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbOK});
}

} // namespace dialogs
