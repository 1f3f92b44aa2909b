#pragma once
// Where everything of a message dialog goes, from the measured font and texts.
#include "message_kinds.h"
#include "toolkit/base/geometry.h"

#include <array>
#include <optional>
#include <vector>

namespace dialogs {

// The letters whose extent gives the dialog font's average character width and height.
inline constexpr const char kMeasureLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr int kMeasureLetterCount = 52;
// Width and height of a system icon in the dialog.
inline constexpr int kIconSize = 32;

struct MessageMetrics {
    int HorzMargin = 0;
    int VertMargin = 0;
    int HorzSpacing = 0;
    int VertSpacing = 0;
    int ButtonWidth = 0; // the least width; captions may widen it
    int ButtonHeight = 0;
    int ButtonSpacing = 0;
};

// Margins, spacings and button size from the average character width and the character height.
MessageMetrics DeriveMetrics(int avgCharWidth, int charHeight);

struct MessageLayoutInput {
    int AvgCharWidth = 0;
    int CharHeight = 0;
    TMsgDlgButtons Buttons = 0;
    // Per button kind: its caption's measured width + 8 (the button-width cache).
    std::array<int, kButtonKindCount> CaptionWidths{};
    int TextWidth = 0;
    int TextHeight = 0;
    bool HasIcon = false;
    bool RightToLeft = false;
};

struct PlacedButton {
    TMsgDlgBtn Kind;
    tk::TRect Bounds;
    bool Default = false;
    bool Cancel = false;
};

struct MessageLayout {
    MessageMetrics Metrics; // ButtonWidth is the width every button of the dialog gets
    int BlockWidth = 0;     // icon and text
    int BlockHeight = 0;
    int RowWidth = 0; // the buttons with their spacing
    int ClientWidth = 0;
    int ClientHeight = 0;
    std::optional<tk::TRect> Icon;
    tk::TRect Label;
    std::vector<PlacedButton> Buttons; // in bit order, left to right
};

MessageLayout LayoutMessageDialog(const MessageLayoutInput& in);

// The rectangle DrawTextW fills in when measuring the message: lines break within half the
// primary screen's width.
tk::TRect MessageMeasureRect(int screenWidth);

// Top-left corner that centres a window of the given size in `area`.
tk::TPoint CenteredIn(const tk::TRect& area, int width, int height);

} // namespace dialogs
