// The window-action image: what a press on it sends to its owner's window, and the system's
// drag-full-windows setting around it.
#include "support/win_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using wndact::TClickTargets;
using wndact::TWndActImage;

namespace {

struct NcPress {
    HWND Target;
    WPARAM HitTest;
    LPARAM Position;
    BOOL DragFullWindows; // the system setting while the press is handled
    bool Captured;        // whether any window still held the mouse capture
};

std::vector<NcPress> g_presses;

NcPress Record(HWND hwnd, WPARAM w, LPARAM l) {
    BOOL full = -1;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    return {hwnd, w, l, full, GetCapture() != nullptr};
}

// Records WM_NCLBUTTONDOWN instead of starting the system's move or size loop.
class RecordingForm : public tk::TForm {
public:
    using tk::TForm::TForm;

protected:
    LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
        if (msg == WM_NCLBUTTONDOWN) {
            g_presses.push_back(Record(Handle(), w, l));
            return 0;
        }
        return tk::TForm::WndProc(msg, w, l);
    }
};

class RecordingPanel : public advpanel::TAdvPanel {
public:
    using advpanel::TAdvPanel::TAdvPanel;

protected:
    LRESULT WndProc(UINT msg, WPARAM w, LPARAM l) override {
        if (msg == WM_NCLBUTTONDOWN) {
            g_presses.push_back(Record(Handle(), w, l));
            return 0;
        }
        return advpanel::TAdvPanel::WndProc(msg, w, l);
    }
};

class WindowAction : public ::testing::Test {
protected:
    void SetUp() override {
        g_presses.clear();
        SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &userSetting_, 0);
        form_ = new RecordingForm(&fixture_.App());
        form_->SetBorderStyle(tk::TFormBorderStyle::bsNone);
        form_->SetBounds(100, 100, 300, 200);
        panel_ = new RecordingPanel(form_);
        panel_->SetParent(form_);
        panel_->SetAlign(tk::TAlign::alClient);
        image_ = new TWndActImage(form_);
        image_->SetParent(panel_);
        image_->SetBounds(10, 40, 50, 20);
        fixture_.App().AddForm(form_);
        form_->Show();
        wintest::PumpMessages();
    }
    void TearDown() override {
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, userSetting_, nullptr, 0);
    }

    void Press(UINT down, UINT up, WPARAM keys) {
        LPARAM at = MAKELPARAM(20, 50);
        SendMessageA(panel_->Handle(), down, keys, at);
        SendMessageA(panel_->Handle(), up, 0, at);
    }

    wintest::AppFixture fixture_;
    RecordingForm* form_ = nullptr;
    RecordingPanel* panel_ = nullptr;
    TWndActImage* image_ = nullptr;
    BOOL userSetting_ = FALSE;
};

TEST_F(WindowAction, EachTargetSendsItsHitTestCodeToTheOwnersWindow) {
    const std::pair<int, WPARAM> cases[] = {
        {0, HTCAPTION},    {1, HTTOP},      {2, HTRIGHT},    {3, HTBOTTOM},
        {4, HTLEFT},       {5, HTTOPRIGHT}, {6, HTTOPLEFT},  {7, HTBOTTOMRIGHT},
        {8, HTBOTTOMLEFT}, {9, HTNOWHERE},  {10, HTNOWHERE}, {200, HTNOWHERE},
    };
    for (auto [ordinal, code] : cases) {
        g_presses.clear();
        image_->ClickTarget = static_cast<TClickTargets>(ordinal);
        Press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
        ASSERT_EQ(g_presses.size(), 1u) << ordinal;
        // The owner (the form) gets it, not the parent (the panel).
        EXPECT_EQ(g_presses[0].Target, form_->Handle()) << ordinal;
        EXPECT_EQ(g_presses[0].HitTest, code) << ordinal;
        EXPECT_EQ(g_presses[0].Position, 0) << ordinal;
        // The press's capture has been released before the loop starts.
        EXPECT_FALSE(g_presses[0].Captured) << ordinal;
    }
}

TEST_F(WindowAction, RightMiddleAndDoubleClickPressesActToo) {
    image_->ClickTarget = TClickTargets::atBorderRight;
    Press(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    Press(WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON);
    Press(WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON);
    ASSERT_EQ(g_presses.size(), 3u);
    for (const NcPress& p : g_presses)
        EXPECT_EQ(p.HitTest, static_cast<WPARAM>(HTRIGHT));
}

TEST_F(WindowAction, SwitchesDragFullWindowsForTheLoopAndRestoresIt) {
    for (BOOL user : {FALSE, TRUE}) {
        for (bool content : {false, true}) {
            g_presses.clear();
            SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, user, nullptr, 0);
            image_->ShowWndContent = content;
            Press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
            ASSERT_EQ(g_presses.size(), 1u);
            EXPECT_EQ(g_presses[0].DragFullWindows != FALSE, content) << user << content;
            BOOL after = -1;
            SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &after, 0);
            EXPECT_EQ(after, user) << user << content;
        }
    }
}

TEST_F(WindowAction, AnotherMouseDownHandlerSwitchesTheActionOff) {
    int calls = 0;
    image_->OnMouseDown = [&](tk::TObject*, tk::TMouseButton, tk::TShiftState, int, int) {
        ++calls;
    };
    Press(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(g_presses.empty());
}

TEST_F(WindowAction, AnImageWhoseOwnerHasNoWindowDoesNothing) {
    auto* orphan = new TWndActImage(nullptr);
    orphan->SetParent(panel_);
    orphan->SetBounds(100, 100, 30, 30);
    SendMessageA(panel_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 110));
    SendMessageA(panel_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(110, 110));
    EXPECT_TRUE(g_presses.empty());
    delete orphan;
}

} // namespace
