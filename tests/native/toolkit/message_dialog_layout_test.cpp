// The message dialog's OS-free parts: layout arithmetic, button kinds and their rules, access
// keys, the caption-width cache and the copied text.
#include "dialogs/layout/access_keys.h"
#include "dialogs/layout/button_width_cache.h"
#include "dialogs/layout/dialog_text.h"
#include "dialogs/layout/message_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dialogs::ButtonBit;
using dialogs::MessageLayout;
using dialogs::MessageLayoutInput;
using dialogs::TMsgDlgBtn;
using tk::TRect;

constexpr dialogs::TMsgDlgButtons kYesNoCancel = dialogs::mbYesNoCancel;

// A font averaging 6 pixels a letter, 13 high: margins 12 and 13, spacings 15 and 16, buttons
// at least 75 wide and 23 high, 6 apart.
MessageLayoutInput Font6x13(dialogs::TMsgDlgButtons buttons, int textWidth, int textHeight,
                            bool icon) {
    MessageLayoutInput in;
    in.AvgCharWidth = 6;
    in.CharHeight = 13;
    in.Buttons = buttons;
    in.CaptionWidths.fill(40); // every caption narrower than the least button width
    in.TextWidth = textWidth;
    in.TextHeight = textHeight;
    in.HasIcon = icon;
    return in;
}

std::vector<TRect> ButtonRects(const MessageLayout& layout) {
    std::vector<TRect> rects;
    for (const auto& b : layout.Buttons)
        rects.push_back(b.Bounds);
    return rects;
}

TEST(MessageDialogLayout, MetricsRoundLikeTheSystemsMulDiv) {
    auto m = dialogs::DeriveMetrics(7, 16);
    EXPECT_EQ(m.HorzMargin, 14);
    EXPECT_EQ(m.VertMargin, 16);
    EXPECT_EQ(m.HorzSpacing, 18); // 17.5 rounds up
    EXPECT_EQ(m.VertSpacing, 20);
    EXPECT_EQ(m.ButtonWidth, 88); // 87.5 rounds up
    EXPECT_EQ(m.ButtonHeight, 28);
    EXPECT_EQ(m.ButtonSpacing, 7);
}

TEST(MessageDialogLayout, ConfirmationOnOneLineWithIcon) {
    MessageLayout l = dialogs::LayoutMessageDialog(Font6x13(kYesNoCancel, 230, 13, true));
    EXPECT_EQ(l.Metrics.ButtonWidth, 75);
    EXPECT_EQ(l.BlockWidth, 277); // 230 + 32 + 15
    EXPECT_EQ(l.BlockHeight, 32); // the icon is taller than one line
    EXPECT_EQ(l.RowWidth, 237);
    EXPECT_EQ(l.ClientWidth, 301);
    EXPECT_EQ(l.ClientHeight, 97); // 32 + 23 + 16 + 2 * 13
    ASSERT_TRUE(l.Icon.has_value());
    EXPECT_EQ(*l.Icon, (TRect{12, 13, 44, 45}));
    EXPECT_EQ(l.Label, (TRect{59, 13, 289, 26}));
    EXPECT_EQ(ButtonRects(l),
              (std::vector<TRect>{{32, 61, 107, 84}, {113, 61, 188, 84}, {194, 61, 269, 84}}));
    ASSERT_EQ(l.Buttons.size(), 3u);
    EXPECT_EQ(l.Buttons[0].Kind, TMsgDlgBtn::mbYes);
    EXPECT_EQ(l.Buttons[2].Kind, TMsgDlgBtn::mbCancel);
    EXPECT_TRUE(l.Buttons[0].Default);
    EXPECT_FALSE(l.Buttons[0].Cancel || l.Buttons[1].Default || l.Buttons[1].Cancel ||
                 l.Buttons[2].Default);
    EXPECT_TRUE(l.Buttons[2].Cancel);
}

TEST(MessageDialogLayout, WithoutIconTheTextStartsAtTheMargin) {
    MessageLayout l = dialogs::LayoutMessageDialog(Font6x13(kYesNoCancel, 250, 13, false));
    EXPECT_FALSE(l.Icon.has_value());
    EXPECT_EQ(l.BlockWidth, 250);
    EXPECT_EQ(l.BlockHeight, 13);
    EXPECT_EQ(l.ClientWidth, 274);
    EXPECT_EQ(l.ClientHeight, 78);
    EXPECT_EQ(l.Label, (TRect{12, 13, 262, 26}));
    EXPECT_EQ(l.Buttons[0].Bounds, (TRect{18, 42, 93, 65})); // (274 - 237) / 2 rounds down
}

TEST(MessageDialogLayout, AWrappedMessageGrowsTheBlockInHeightOnly) {
    // Measured within half of a 1280-pixel screen: five lines, at most 640 wide.
    EXPECT_EQ(dialogs::MessageMeasureRect(1280), (TRect{0, 0, 640, 0}));
    EXPECT_EQ(dialogs::MessageMeasureRect(1279).Right, 639);
    MessageLayout l = dialogs::LayoutMessageDialog(Font6x13(kYesNoCancel, 637, 65, true));
    EXPECT_EQ(l.BlockWidth, 684);
    EXPECT_EQ(l.BlockHeight, 65);
    EXPECT_EQ(l.ClientWidth, 708);
    EXPECT_EQ(l.ClientHeight, 130);
    EXPECT_EQ(l.Label, (TRect{59, 13, 696, 78}));
    EXPECT_EQ(l.Buttons[0].Bounds.Top, 94);
}

