// The error box: its caption and text, the application's windows disabled and a pinned note
// out of the topmost layer while it is up, and everything restored after it.
#include "app/exception_display.h"
#include "support/win_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SeenBox {
    std::string Caption;
    std::string Text;
    bool NoteTopmost = false;
    bool NoteEnabled = false;
    bool AppEnabled = false;
    HWND Owner = nullptr;
};

HHOOK g_hook = nullptr;
HWND g_note = nullptr;
HWND g_app = nullptr;
std::vector<SeenBox> g_boxes;

std::string TextOf(HWND hwnd) {
    char buffer[512] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

// Records each message box as it is activated and answers it with OK.
LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[32] = {};
        GetClassNameA(box, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            SeenBox seen;
            seen.Caption = TextOf(box);
            seen.Text = TextOf(GetDlgItem(box, 0xFFFF));
            seen.NoteTopmost = (GetWindowLongA(g_note, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            seen.NoteEnabled = IsWindowEnabled(g_note) != FALSE;
            seen.AppEnabled = IsWindowEnabled(g_app) != FALSE;
            seen.Owner = GetWindow(box, GW_OWNER);
            g_boxes.push_back(seen);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

class ExceptionDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = fixture_.CreateNote();
        app::InstallExceptionDisplay(fixture_.App());
        g_note = form_->Handle();
        g_app = fixture_.App().Handle();
        g_boxes.clear();
        g_hook = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    }
    void TearDown() override { UnhookWindowsHookEx(g_hook); }

    // Raises from a click on the close glyph, as a handler would.
    void RaiseFromHandler(const std::string& message) {
        ClickCloseGlyph([message](tk::TObject*) { throw tk::EInvalidOperation(message); });
    }
    void ClickCloseGlyph(tk::TNotifyEvent handler) {
        form_->Label1->OnClick = std::move(handler);
        HWND panel = form_->panel->Handle();
        POINT p{form_->Label1->Left() + 5, form_->Label1->Top() + 5};
        SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        g_note = form_->Handle();
    }

    wintest::AppFixture fixture_;
    note::TForm1* form_ = nullptr;
};

TEST_F(ExceptionDisplay, TheBoxShowsTheMessageWithOneFullStopUnderTheCurrentTitle) {
    RaiseFromHandler("Cannot create file \"C:\\x.txt\". Access denied");
    fixture_.App().SetTitle("list.txt");
    RaiseFromHandler("Ends with a full stop.");
    RaiseFromHandler("Quoted \"name\"");
    RaiseFromHandler("Error 42");
    ASSERT_EQ(g_boxes.size(), 4u);
    EXPECT_EQ(g_boxes[0].Caption, "Pinlet");
    EXPECT_EQ(g_boxes[0].Text, "Cannot create file \"C:\\x.txt\". Access denied.");
    EXPECT_EQ(g_boxes[0].Owner, fixture_.App().Handle());
    EXPECT_EQ(g_boxes[1].Caption, "list.txt");
    EXPECT_EQ(g_boxes[1].Text, "Ends with a full stop.");
    EXPECT_EQ(g_boxes[2].Text, "Quoted \"name\"");
    EXPECT_EQ(g_boxes[3].Text, "Error 42.");
}

TEST_F(ExceptionDisplay, APinnedNoteLeavesTheTopmostLayerWhileTheBoxIsUp) {
    form_->Label2Click(form_); // pin
    wintest::PumpMessages();
    ASSERT_TRUE(GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetActiveWindow(form_->Handle());
    SetFocus(form_->Memo1->Handle());

    RaiseFromHandler("Stream write error");
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_FALSE(g_boxes[0].NoteTopmost);
    EXPECT_FALSE(g_boxes[0].NoteEnabled);
    EXPECT_FALSE(g_boxes[0].AppEnabled);

    EXPECT_TRUE(GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
    EXPECT_TRUE(IsWindowEnabled(fixture_.App().Handle()));
    EXPECT_EQ(GetActiveWindow(), form_->Handle());
    EXPECT_EQ(GetFocus(), form_->Memo1->Handle());
}

TEST_F(ExceptionDisplay, AnAbortShowsNothingAndTheProgramGoesOn) {
    ClickCloseGlyph([](tk::TObject*) { throw tk::EAbort(); });
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_TRUE(IsWindow(form_->Handle()));
}

} // namespace
