// The gradient panel's mouse handling and collapsing on real windows: hit tests, caption buttons,
// caption clicks, anchors, move and size limits, the collapse animation, and closing with
// FreeOnClose checked by a page heap.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/markup/html_pictures.h"
#include "AdvPanel/markup/html_render.h"
#include "AdvPanel/mouse/panel_shell.h"
#include "support/guarded_heap.h"
#include "support/image_files.h"
#include "support/panel_pixels.h"
#include "support/win_test_support.h"
#include "toolkit/components/component_reader.h"
#include "toolkit/forms/forms.h"
#include "toolkit/controls/hints.h"
#include "toolkit/base/win_handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using advpanel::TAdvPanel;
using advpanel::TCaptionPosition;
using tk::TPoint;
using tk::TRect;
using wintest::AppFixture;
using wintest::PumpMessages;

namespace {

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

LRESULT HitTest(TAdvPanel* panel, TPoint client) {
    POINT pt{client.X, client.Y};
    ClientToScreen(panel->Handle(), &pt);
    return SendMessageA(panel->Handle(), WM_NCHITTEST, 0, PointParam(pt.x, pt.y));
}

void Send(TAdvPanel* panel, UINT msg, TPoint p, WPARAM keys = 0) {
    SendMessageA(panel->Handle(), msg, keys, PointParam(p.X, p.Y));
}

TPoint Centre(const TRect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// The first point of `rect` that the renderer puts over an anchor of `text`, or (-1, -1).
TPoint FindAnchorPoint(const std::string& text, const tk::TFont& font, const TRect& rect) {
    tk::WindowDC screen(nullptr);
    tk::TCanvas canvas(screen.Get());
    canvas.Font.Assign(font);
    for (int y = rect.Top; y < rect.Bottom; y += 2)
        for (int x = rect.Left + 1; x < rect.Right; x += 2) {
            advpanel::HtmlRenderParams params;
            params.Text = text;
            params.Rect = rect;
            params.Mouse = {x, y};
            params.MeasureOnly = true;
            advpanel::HtmlRenderResult result;
            if (advpanel::RenderHtmlText(canvas, params, result)) return {x, y};
        }
    return {-1, -1};
}

class PanelInteraction : public ::testing::Test {
protected:
    PanelInteraction() { tk::RegisterComponentClass<TAdvPanel>("TAdvPanel"); }

    void SetUp() override {
        previousOpener_ = advpanel::SetShellOpener(
            [this](const std::string& target) { shellOpened_.push_back(target); });
    }
    void TearDown() override { advpanel::SetShellOpener(previousOpener_); }

    tk::TForm* MakeForm() {
        form_ = new tk::TForm(&fixture_.App());
        form_->SetBounds(100, 100, 400, 300);
        return form_;
    }
    void Show() {
        form_->HandleNeeded();
        form_->SetVisible(true);
        PumpMessages();
    }
    // A shown form with one plain panel: no bevel, no border, caption hidden.
    TAdvPanel* MakePanel(int width = 200, int height = 150) {
        MakeForm();
        auto* panel = new TAdvPanel(form_);
        panel->SetParent(form_);
        panel->SetBevelOuter(tk::TBevelCut::bvNone);
        panel->SetBounds(10, 10, width, height);
        Show();
        return panel;
    }
    // A panel with a visible caption on top (height 20) and both caption buttons.
    TAdvPanel* MakeCaptionPanel() {
        TAdvPanel* panel = MakePanel();
        panel->Caption().SetVisible(true);
        panel->Caption().SetCloseButton(true);
        panel->Caption().SetMinMaxButton(true);
        return panel;
    }

    AppFixture fixture_;
    tk::TForm* form_ = nullptr;
    std::vector<std::string> shellOpened_;
    advpanel::ShellOpener previousOpener_;
};

TEST_F(PanelInteraction, TheNotesPanelAnswersClientEverywhere) {
    note::TForm1* note = fixture_.CreateNote();
    auto* panel = static_cast<TAdvPanel*>(note->panel);
    ASSERT_TRUE(panel->Caption().Visible());
    const int w = panel->Width(), h = panel->Height();
    for (TPoint p : {TPoint{1, 1}, TPoint{w / 2, 10}, TPoint{w - 20, 5}, TPoint{w - 3, 3},
                     TPoint{w / 2, h / 2}, TPoint{w - 1, h - 1}, TPoint{w - 5, h - 5}})
        EXPECT_EQ(HTCLIENT, HitTest(panel, p)) << p.X << "," << p.Y;
    EXPECT_FALSE(panel->MoveStarted());
}

TEST_F(PanelInteraction, WithCanMoveTheCaptionLeftOfTheButtonsMovesAndComesToTheTop) {
    TAdvPanel* panel = MakeCaptionPanel();
    auto* other = new TAdvPanel(form_);
    other->SetParent(form_);
    other->SetBounds(50, 50, 100, 100);
    SetWindowPos(other->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(other->Handle(), GetWindow(form_->Handle(), GW_CHILD));

    const TPoint leftOfButtons{200 - 2 * 12 - 1, 10};   // both buttons take 24 pixels
    EXPECT_EQ(HTCLIENT, HitTest(panel, leftOfButtons)); // CanMove is off
    panel->CanMove = true;
    EXPECT_EQ(HTCLIENT, HitTest(panel, {200 - 2 * 12, 10})); // over the min/max button
    EXPECT_EQ(HTCLIENT, HitTest(panel, {100, 20}));          // below the caption
    EXPECT_EQ(HTCAPTION, HitTest(panel, leftOfButtons));
    EXPECT_TRUE(panel->MoveStarted());
    EXPECT_EQ(panel->Handle(), GetWindow(form_->Handle(), GW_CHILD));

    // The move cursor shows only with ShowMoveCursor, and only until the next mouse move.
    HCURSOR sizeAll = LoadCursorA(nullptr, IDC_SIZEALL);
    SendMessageA(panel->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Handle()),
                 MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN));
    EXPECT_NE(sizeAll, GetCursor());
    panel->ShowMoveCursor = true;
    SendMessageA(panel->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Handle()),
                 MAKELPARAM(HTCAPTION, WM_LBUTTONDOWN));
    EXPECT_EQ(sizeAll, GetCursor());
    Send(panel, WM_MOUSEMOVE, {100, 60});
    EXPECT_FALSE(panel->MoveStarted());
}