TEST(MessageDialogLayout, AWideCaptionWidensEveryButtonAlike) {
    MessageLayoutInput in =
        Font6x13(ButtonBit(TMsgDlgBtn::mbYes) | ButtonBit(TMsgDlgBtn::mbNoToAll) |
                     ButtonBit(TMsgDlgBtn::mbCancel),
                 300, 13, true);
    in.CaptionWidths[static_cast<size_t>(TMsgDlgBtn::mbNoToAll)] = 90;
    // A wide caption of a kind that is not in the set changes nothing.
    in.CaptionWidths[static_cast<size_t>(TMsgDlgBtn::mbYesToAll)] = 200;
    MessageLayout l = dialogs::LayoutMessageDialog(in);
    EXPECT_EQ(l.Metrics.ButtonWidth, 90);
    EXPECT_EQ(l.RowWidth, 282);
    EXPECT_EQ(l.ClientWidth, 371); // block 347 + 2 * 12
    EXPECT_EQ(ButtonRects(l),
              (std::vector<TRect>{{44, 61, 134, 84}, {140, 61, 230, 84}, {236, 61, 326, 84}}));
}

TEST(MessageDialogLayout, ARowWiderThanTheTextSetsTheWidthAndIsCentred) {
    auto set = static_cast<dialogs::TMsgDlgButtons>(
        ButtonBit(TMsgDlgBtn::mbAbort) | ButtonBit(TMsgDlgBtn::mbRetry) |
        ButtonBit(TMsgDlgBtn::mbIgnore) | ButtonBit(TMsgDlgBtn::mbHelp));
    MessageLayout l = dialogs::LayoutMessageDialog(Font6x13(set, 40, 13, false));
    EXPECT_EQ(l.RowWidth, 318);
    EXPECT_EQ(l.ClientWidth, 342);
    EXPECT_EQ(l.Label.Left, 12); // the text keeps its place at the margin
    EXPECT_EQ(l.Buttons.front().Bounds.Left, 12);
    EXPECT_EQ(l.Buttons.back().Bounds.Right, 330);
    // With an icon the text keeps its left after the icon as well.
    MessageLayout withIcon = dialogs::LayoutMessageDialog(Font6x13(set, 40, 13, true));
    EXPECT_EQ(withIcon.Label.Left, 59);
    EXPECT_EQ(withIcon.ClientWidth, 342);
}

TEST(MessageDialogLayout, RightToLeftMirrorsTheLabelOnly) {
    MessageLayoutInput in = Font6x13(ButtonBit(TMsgDlgBtn::mbOK), 40, 13, true);
    in.RightToLeft = true;
    MessageLayout l = dialogs::LayoutMessageDialog(in);
    ASSERT_EQ(l.ClientWidth, 111);               // block 40 + 32 + 15, margins 12
    EXPECT_EQ(l.Label, (TRect{12, 13, 52, 26})); // 111 - (87 - 40 + 12) - 40
    EXPECT_EQ(*l.Icon, (TRect{12, 13, 44, 45}));
}

TEST(MessageDialogLayout, NoButtonsLeaveAnEmptyRow) {
    MessageLayout l = dialogs::LayoutMessageDialog(Font6x13(0, 100, 13, false));
    EXPECT_EQ(l.RowWidth, 0);
    EXPECT_TRUE(l.Buttons.empty());
    EXPECT_EQ(l.ClientWidth, 124);
}

TEST(MessageDialogLayout, CentringOnTheScreenAndOnAnotherMonitor) {
    EXPECT_EQ(dialogs::CenteredIn({0, 0, 1280, 1024}, 307, 126), (tk::TPoint{486, 449}));
    EXPECT_EQ(dialogs::CenteredIn({1280, -100, 2304, 668}, 307, 126), (tk::TPoint{1638, 221}));
}

TEST(MessageDialogKinds, TitlesIconsCaptionsAndResults) {
    using dialogs::DialogKind;
    using dialogs::TMsgDlgType;
    EXPECT_STREQ(DialogKind(TMsgDlgType::mkConfirmation).Title, "Confirm");
    EXPECT_EQ(DialogKind(TMsgDlgType::mkConfirmation).IconId, 32514);
    EXPECT_EQ(DialogKind(TMsgDlgType::mkWarning).IconId, 32515);
    EXPECT_EQ(DialogKind(TMsgDlgType::mkError).IconId, 32513);
    EXPECT_EQ(DialogKind(TMsgDlgType::mkInformation).IconId, 32516);
    EXPECT_EQ(DialogKind(TMsgDlgType::mkCustom).Title, nullptr);
    EXPECT_EQ(DialogKind(TMsgDlgType::mkCustom).IconId, 0);

    std::vector<int> results;
    for (int i = 0; i < dialogs::kButtonKindCount; ++i)
        results.push_back(dialogs::ButtonKind(static_cast<TMsgDlgBtn>(i)).Result);
    EXPECT_EQ(results, (std::vector<int>{6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0}));
    EXPECT_STREQ(dialogs::ButtonKind(TMsgDlgBtn::mbNoToAll).Name, "NoToAll");
    EXPECT_STREQ(dialogs::ButtonKind(TMsgDlgBtn::mbNoToAll).Caption, "N&o to All");
    EXPECT_EQ(dialogs::ButtonKind(TMsgDlgBtn::mbYesToAll).CaptionId, 65333);
}

