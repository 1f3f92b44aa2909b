// The note window built from its stored layout: geometry, layout rules, titles, ownership,
// scaling, show commands and the off-screen start.
#include "support/win_test_support.h"
#include "toolkit/base/layout_scaling.h"

#include <gtest/gtest.h>

using tk::TRect;
using wintest::AppFixture;
using wintest::RectIn;

namespace {

TRect WindowRect(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    return tk::ToRect(rc);
}

std::string WindowText(HWND hwnd) {
    char buffer[256] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

TEST(NoteWindow, OpensWithTheStoredGeometry) {
    AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    ASSERT_EQ(tk::TCustomForm::MeasureTextHeight(form->Font()), 13)
        << "this test needs a screen whose reference font measures 13";

    EXPECT_EQ(WindowRect(form->Handle()), TRect::FromBounds(809, 218, 369, 277));
    EXPECT_EQ(form->panel->BoundsRect(), TRect::FromBounds(0, 0, 369, 277));
    EXPECT_EQ(RectIn(form->panel->Handle(), form->Handle()), TRect::FromBounds(0, 0, 369, 277));
    // FormCreate laid the window out for its stored size.
    EXPECT_EQ(RectIn(form->Memo1->Handle(), form->panel->Handle()),
              TRect::FromBounds(1, 31, 364, 237));
    EXPECT_EQ(form->Label1->Left(), 349);
    EXPECT_EQ(form->WndActImage1->BoundsRect(), TRect::FromBounds(0, 0, 369, 29));
    EXPECT_EQ(form->resizecorner->BoundsRect(), TRect::FromBounds(345, 261, 24, 16));
    EXPECT_EQ(form->WndActImage2->BoundsRect(), TRect::FromBounds(360, 31, 8, 233));
    EXPECT_EQ(form->WndActImage3->BoundsRect(), TRect::FromBounds(1, 264, 367, 12));
    // The glyphs keep their stored places.
    EXPECT_EQ(form->Label2->BoundsRect(), TRect::FromBounds(3, 3, 20, 23));
    EXPECT_EQ(form->Label3->BoundsRect(), TRect::FromBounds(91, 3, 20, 23));
    EXPECT_EQ(form->Label4->BoundsRect(), TRect::FromBounds(59, 3, 20, 23));
    EXPECT_FALSE(form->btn_ok->Visible());
    EXPECT_EQ(form->Memo1->Text(), "");
}

// Whether `icon` is still a live icon; the bitmaps its description makes are freed again.
bool IconExists(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    tk::BitmapHandle color(info.hbmColor), mask(info.hbmMask);
    return true;
}

TEST(NoteWindow, TheApplicationsSmallIconIsDestroyedWithItsWindow) {
    HICON small = nullptr;
    {
        AppFixture fixture;
        fixture.CreateNote(); // the application's window takes its icons once the note is shown
        HWND app = fixture.App().Handle();
        small = reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_SMALL, 0));
        ASSERT_TRUE(IconExists(small));
        ASSERT_NE(small, reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_BIG, 0)));
    }
    EXPECT_FALSE(IconExists(small));
}

