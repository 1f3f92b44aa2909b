// The error box: its caption and text, the application's windows disabled and a pinned note
// out of the topmost layer while it is up, and everything restored after it.
#include "app/exception_display.h"
#include "dialogs/layout/dialog_text.h"
#include "dialogs/message_dialog.h"
#include "toolkit/text/unicode_text.h"
#include "support/win_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct SeenBox {
    std::string Caption;
    std::string Text;
    bool NoteTopmost = false;
    bool NoteEnabled = false;
    bool AppEnabled = false;
    HWND Owner = nullptr;
    std::string OwnerText;
    bool DuringPaint = false;
};

HHOOK g_hook = nullptr;
HWND g_note = nullptr;
HWND g_app = nullptr;
std::vector<SeenBox> g_boxes;
tk::TApplication* g_application = nullptr; // queues a failure when a question comes up
bool g_copyFromBox = false;                // Ctrl+C in the next box before it is answered
HHOOK g_sizeHook = nullptr;
std::vector<RECT> g_boxPlaces; // each box's place once the system has sized it

// Records where each message box is once it has laid itself out.
LRESULT CALLBACK RecordBoxPlaces(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG) {
        RECT place{};
        GetWindowRect(call->hwnd, &place);
        g_boxPlaces.push_back(place);
    }
    return CallNextHookEx(g_sizeHook, code, wParam, lParam);
}

std::string ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return "(clipboard busy)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return tk::Utf8(text);
}
bool g_inPaint = false; // set while a window procedure below handles WM_PAINT

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
        if (TextOf(box) == "Confirm") {
            // A question of the note: a failure meanwhile shows its box, then the question is
            // closed.
            if (tk::TApplication* application = std::exchange(g_application, nullptr)) {
                try {
                    throw tk::EInvalidOperation("Failed while asking");
                } catch (...) {
                    application->QueueException();
                }
            } else {
                PostMessageA(box, WM_CLOSE, 0, 0);
            }
        }
        if (std::string(cls) == "#32770") {
            SeenBox seen;
            seen.Caption = TextOf(box);
            seen.Text = TextOf(GetDlgItem(box, 0xFFFF));
            seen.NoteTopmost = (GetWindowLongA(g_note, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            seen.NoteEnabled = IsWindowEnabled(g_note) != FALSE;
            seen.AppEnabled = IsWindowEnabled(g_app) != FALSE;
            seen.Owner = GetWindow(box, GW_OWNER);
            seen.OwnerText = TextOf(seen.Owner);
            seen.DuringPaint = g_inPaint;
            g_boxes.push_back(seen);
            if (std::exchange(g_copyFromBox, false))
                PostMessageA(GetDlgItem(box, IDOK), WM_CHAR, 3, 0); // Ctrl+C
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
        g_boxPlaces.clear();
        g_sizeHook =
            SetWindowsHookExA(WH_CALLWNDPROCRET, RecordBoxPlaces, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        UnhookWindowsHookEx(g_sizeHook);
        UnhookWindowsHookEx(g_hook);
    }

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
        wintest::PumpMessages(); // the box waits for the message loop
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

// A message with a long file name: the box stays within the work area of its monitor, its lines
// broken after the name's separators where it is shown, and Ctrl+C copies the message whole.
TEST_F(ExceptionDisplay, ABoxWithALongFileNameStaysOnItsMonitorAndCopiesTheNameWhole) {
    std::string path = "Z:\\tmp\\pinlet-keeping.AbC123\\";
    while (path.size() < 280)
        path += 'n';
    path += ".txt"; // 284 characters
    const std::string message = "Cannot open file \"" + path + "\". File name is too long";
    g_copyFromBox = true;
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    RaiseFromHandler(message);
    ASSERT_EQ(g_boxes.size(), 1u);
    std::string shown = g_boxes[0].Text;
    EXPECT_NE(shown.find("pinlet-keeping.AbC123\\\n"), std::string::npos) << shown;
    std::erase(shown, '\n');
    EXPECT_EQ(shown, message + ".");
    EXPECT_EQ(ClipboardText(), dialogs::DialogClipboardText("Pinlet", message + ".", {"OK"}));

    ASSERT_EQ(g_boxPlaces.size(), 1u);
    const RECT& place = g_boxPlaces[0];
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_GE(place.left, monitor.rcWork.left);
    EXPECT_GE(place.top, monitor.rcWork.top);
    EXPECT_LE(place.right, monitor.rcWork.right);
    EXPECT_LE(place.bottom, monitor.rcWork.bottom);
}

// A failure while a question of the note is up: its box is owned by the question, in front of it.
TEST_F(ExceptionDisplay, ABoxShownWhileAQuestionIsUpIsOwnedByTheQuestion) {
    g_application = &fixture_.App();
    ClickCloseGlyph([](tk::TObject*) { dialogs::ConfirmMessage("A question?"); });
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].Text, "Failed while asking.");
    EXPECT_EQ(g_boxes[0].OwnerText, "Confirm");
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

// A control whose painting fails, and a window procedure around its window that tells whether a
// paint is under way (the control's own procedure catches what its painting throws).
class FailingPaint : public tk::TCustomControl {
public:
    using tk::TCustomControl::TCustomControl;
    int Paints = 0;

protected:
    void Paint(tk::TCanvas&) override {
        ++Paints;
        throw tk::EInvalidOperation("Canvas does not allow drawing");
    }
};

WNDPROC g_failingProc = nullptr;
LRESULT CALLBACK TellsWhenPainting(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool paint = msg == WM_PAINT;
    if (paint) g_inPaint = true;
    LRESULT result = CallWindowProcA(g_failingProc, hwnd, msg, wParam, lParam);
    if (paint) g_inPaint = false;
    return result;
}

TEST_F(ExceptionDisplay, APaintThatFailsShowsOneBoxAfterThePaintHasEnded) {
    auto* failing = new FailingPaint(form_);
    failing->SetParent(form_->panel);
    failing->SetBounds(40, 60, 50, 30);
    g_failingProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        failing->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TellsWhenPainting)));
    g_boxes.clear();
    for (int repaint = 0; repaint < 3; ++repaint) {
        failing->Invalidate();
        failing->Update();
    }
    EXPECT_EQ(failing->Paints, 3);
    wintest::PumpMessages();
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].Text, "Canvas does not allow drawing.");
    EXPECT_FALSE(g_boxes[0].DuringPaint);

    // The same failure from a repaint that nobody asked for is not shown again; after a key it is.
    failing->Invalidate();
    wintest::PumpMessages();
    EXPECT_EQ(g_boxes.size(), 1u);
    PostMessageA(form_->Memo1->Handle(), WM_KEYDOWN, VK_SHIFT, 0);
    fixture_.App().ProcessMessages(); // the application's loop sees the key
    failing->Invalidate();
    wintest::PumpMessages();
    EXPECT_EQ(g_boxes.size(), 2u);
    SetWindowLongPtrA(failing->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_failingProc));
}

TEST_F(ExceptionDisplay, AnAbortShowsNothingAndTheProgramGoesOn) {
    ClickCloseGlyph([](tk::TObject*) { throw tk::EAbort(); });
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_TRUE(IsWindow(form_->Handle()));
}

} // namespace