TEST(MessageDialogKinds, DefaultAndCancelButtonsFollowTheirOrderOfPreference) {
    auto set = [](std::initializer_list<TMsgDlgBtn> kinds) {
        dialogs::TMsgDlgButtons s = 0;
        for (TMsgDlgBtn k : kinds)
            s |= ButtonBit(k);
        return s;
    };
    using B = TMsgDlgBtn;
    EXPECT_EQ(dialogs::DefaultButton(set({B::mbYes, B::mbOK})), B::mbOK);
    EXPECT_EQ(dialogs::DefaultButton(set({B::mbAbort, B::mbRetry, B::mbYes})), B::mbYes);
    EXPECT_EQ(dialogs::DefaultButton(set({B::mbAbort, B::mbRetry, B::mbIgnore})), B::mbRetry);
    EXPECT_EQ(dialogs::DefaultButton(set({B::mbNo, B::mbCancel})), std::nullopt);
    EXPECT_EQ(dialogs::CancelButton(set({B::mbNo, B::mbCancel, B::mbOK})), B::mbCancel);
    EXPECT_EQ(dialogs::CancelButton(set({B::mbYes, B::mbNo, B::mbOK})), B::mbNo);
    EXPECT_EQ(dialogs::CancelButton(set({B::mbOK, B::mbHelp})), B::mbOK);
    EXPECT_EQ(dialogs::CancelButton(set({B::mbAbort, B::mbRetry, B::mbIgnore})), std::nullopt);
    // Bits beyond the known kinds are no buttons.
    EXPECT_EQ(dialogs::ButtonsIn(0xF800), std::vector<TMsgDlgBtn>{});
    EXPECT_EQ(dialogs::ButtonsIn(kYesNoCancel),
              (std::vector<TMsgDlgBtn>{B::mbYes, B::mbNo, B::mbCancel}));
}

TEST(MessageDialogAccessKeys, ASingleAmpersandMarksTheNextCharacter) {
    EXPECT_EQ(dialogs::AccessKey("&Yes"), 'Y');
    EXPECT_EQ(dialogs::AccessKey("N&o to All"), 'o');
    EXPECT_EQ(dialogs::AccessKey("Cancel"), '\0');
    EXPECT_EQ(dialogs::AccessKey("Fish && Chips"), '\0');
    EXPECT_EQ(dialogs::AccessKey("Fish && &Chips"), 'C');
    EXPECT_EQ(dialogs::AccessKey("A&&&B"), 'B');
    EXPECT_EQ(dialogs::AccessKey("&&x"), '\0');
    EXPECT_EQ(dialogs::AccessKey("Trailing&"), '\0');
    EXPECT_EQ(dialogs::AccessKey(""), '\0');
    EXPECT_EQ(dialogs::WithoutAmpersands("Yes to &All"), "Yes to All");
    EXPECT_EQ(dialogs::WithoutAmpersands("a&&b&"), "ab");
}

TEST(MessageDialogWidthCache, EachKindIsMeasuredOnceAndKeepsWidthPlusEight) {
    dialogs::ButtonWidthCache cache;
    std::vector<std::string> measured;
    auto measure = [&](const std::string& caption) {
        measured.push_back(caption);
        return static_cast<int>(caption.size()) * 10;
    };
    cache.Fill(kYesNoCancel, measure);
    cache.Fill(ButtonBit(TMsgDlgBtn::mbYes) | ButtonBit(TMsgDlgBtn::mbOK), measure);
    EXPECT_EQ(measured, (std::vector<std::string>{"&Yes", "&No", "Cancel", "OK"}));
    EXPECT_EQ(cache.Widths()[0], 48);
    EXPECT_EQ(cache.Widths()[2], 28);
    EXPECT_EQ(cache.Widths()[3], 68);
    EXPECT_EQ(cache.Widths()[4], 0); // Abort: not measured yet
}

TEST(MessageDialogText, TheConfirmationCopiesSevenLines) {
    std::string text = dialogs::DialogClipboardText(
        "Confirm", "A jegyzet nincs mentve, \xEDgy is be akarod z\xE1rni?",
        {"&Yes", "&No", "Cancel"});
    const std::string d = "---------------------------\r\n";
    EXPECT_EQ(text, d + "Confirm\r\n" + d +
                        "A jegyzet nincs mentve, \xEDgy is be akarod z\xE1rni?\r\n" + d +
                        "Yes   No   Cancel   \r\n" + d);
    EXPECT_EQ(d.size(), 29u);
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 7u);
}

} // namespace
