// The note window built from its stored layout: geometry, layout rules, titles, ownership,
// scaling, a new screen resolution, show commands and the off-screen start.
#include "support/win_test_support.h"
#include "toolkit/base/layout_scaling.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

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

// Whether the note's panel was still waiting for its paint when the note was activated.
HWND gPanel = nullptr;
int gActivations = 0, gActivatedUnpainted = 0;
LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_ACTIVATE && LOWORD(call->wParam) != WA_INACTIVE &&
        call->hwnd == GetParent(gPanel)) {
        ++gActivations;
        if (GetUpdateRect(gPanel, nullptr, FALSE)) ++gActivatedUnpainted;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Start-up shows the note sooner by painting it before it takes the activation, and then ends
// as a plain show would: the note active, its memo with the focus.
TEST(NoteWindow, TheFirstShowPaintsTheNoteThenActivatesIt) {
    AppFixture fixture;
    auto* form = fixture.App().CreateForm<note::TForm1>();
    gPanel = form->panel->Handle();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchActivation, nullptr, GetCurrentThreadId());
    fixture.App().ShowMainForm(SW_SHOWNORMAL);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(gActivations, 1);
    EXPECT_EQ(gActivatedUnpainted, 0);
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    EXPECT_EQ(GetFocus(), form->Memo1->Handle());
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

// The note's layout in numbers: the resolution, the window's size and size limits, and each
// control's place and font height, the memo's window where it is on the screen.
void DescribeControls(const tk::TControl& control, std::ostream& out) {
    const TRect r = control.BoundsRect();
    out << control.Name() << " " << r.Left << "," << r.Top << " " << r.Width() << "x"
        << r.Height() << " font " << control.Font().Height() << "\n";
    if (auto* windowed = dynamic_cast<const tk::TWinControl*>(&control))
        for (const tk::TControl* c : windowed->Controls()) DescribeControls(*c, out);
}

std::string Describe(note::TForm1& form) {
    wintest::PumpMessages();
    std::ostringstream out;
    const TRect window = WindowRect(form.Handle());
    out << "ppi " << tk::ScreenPixelsPerInch() << "\nwindow " << window.Width() << "x"
        << window.Height() << " limits " << form.Constraints().MinWidth << "x"
        << form.Constraints().MinHeight << " memo window "
        << RectIn(form.Memo1->Handle(), form.panel->Handle()).Width() << "\n";
    for (const tk::TControl* c : form.Controls()) DescribeControls(*c, out);
    return out.str();
}

// Run by the test below in a process of its own, started while the prefix's resolution is
// another: writes the note's description to the file PINLET_DESCRIPTION names.
TEST(NoteResolution, DISABLED_DescribesANoteStartedHere) {
    const char* path = std::getenv("PINLET_DESCRIPTION");
    ASSERT_NE(path, nullptr);
    AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    std::ofstream(path, std::ios::binary) << Describe(*form);
}

// The description of a note started in a process of its own while the prefix's resolution
// (HKCU\Control Panel\Desktop, LogPixels) is `ppi`; the setting is put back after.
std::string DescribeStartedAt(DWORD ppi) {
    const char* key = "Control Panel\\Desktop";
    DWORD before = 0, size = sizeof(before);
    const bool had = RegGetValueA(HKEY_CURRENT_USER, key, "LogPixels", RRF_RT_REG_DWORD, nullptr,
                                  &before, &size) == ERROR_SUCCESS;
    RegSetKeyValueA(HKEY_CURRENT_USER, key, "LogPixels", REG_DWORD, &ppi, sizeof(ppi));
    char exe[MAX_PATH], folder[MAX_PATH], file[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "dpi", 0, file);
    SetEnvironmentVariableA("PINLET_DESCRIPTION", file);
    std::string command = std::string("\"") + exe +
                          "\" --gtest_also_run_disabled_tests "
                          "--gtest_filter=NoteResolution.DISABLED_DescribesANoteStartedHere";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA("PINLET_DESCRIPTION", nullptr);
    if (had)
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "LogPixels", REG_DWORD, &before, sizeof(before));
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "LogPixels");
    std::string description = wintest::ReadBytes(file);
    DeleteFileA(file);
    return description;
}

std::vector<COLORREF> WindowPixels(HWND hwnd) {
    wintest::ScreenPixels shot(hwnd);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) pixels.push_back(shot.At(x, y));
    return pixels;
}

TEST(NoteResolution, MovedTo144ItIsTheNoteStartedThereAndBackAt96AsItStarted) {
    const std::string started144 = DescribeStartedAt(144);
    ASSERT_EQ(started144.rfind("ppi 144\n", 0), 0u) << started144;
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(started144.c_str(), "ppi 144\nwindow %dx%d", &width, &height), 2);

    AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    ASSERT_EQ(tk::ScreenPixelsPerInch(), 96);
    const std::string at96 = Describe(*form);
    const std::vector<COLORREF> pixels96 = WindowPixels(form->Handle());
    RECT place96;
    GetWindowRect(form->Handle(), &place96);
    RECT place144{place96.left, place96.top, place96.left + width, place96.top + height};
    auto moveTo = [&](int ppi, RECT place) {
        SendMessageW(form->Handle(), tk::TCustomForm::kDpiChangedMessage, MAKEWPARAM(ppi, ppi),
                     reinterpret_cast<LPARAM>(&place));
    };

    moveTo(144, place144);
    std::string moved = Describe(*form);
    EXPECT_EQ(moved.substr(moved.find('\n')), started144.substr(started144.find('\n')));
    moveTo(96, place96);
    EXPECT_EQ(Describe(*form), at96);
    EXPECT_TRUE(WindowPixels(form->Handle()) == pixels96) << "the note looks otherwise at 96";

    // Fonts and pictures made for one resolution go when the next comes.
    const unsigned objects = wintest::GdiObjectCount();
    ASSERT_GT(objects, 0u);
    for (int i = 0; i < 200; ++i) {
        moveTo(144, place144);
        moveTo(96, place96);
        wintest::PumpMessages();
    }
    EXPECT_EQ(wintest::GdiObjectCount(), objects);

    // A zoomed text keeps its zoom over the new resolution's text size.
    const int text96 = form->Memo1->Font().Height();
    form->SetZoomPercent(150);
    EXPECT_EQ(form->Memo1->Font().Height(), tk::MulDivRound(text96, 150, 100));
    moveTo(144, place144);
    const int zoomed144 = form->Memo1->Font().Height();
    form->SetZoomPercent(100);
    const int text144 = form->Memo1->Font().Height();
    EXPECT_NE(text144, text96);
    EXPECT_EQ(zoomed144, tk::MulDivRound(text144, 150, 100));
    moveTo(96, place96);
    EXPECT_EQ(form->Memo1->Font().Height(), text96);
}

} // namespace