TEST_F(PanelInteraction, TheHitTestSizesMinMaxGlyphButtonsByTheMinGlyph) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->CanMove = true;
    tk::TBitmap minGlyph, maxGlyph;
    minGlyph.SetSize(10, 10);
    maxGlyph.SetSize(16, 16);
    panel->Caption().SetMinGlyph(minGlyph);
    panel->Caption().SetMaxGlyph(maxGlyph);
    EXPECT_EQ(16, panel->CaptionButtonSize());
    EXPECT_EQ(10, panel->CaptionButtonSize(advpanel::ButtonSizeUse::HitTest));
    // Two buttons of 10 leave the move handle up to x = 179; of 16 only up to 167.
    EXPECT_EQ(HTCAPTION, HitTest(panel, {200 - 2 * 10 - 1, 10}));
    EXPECT_EQ(HTCLIENT, HitTest(panel, {200 - 2 * 10, 10}));
}

TEST_F(PanelInteraction, TheCornerIsASizeGripOnlyWithCanSizeWhileExpanded) {
    TAdvPanel* panel = MakeCaptionPanel();
    const TPoint corner{panel->Width() - 2, panel->Height() - 2};
    EXPECT_EQ(HTCLIENT, HitTest(panel, corner));
    panel->SetCanSize(true);
    EXPECT_EQ(HTBOTTOMRIGHT, HitTest(panel, corner));
    EXPECT_EQ(HTCLIENT, HitTest(panel, {panel->Width() - GetSystemMetrics(SM_CXHSCROLL),
                                        panel->Height() - 2}));
    panel->SetCollaps(true);
    EXPECT_EQ(HTCLIENT, HitTest(panel, {panel->Width() - 2, panel->Height() - 2}));
}

TEST_F(PanelInteraction, AReleaseOfAnyButtonOnTheCloseButtonClosesThePanel) {
    TAdvPanel* panel = MakeCaptionPanel();
    std::vector<std::string> events;
    panel->OnClose = [&](tk::TObject*) {
        events.push_back(panel->Visible() ? "close while visible" : "close");
    };
    panel->OnCaptionClick = [&](tk::TObject*) { events.push_back("caption click"); };
    const TRect close = CloseButtonRect(panel->ClientRect(), panel->ButtonLayout());
    Send(panel, WM_RBUTTONDOWN, Centre(close), MK_RBUTTON);
    EXPECT_TRUE(panel->Visible()); // a press alone does nothing
    Send(panel, WM_RBUTTONUP, Centre(close));
    EXPECT_FALSE(panel->Visible());
    EXPECT_FALSE(IsWindowVisible(panel->Handle()));
    EXPECT_EQ(std::vector<std::string>{"close"}, events);
}