TEST(NoteWindow, FollowsAResizeWithTheLayoutRules) {
    AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    // As the system's size loop does it.
    SetWindowPos(form->Handle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    wintest::PumpMessages();

    EXPECT_EQ(form->panel->BoundsRect(), TRect::FromBounds(0, 0, 500, 400));
    EXPECT_EQ(form->WndActImage1->Width(), 500);
    EXPECT_EQ(RectIn(form->Memo1->Handle(), form->panel->Handle()),
              TRect::FromBounds(1, 31, 495, 360));
    EXPECT_EQ(form->Label1->Left(), 480);
    EXPECT_EQ(form->resizecorner->BoundsRect(), TRect::FromBounds(476, 384, 24, 16));
    EXPECT_EQ(form->WndActImage2->BoundsRect(), TRect::FromBounds(491, 31, 8, 356));
    EXPECT_EQ(form->WndActImage3->BoundsRect(), TRect::FromBounds(1, 387, 498, 12));

    // Smaller than the margins: the memo's size stops at zero.
    SetWindowPos(form->Handle(), nullptr, 0, 0, 4, 30, SWP_NOMOVE | SWP_NOZORDER);
    wintest::PumpMessages();
    EXPECT_EQ(form->Memo1->Width(), 0);
    EXPECT_EQ(form->Memo1->Height(), 0);
}

TEST(NoteWindow, TitlesOwnershipAndTaskbarButton) {
    AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    HWND app = fixture.App().Handle();

    EXPECT_EQ(WindowText(app), "Pinlet");
    EXPECT_EQ(WindowText(form->Handle()), "Form1");
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), app);
    EXPECT_EQ(GetAncestor(form->Handle(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetParent(form->panel->Handle()), form->Handle());
    EXPECT_EQ(GetParent(form->Memo1->Handle()), form->panel->Handle());

    EXPECT_TRUE(wintest::HasTaskbarButton(app));
    EXPECT_FALSE(wintest::HasTaskbarButton(form->Handle()));
    RECT appRect;
    GetWindowRect(app, &appRect);
    EXPECT_EQ(appRect.right - appRect.left, 0);
    EXPECT_EQ(appRect.bottom - appRect.top, 0);

    LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(GetClassLongA(form->Handle(), GCL_STYLE) & CS_DBLCLKS);
    EXPECT_NE(SendMessageA(app, WM_GETICON, ICON_BIG, 0), 0);
}

TEST(NoteWindow, TheMemoHasTheFocusAndTheStoredSettings) {
    AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    SetForegroundWindow(form->Handle());
    SetActiveWindow(form->Handle());
    wintest::PumpMessages();
    EXPECT_EQ(GetFocus(), form->Memo1->Handle());

    HWND memo = form->Memo1->Handle();
    LONG style = GetWindowLongA(memo, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_FALSE(style & (ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL | WS_BORDER));
    EXPECT_FALSE(GetWindowLongA(memo, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // MaxLength 0 asks for the largest limit the system has.
    EXPECT_GT(static_cast<DWORD>(SendMessageA(memo, EM_GETLIMITTEXT, 0, 0)), 65535u);

    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(memo, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    EXPECT_EQ(lf.lfHeight, -13);

    // Tab does not type a tab: the memo is the only tab stop and keeps the focus.
    SendMessageA(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
    PostMessageA(memo, WM_KEYDOWN, VK_TAB, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // The application's loop handles the key first.
        fixture.App().ProcessMessages();
    }
    fixture.App().ProcessMessages();
    EXPECT_EQ(form->Memo1->Text(), "ab");
    EXPECT_EQ(GetFocus(), memo);
}

TEST(NoteWindow, TheHiddenButtonIsNeverDrawn) {
    AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    wintest::ScreenPixels pixels(form->panel->Handle());
    TRect button = form->btn_ok->BoundsRect();
    // The panel's background is the same along a row; the button's box must show just that.
    for (int y = button.Top; y < button.Bottom; ++y)
        for (int x = button.Left; x < button.Right; ++x)
            ASSERT_EQ(pixels.At(x, y), pixels.At(button.Left - 10, y)) << x << "," << y;
}

TEST(NoteWindow, ScalesTheLayoutWhenTheReferenceFontMeasuresOtherThan13) {
    AppFixture fixture;
    // The same layout with a larger reference font for the window.
    std::string layout = wintest::ReplaceOnce(wintest::StoredNoteLayout(),
                                              "    Font.Height = -11\n", "    Font.Height = -16\n");
    tk::TFont reference;
    reference.SetName("MS Sans Serif");
    reference.SetHeight(-16);
    int m = tk::TCustomForm::MeasureTextHeight(reference);
    ASSERT_NE(m, 13);

    note::TForm1* form = fixture.CreateNoteFromText(layout);
    auto scaled = [m](TRect r) { return tk::ScaleEdges(r, m, 13); };
    int width = tk::MulDivRound(369, m, 13);
    int height = tk::MulDivRound(277, m, 13);

    // The position stays; the size and the controls scale.
    EXPECT_EQ(WindowRect(form->Handle()), TRect::FromBounds(809, 218, width, height));
    EXPECT_EQ(form->Label2->BoundsRect(), scaled(TRect::FromBounds(3, 3, 20, 23)));
    EXPECT_EQ(form->Label4->BoundsRect(), scaled(TRect::FromBounds(59, 3, 20, 23)));
    EXPECT_EQ(form->btn_ok->BoundsRect(), scaled(TRect::FromBounds(136, 7, 19, 18)));
    EXPECT_EQ(form->Label1->Font().Height(), tk::ScaleFontHeight(-13, m, 13, 96));
    EXPECT_EQ(form->Label2->Font().Height(), tk::ScaleFontHeight(-19, m, 13, 96));
    EXPECT_EQ(form->Memo1->Font().Height(), tk::ScaleFontHeight(-13, m, 13, 96));
    EXPECT_EQ(form->panel->Font().Height(), tk::ScaleFontHeight(-11, m, 13, 96));

    // The resize margins stay in unscaled pixels.
    EXPECT_EQ(form->Memo1->Width(), width - 5);
    EXPECT_EQ(form->Memo1->Height(), height - 40);
    EXPECT_EQ(form->Label1->Left(), width - form->Label1->Width() - 5);
    EXPECT_EQ(form->resizecorner->Left(), width - form->resizecorner->Width());
}

TEST(NoteWindow, ShowCommandsMaximiseOrMinimise) {
    {
        AppFixture fixture;
        note::TForm1* form = fixture.CreateNote(SW_SHOWMAXIMIZED);
        EXPECT_TRUE(IsZoomed(form->Handle()));
        RECT client;
        GetClientRect(form->Handle(), &client);
        EXPECT_GT(client.right, 369);
        EXPECT_EQ(form->panel->Width(), client.right);
        EXPECT_EQ(form->Memo1->Width(), client.right - 5);
        EXPECT_EQ(form->Memo1->Height(), client.bottom - 40);
        EXPECT_EQ(form->resizecorner->Top(), client.bottom - 16);
    }
    {
        AppFixture fixture;
        note::TForm1* form = fixture.CreateNote(SW_SHOWMINNOACTIVE);
        EXPECT_TRUE(IsIconic(fixture.App().Handle()));
        EXPECT_FALSE(IsWindowVisible(form->Handle()));
        fixture.App().Restore();
        wintest::PumpMessages();
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_EQ(WindowRect(form->Handle()), TRect::FromBounds(809, 218, 369, 277));
    }
}

TEST(NoteWindow, AStoredPlaceOutsideEveryMonitorMovesIntoThePrimaryWorkArea) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    {
        AppFixture fixture;
        std::string layout = wintest::ReplaceOnce(wintest::StoredNoteLayout(), "    Left = 809\n",
                                                  "    Left = 5000\n");
        layout = wintest::ReplaceOnce(layout, "    Top = 218\n", "    Top = -3000\n");
        note::TForm1* form = fixture.CreateNoteFromText(layout);
        EXPECT_EQ(WindowRect(form->Handle()),
                  TRect::FromBounds(work.right - 369, work.top, 369, 277));
    }
    {
        // Partly on the screen: the stored place is kept.
        AppFixture fixture;
        int left = work.right - 20;
        std::string layout = wintest::ReplaceOnce(wintest::StoredNoteLayout(), "    Left = 809\n",
                                                  "    Left = " + std::to_string(left) + "\n");
        note::TForm1* form = fixture.CreateNoteFromText(layout);
        EXPECT_EQ(WindowRect(form->Handle()), TRect::FromBounds(left, 218, 369, 277));
    }
}

TEST(NoteWindow, AMissingLayoutResourceEndsCreation) {
    AppFixture fixture;
    try {
        note::TForm1 form(&fixture.App(), GetModuleHandleA("kernel32.dll"));
        FAIL() << "created without a layout";
    } catch (const tk::EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource TForm1 not found");
    }
    EXPECT_EQ(fixture.App().MainForm(), nullptr);
}

} // namespace