TEST_F(PanelInteraction, AReleaseOnMinMaxTogglesOnceAndRaisesCaptionClick) {
    TAdvPanel* panel = MakeCaptionPanel();
    int clicks = 0, minimized = 0;
    panel->OnCaptionClick = [&](tk::TObject*) { ++clicks; };
    panel->OnMinimize = [&](tk::TObject*) { ++minimized; };
    const TPoint minMax = Centre(MinMaxButtonRect(panel->ClientRect(), panel->ButtonLayout()));
    Send(panel, WM_LBUTTONUP, minMax);
    EXPECT_TRUE(panel->Collaps());
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(1, minimized);

    panel->Caption().MinMaxCaption = true;
    Send(panel, WM_MBUTTONUP, minMax);
    EXPECT_FALSE(panel->Collaps()); // toggled once, not twice
    EXPECT_EQ(2, clicks);

    // Elsewhere on the caption a release toggles only with MinMaxCaption.
    Send(panel, WM_LBUTTONUP, {60, 10});
    EXPECT_TRUE(panel->Collaps());
    EXPECT_EQ(3, clicks);
    panel->Caption().MinMaxCaption = false;
    Send(panel, WM_LBUTTONUP, {60, 10});
    EXPECT_TRUE(panel->Collaps());
    EXPECT_EQ(4, clicks);
}

TEST_F(PanelInteraction, ButtonHoverFollowsTheMouseAndLeavingClearsIt) {
    TAdvPanel* panel = MakeCaptionPanel();
    const TPoint close = Centre(CloseButtonRect(panel->ClientRect(), panel->ButtonLayout()));
    Send(panel, WM_MOUSEMOVE, close);
    EXPECT_FALSE(panel->CloseButtonHot()); // no hover colour: no hover state
    panel->Caption().CloseButtonHoverColor = tk::RGBColor(255, 0, 0);
    panel->Caption().MinMaxButtonHoverColor = tk::RGBColor(0, 255, 0);
    Send(panel, WM_MOUSEMOVE, close);
    EXPECT_TRUE(panel->CloseButtonHot());
    EXPECT_FALSE(panel->MinMaxButtonHot());
    Send(panel, WM_MOUSEMOVE, Centre(MinMaxButtonRect(panel->ClientRect(), panel->ButtonLayout())));
    EXPECT_FALSE(panel->CloseButtonHot());
    EXPECT_TRUE(panel->MinMaxButtonHot());
    int left = 0;
    panel->OnMouseLeave = [&](tk::TObject*) { ++left; };
    SendMessageA(panel->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(1, left);
    EXPECT_FALSE(panel->MinMaxButtonHot());
}

TEST_F(PanelInteraction, ADoubleClickOnTheCaptionStripRaisesCaptionDoubleClick) {
    TAdvPanel* panel = MakeCaptionPanel();
    int captionDoubles = 0, doubles = 0;
    panel->OnCaptionDBlClick = [&](tk::TObject*) { ++captionDoubles; };
    panel->OnDblClick = [&](tk::TObject*) { ++doubles; };
    Send(panel, WM_LBUTTONDBLCLK, {60, 10}, MK_LBUTTON);
    Send(panel, WM_LBUTTONUP, {60, 10});
    EXPECT_EQ(1, captionDoubles);
    Send(panel, WM_LBUTTONDBLCLK, {60, 40}, MK_LBUTTON);
    Send(panel, WM_LBUTTONUP, {60, 40});
    EXPECT_EQ(1, captionDoubles);
    EXPECT_EQ(2, doubles);
}

TEST_F(PanelInteraction, ChildrenHiddenBeforeCollapsingAreShownAfterExpanding) {
    TAdvPanel* panel = MakeCaptionPanel();
    auto* shown = new TAdvPanel(form_);
    shown->SetParent(panel);
    shown->SetBounds(5, 30, 40, 40);
    auto* hidden = new TAdvPanel(form_);
    hidden->SetParent(panel);
    hidden->SetBounds(60, 30, 40, 40);
    hidden->SetVisible(false);

    panel->SetCollaps(true);
    EXPECT_FALSE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());
    panel->SetCollaps(false);
    EXPECT_TRUE(shown->Visible());
    EXPECT_TRUE(hidden->Visible());
    EXPECT_TRUE(IsWindowVisible(hidden->Handle()));

    panel->AutoHideChildren = false;
    panel->SetCollaps(true);
    EXPECT_TRUE(shown->Visible());
}

TEST_F(PanelInteraction, CollapsingACollapsedPanelRaisesOnlyTheEndEvent) {
    TAdvPanel* panel = MakeCaptionPanel();
    std::vector<std::string> events;
    panel->OnMinimize = [&](tk::TObject*) { events.push_back("minimize"); };
    panel->OnMaximize = [&](tk::TObject*) { events.push_back("maximize"); };
    panel->OnEndCollapsExpand = [&](tk::TObject*) { events.push_back("end"); };
    panel->SetCollaps(true);
    EXPECT_EQ((std::vector<std::string>{"minimize", "end"}), events);
    events.clear();
    const int height = panel->Height();
    panel->SetCollaps(true);
    EXPECT_EQ((std::vector<std::string>{"end"}), events);
    EXPECT_EQ(height, panel->Height());
    events.clear();
    panel->SetCollaps(false);
    EXPECT_EQ((std::vector<std::string>{"maximize", "end"}), events);
}

TEST_F(PanelInteraction, AnAssignmentDuringTheAnimationOnlyRaisesItsEvent) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->CollapsSteps = 3;
    panel->CollapsDelay = 1;
    std::vector<std::string> events;
    panel->OnMaximize = [&](tk::TObject*) { events.push_back("maximize"); };
    panel->OnEndCollapsExpand = [&](tk::TObject*) { events.push_back("end"); };
    panel->OnResize = [&](tk::TObject*) {
        if (panel->Collapsing() && panel->Collaps()) panel->SetCollaps(false);
    };
    panel->SetCollaps(true);
    EXPECT_TRUE(panel->Collaps());
    EXPECT_EQ(20, panel->Height());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ("end", events.back());
    EXPECT_EQ(1, std::count(events.begin(), events.end(), "end"));
    EXPECT_GE(std::count(events.begin(), events.end(), "maximize"), 1);
}

TEST_F(PanelInteraction, AnimatedCollapseTakesItsStepsInTheCollapseColourAndEndsExactly) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->SetBorderWidth(1);
    panel->StatusBar().SetVisible(true);
    panel->SetColor(tk::RGBColor(10, 20, 30));
    panel->CollapsColor = tk::RGBColor(200, 100, 0);
    panel->CollapsSteps = 5;
    panel->CollapsDelay = 20;
    panel->SetPanelHeight(151);
    std::vector<int> heights;
    std::vector<tk::TColor> colours;
    panel->OnResize = [&](tk::TObject*) {
        heights.push_back(panel->Height());
        colours.push_back(panel->Color());
    };

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    panel->SetCollaps(true);
    QueryPerformanceCounter(&end);
    const double ms = 1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart;
    EXPECT_GE(ms, 90.0);
    EXPECT_LE(ms, 2000.0);

    // (151 - 20 - 18 - 2) / 5 = 22 per step, then exactly caption + status bar + border.
    EXPECT_EQ((std::vector<int>{129, 107, 85, 63, 41, 40}), heights);
    for (tk::TColor c : colours)
        EXPECT_EQ(tk::RGBColor(200, 100, 0), c);
    EXPECT_EQ(tk::RGBColor(200, 100, 0), panel->Color());
    EXPECT_EQ(151, panel->FullHeight());

    heights.clear();
    panel->SetCollaps(false);
    // (151 - 20 - 18) / 5 = 22 per step up, then the full height.
    EXPECT_EQ((std::vector<int>{62, 84, 106, 128, 150, 151}), heights);
    EXPECT_EQ(tk::RGBColor(10, 20, 30), panel->Color());
}

TEST_F(PanelInteraction, ALeftCaptionCollapsesTheWidthWithoutTheBorder) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->SetBorderWidth(2);
    panel->Caption().SetPosition(TCaptionPosition::cpLeft);
    panel->SetPanelWidth(180);
    panel->SetCollaps(true);
    EXPECT_EQ(20, panel->Width());
    EXPECT_EQ(150, panel->Height());
    EXPECT_EQ(180, panel->FullHeight());
    EXPECT_EQ(tk::clBtnFace, panel->Color()); // no steps: the colour stays
    panel->SetCollaps(false);
    EXPECT_EQ(180, panel->Width());
}

TEST_F(PanelInteraction, FixedLeftKeepsTheLeftEdgeWhileMovingAndFixedTopTheTop) {
    TAdvPanel* panel = MakePanel();
    RECT now;
    GetWindowRect(panel->Handle(), &now);
    RECT proposed{now.left + 30, now.top + 20, now.right + 30, now.bottom + 20};
    RECT r = proposed;
    SendMessageA(panel->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(proposed.left, r.left); // nothing fixed
    panel->FixedLeft = true;
    r = proposed;
    EXPECT_EQ(0, SendMessageA(panel->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(now.left, r.left);
    EXPECT_EQ(now.right, r.right);
    EXPECT_EQ(proposed.top, r.top);
    panel->FixedLeft = false;
    panel->FixedTop = true;
    r = proposed;
    SendMessageA(panel->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(proposed.left, r.left);
    EXPECT_EQ(now.top, r.top);
    EXPECT_EQ(now.bottom, r.bottom);
    POINT origin{0, 0};
    ClientToScreen(panel->Handle(), &origin);
    EXPECT_EQ((TPoint{origin.x, origin.y}), panel->FixedOrigin());
}

TEST_F(PanelInteraction, FixedWidthKeepsThePostLoadWidthWhileSizing) {
    MakeForm();
    form_->ReadLayoutText("TForm Form1 {\n ClientWidth = 400\n ClientHeight = 300\n"
                          " TAdvPanel panel {\n  Left = 10\n  Top = 10\n  Width = 150\n"
                          "  Height = 100\n  FixedWidth = True\n }\n}\n",
                          GetModuleHandleA(nullptr));
    Show();
    auto* panel = static_cast<TAdvPanel*>(form_->FindComponent("panel"));
    ASSERT_NE(nullptr, panel);
    panel->SetBounds(10, 10, 170, 100); // later sizes do not count
    int ended = 0;
    panel->OnEndMoveSize = [&](tk::TObject*) { ++ended; };
    RECT r{50, 60, 50 + 220, 60 + 130};
    EXPECT_EQ(0, SendMessageA(panel->Handle(), WM_SIZING, WMSZ_BOTTOMRIGHT,
                              reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(150, r.right - r.left);
    EXPECT_EQ(130, r.bottom - r.top);
    EXPECT_EQ(130, panel->FullHeight());
    SendMessageA(panel->Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(1, ended);
}

TEST_F(PanelInteraction, AHintWithoutAnAnchorIsThePanelsOwn) {
    TAdvPanel* panel = MakePanel();
    panel->Hint = "own";
    panel->AnchorHint = true;
    POINT cursor{20, 30};
    ClientToScreen(panel->Handle(), &cursor);
    tk::THintInfo info;
    EXPECT_TRUE(tk::PrepareHint(*panel, {cursor.x, cursor.y}, info));
    EXPECT_EQ("own", info.HintStr);
    EXPECT_EQ((TPoint{20, 30}), info.CursorPos);
    EXPECT_EQ(cursor.x, info.HintPos.X);
}

// ---- anchors ----

TEST_F(PanelInteraction, ShellTargetsGoToTheShellAndOthersRaiseAnchorClick) {
    TAdvPanel* panel = MakePanel();
    std::vector<std::string> clicked;
    panel->OnAnchorClick = [&](tk::TObject*, const std::string& a) { clicked.push_back(a); };
    for (const std::string target : {"mailto:me@example.org", "see http://example.org", "page2"}) {
        panel->SetText("<a href=\"" + target + "\">WWWWWWWWWW</a>");
        const TPoint p = FindAnchorPoint(panel->PanelText(), panel->Font(), panel->ClientRect());
        ASSERT_NE(-1, p.X) << target;
        Send(panel, WM_RBUTTONDOWN, p, MK_RBUTTON);
        Send(panel, WM_RBUTTONUP, p);
    }
    EXPECT_EQ((std::vector<std::string>{"mailto:me@example.org", "see http://example.org"}),
              shellOpened_);
    EXPECT_EQ((std::vector<std::string>{"page2"}), clicked);
}

TEST_F(PanelInteraction, EnteringAnAnchorShowsTheHandAndLeavingItRaisesExitWithNothing) {
    TAdvPanel* panel = MakePanel();
    panel->SetText("<a href=\"target\">WWWWWWWWWW</a>");
    panel->SetCursor(tk::crIBeam);
    panel->BeginLoading(); // post-load takes the normal cursor
    panel->EndLoading();
    std::vector<std::string> events;
    panel->OnAnchorEnter = [&](tk::TObject*, const std::string& a) {
        events.push_back("enter " + a);
    };
    panel->OnAnchorExit = [&](tk::TObject*, const std::string& a) {
        events.push_back("exit [" + a + "]");
    };
    int hints = 0;
    auto previous = tk::SetHintCancelHook([&] { ++hints; });
    panel->AnchorHint = true;
    const TPoint p = FindAnchorPoint(panel->PanelText(), panel->Font(), panel->ClientRect());
    ASSERT_NE(-1, p.X);
    Send(panel, WM_MOUSEMOVE, p);
    EXPECT_EQ(tk::crHandPoint, panel->Cursor());
    EXPECT_EQ("target", panel->LastAnchor());
    EXPECT_GE(panel->HotBodyAnchor(), 1);
    Send(panel, WM_MOUSEMOVE, {p.X + 1, p.Y}); // still on it: no second enter
    Send(panel, WM_MOUSEMOVE, {150, 120});
    EXPECT_EQ(tk::crIBeam, panel->Cursor());
    EXPECT_EQ(-1, panel->HotBodyAnchor());
    EXPECT_EQ((std::vector<std::string>{"enter target", "exit []"}), events);
    EXPECT_EQ(1, hints);
    tk::SetHintCancelHook(previous);
}

TEST_F(PanelInteraction, OnlyHoverInvalidatesTheAnchorsRectangle) {
    TAdvPanel* panel = MakePanel();
    panel->SetText("<a href=\"target\">WWWWWWWWWW</a>");
    const TPoint p = FindAnchorPoint(panel->PanelText(), panel->Font(), panel->ClientRect());
    ASSERT_NE(-1, p.X);
    for (bool hover : {false, true}) {
        panel->SetHover(hover);
        Send(panel, WM_MOUSEMOVE, {150, 120});
        RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_UPDATENOW);
        Send(panel, WM_MOUSEMOVE, p);
        EXPECT_EQ(hover, GetUpdateRect(panel->Handle(), nullptr, FALSE) != FALSE) << hover;
    }
}

// Where the panel paints a link (the URL colour) against where it answers with an anchor.
struct AnchorCoverage {
    int Painted = 0;               // pixels in the URL colour
    int PaintedNotHittable = 0;    // of those, where no anchor answers
    int Hittable = 0;              // points where an anchor answers
    int HittableAwayFromPaint = 0; // of those, more than 2 pixels from every painted one
};

AnchorCoverage CompareAnchorWithPaint(TAdvPanel* panel) {
    const wintest::PanelImage image(panel->Handle());
    AnchorCoverage c;
    TRect painted{image.Width(), image.Height(), -1, -1};
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            if (image.At(x, y) != panel->URLColor()) continue;
            ++c.Painted;
            painted = {std::min(painted.Left, x), std::min(painted.Top, y),
                       std::max(painted.Right, x + 1), std::max(painted.Bottom, y + 1)};
            if (panel->AnchorAt(x, y).Target.empty()) ++c.PaintedNotHittable;
        }
    const TRect nearPaint{painted.Left - 2, painted.Top - 2, painted.Right + 2, painted.Bottom + 2};
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            if (panel->AnchorAt(x, y).Target.empty()) continue;
            ++c.Hittable;
            if (!nearPaint.Contains({x, y})) ++c.HittableAwayFromPaint;
        }
    return c;
}

TEST_F(PanelInteraction, AnAnchorAnswersExactlyWhereItIsPainted) {
    const std::string cut(56, 'x');
    TAdvPanel* panel = MakePanel(150, 120);
    panel->SetEllipsis(true); // one line, cut short: the link is never shown
    panel->SetText(cut + "<A href=\"tgt\">link</A>");
    AnchorCoverage c = CompareAnchorWithPaint(panel);
    EXPECT_EQ(0, c.Painted);
    EXPECT_EQ(0, c.Hittable);

    panel->SetEllipsis(false); // wrapped: the link shows on a later line, and answers there
    panel->SetText("wrap wrap wrap wrap wrap wrap wrap wrap <A href=\"tgt\">the link</A>");
    c = CompareAnchorWithPaint(panel);
    EXPECT_GT(c.Painted, 20);
    EXPECT_EQ(0, c.PaintedNotHittable);
    EXPECT_EQ(0, c.HittableAwayFromPaint);

    panel->SetText("");
    panel->Caption().SetVisible(true);
    panel->Caption().SetHeight(50); // room for lines, yet the caption shows one
    panel->Caption().SetText(cut + " <A href=\"tgt\">link</A>");
    c = CompareAnchorWithPaint(panel);
    EXPECT_EQ(0, c.Painted);
    EXPECT_EQ(0, c.Hittable);
}

TEST_F(PanelInteraction, MouseMovesOverAnAnchorLoadItsPictureNoMore) {
    const std::string bmp = wintest::TempPath("pinlet_panel_anchor_picture.bmp");
    wintest::WriteFile(bmp, wintest::BmpFile(30, 20, RGB(0, 160, 0)));
    TAdvPanel* panel = MakePanel();
    panel->AnchorHint = true;
    const int before = advpanel::THTMLPictureCache::LoadsTried();
    panel->SetText("<A href=\"t\"><IMG src=\"FILE://" + bmp + "\"></A> text");
    RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_UPDATENOW);
    for (int i = 0; i < 40; ++i) {
        const TPoint p{2 + i % 30, 2 + i % 18};
        Send(panel, WM_MOUSEMOVE, p);
        POINT cursor{p.X, p.Y};
        ClientToScreen(panel->Handle(), &cursor);
        tk::THintInfo info;
        tk::PrepareHint(*panel, {cursor.x, cursor.y}, info);
    }
    EXPECT_EQ("t", panel->LastAnchor());
    EXPECT_EQ(1, advpanel::THTMLPictureCache::LoadsTried() - before);
    DeleteFileA(bmp.c_str());
}

TEST_F(PanelInteraction, APressOnACaptionAnchorStartsNoMove) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->CanMove = true;
    panel->Caption().SetText("<a href=\"c\">WWWW</a>");
    const TPoint p = FindAnchorPoint(panel->Caption().Text(), panel->Caption().Font(),
                                     {0, 0, panel->Width(), 20});
    ASSERT_NE(-1, p.X);
    EXPECT_EQ(HTCLIENT, HitTest(panel, p));
    EXPECT_EQ(HTCAPTION, HitTest(panel, {panel->Width() - 2 * 12 - 1, 10}));
}

TEST_F(PanelInteraction, OnlyTheMouseMakesAnAnchorHotAndComingBackEntersItAgain) {
    TAdvPanel* panel = MakeCaptionPanel();
    panel->CanMove = true;
    panel->AnchorHint = true;
    panel->Caption().SetText("<a href=\"c\">WWWW</a>");
    const TPoint p = FindAnchorPoint(panel->Caption().Text(), panel->Caption().Font(),
                                     {0, 0, panel->Width(), 20});
    ASSERT_NE(-1, p.X);
    // Looking the anchor up for the hit test, a hint or a press makes nothing hot.
    EXPECT_EQ(HTCLIENT, HitTest(panel, p));
    POINT cursor{p.X, p.Y};
    ClientToScreen(panel->Handle(), &cursor);
    tk::THintInfo info;
    EXPECT_TRUE(tk::PrepareHint(*panel, {cursor.x, cursor.y}, info));
    EXPECT_EQ("c", info.HintStr);
    EXPECT_EQ("c", panel->AnchorAt(p.X, p.Y).Target);
    EXPECT_EQ(-1, panel->HotCaptionAnchor());
    EXPECT_EQ(-1, panel->HotBodyAnchor());

    std::vector<std::string> entered;
    panel->OnAnchorEnter = [&](tk::TObject*, const std::string& a) { entered.push_back(a); };
    Send(panel, WM_MOUSEMOVE, p);
    EXPECT_GE(panel->HotCaptionAnchor(), 1);
    EXPECT_EQ(tk::crHandPoint, panel->Cursor());
    Send(panel, WM_MOUSEMOVE, {100, 100}); // into the body, where no anchor is
    EXPECT_EQ(-1, panel->HotCaptionAnchor());
    EXPECT_NE(tk::crHandPoint, panel->Cursor());
    Send(panel, WM_MOUSEMOVE, p); // back onto the same anchor
    EXPECT_GE(panel->HotCaptionAnchor(), 1);
    EXPECT_EQ(tk::crHandPoint, panel->Cursor());
    EXPECT_EQ((std::vector<std::string>{"c", "c"}), entered);
}

TEST_F(PanelInteraction, AnAnchorHintShowsTheTargetBesideTheCursor) {
    TAdvPanel* panel = MakePanel();
    panel->Hint = "own";
    panel->SetText("<a href=\"target\">WWWWWWWWWW</a>");
    panel->OnAnchorHint = [](tk::TObject*, std::string& anchor) { anchor += "!"; };
    const TPoint p = FindAnchorPoint(panel->PanelText(), panel->Font(), panel->ClientRect());
    ASSERT_NE(-1, p.X);
    POINT cursor{p.X, p.Y};
    ClientToScreen(panel->Handle(), &cursor);
    tk::THintInfo info;
    tk::PrepareHint(*panel, {cursor.x, cursor.y}, info);
    EXPECT_EQ("own", info.HintStr); // AnchorHint is off
    panel->AnchorHint = true;
    EXPECT_TRUE(tk::PrepareHint(*panel, {cursor.x, cursor.y}, info));
    EXPECT_EQ("target!", info.HintStr);
    EXPECT_EQ((TPoint{cursor.x + 10, cursor.y - 10}), info.HintPos);
}

// ---- FreeOnClose ----

bool g_destroyed = false;

class TrackedPanel : public TAdvPanel {
public:
    using TAdvPanel::TAdvPanel;
    ~TrackedPanel() override { g_destroyed = true; }
};

class FreeOnClose : public PanelInteraction {
protected:
    // A panel whose memory faults on any access once it is freed.
    TrackedPanel* MakeGuardedPanel() {
        g_destroyed = false;
        MakeForm();
        TrackedPanel* panel = nullptr;
        {
            wintest::GuardedAllocations guard;
            panel = new TrackedPanel(form_);
        }
        EXPECT_TRUE(wintest::IsGuardedBlock(panel));
        panel->SetParent(form_);
        panel->SetBounds(10, 10, 200, 150);
        panel->Caption().SetVisible(true);
        panel->Caption().SetCloseButton(true);
        panel->FreeOnClose = true;
        Show();
        return panel;
    }
};

TEST_F(FreeOnClose, TheCloseButtonDestroysThePanelOnceItsMessageHasReturned) {
    TrackedPanel* panel = MakeGuardedPanel();
    const HWND hwnd = panel->Handle();
    int closed = 0;
    panel->OnClose = [&](tk::TObject*) { ++closed; };
    const TPoint close = Centre(CloseButtonRect(panel->ClientRect(), panel->ButtonLayout()));
    Send(panel, WM_LBUTTONDOWN, close, MK_LBUTTON);
    Send(panel, WM_LBUTTONUP, close);
    EXPECT_EQ(1, closed);
    EXPECT_FALSE(g_destroyed); // still on the way back from its own message
    PumpMessages();
    EXPECT_TRUE(g_destroyed);
    EXPECT_TRUE(wintest::IsFreedGuardedBlock(panel));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(form_->Controls().empty());
}

TEST_F(FreeOnClose, AClosedPanelOutlivesItsOwnRunningAnimation) {
    TrackedPanel* panel = MakeGuardedPanel();
    panel->CollapsSteps = 4;
    panel->CollapsDelay = 1;
    const TPoint close = Centre(CloseButtonRect(panel->ClientRect(), panel->ButtonLayout()));
    int ends = 0;
    bool closing = false;
    panel->OnEndCollapsExpand = [&](tk::TObject*) { ++ends; };
    panel->OnResize = [&](tk::TObject*) {
        if (!panel->Collapsing() || closing) return;
        closing = true;
        // Posted: the animation's own message processing delivers it.
        PostMessageA(panel->Handle(), WM_LBUTTONUP, 0, PointParam(close.X, close.Y));
    };
    panel->SetCollaps(true);
    EXPECT_EQ(1, ends); // the animation finished on a live panel
    EXPECT_FALSE(g_destroyed);
    PumpMessages();
    EXPECT_TRUE(g_destroyed);
    EXPECT_TRUE(wintest::IsFreedGuardedBlock(panel));
}

} // namespace
