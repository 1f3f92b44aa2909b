// The graphic button on a real window: drawing its glyphs (plain, etched, through the key
// colour), repainting over the form's background when the state changes, mouse input and the
// order of its events, and the note's hidden button.
#include "glGBtn/draw_glyph.h"
#include "glGBtn/glGBtn.h"
#include "support/win_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using glgbtn::TGlyphDrawStyle;
using glgbtn::TGlyphState;

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kBack = RGB(20, 120, 220);
constexpr COLORREF kInkA = RGB(200, 30, 30);
constexpr COLORREF kInkB = RGB(30, 160, 60);

// A 32-bit bitmap filled with the key colour, with the given rectangles painted in.
struct Block {
    tk::TRect Rect;
    COLORREF Color;
};
void MakeGlyph(tk::TBitmap& bitmap, int w, int h, std::initializer_list<Block> blocks) {
    bitmap.SetSize(w, h);
    tk::MemoryDC dc(nullptr);
    tk::SelectedObject selected(dc.Get(), bitmap.Handle());
    tk::TCanvas canvas(dc.Get());
    canvas.BrushColor = static_cast<tk::TColor>(kKey);
    canvas.FillRect({0, 0, w, h});
    for (const Block& b : blocks) {
        canvas.BrushColor = static_cast<tk::TColor>(b.Color);
        canvas.FillRect(b.Rect);
    }
}

// An off-screen 32-bit surface filled with one colour.
class Surface {
public:
    Surface(int w, int h, COLORREF fill) : dc_(nullptr) {
        bitmap_.SetSize(w, h);
        selected_ = std::make_unique<tk::SelectedObject>(dc_.Get(), bitmap_.Handle());
        tk::TCanvas canvas(dc_.Get());
        canvas.BrushColor = static_cast<tk::TColor>(fill);
        canvas.FillRect({0, 0, w, h});
    }
    HDC Get() const { return dc_.Get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

private:
    tk::TBitmap bitmap_;
    tk::MemoryDC dc_;
    std::unique_ptr<tk::SelectedObject> selected_;
};

// The pixels a window shows, read from its own surface.
class WindowPixels {
public:
    explicit WindowPixels(HWND hwnd) : surface_(Size(hwnd).cx, Size(hwnd).cy, 0) {
        tk::WindowDC dc(hwnd);
        BitBlt(surface_.Get(), 0, 0, Size(hwnd).cx, Size(hwnd).cy, dc.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    COLORREF At(int x, int y) const { return surface_.At(x, y); }

private:
    static SIZE Size(HWND hwnd) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        return {rc.right, rc.bottom};
    }
    Surface surface_;
};

TEST(GraphicButtonDrawing, LeavesTheBackgroundWhereTheKeyColourWas) {
    tk::TBitmap glyph;
    MakeGlyph(glyph, 6, 4, {{{1, 1, 3, 2}, kInkA}});
    // One step off the key colour is part of the picture.
    tk::TBitmap nearKey;
    MakeGlyph(nearKey, 6, 4, {{{1, 1, 3, 2}, kInkA}, {{4, 0, 5, 1}, RGB(254, 0, 255)}});
    ASSERT_EQ(glgbtn::GlyphKeyColor(glyph), kKey);

    Surface transparent(10, 10, kBack);
    glgbtn::DrawGlyph(transparent.Get(), nearKey, 2, 3, kKey, true, TGlyphDrawStyle::Normal);
    EXPECT_EQ(transparent.At(3, 4), kInkA);
    EXPECT_EQ(transparent.At(4, 4), kInkA);
    EXPECT_EQ(transparent.At(6, 3), RGB(254, 0, 255));
    for (auto [x, y] : {std::pair{2, 3}, {5, 4}, {7, 6}, {3, 5}, {1, 3}, {8, 3}})
        EXPECT_EQ(transparent.At(x, y), kBack) << x << "," << y;

    Surface opaque(10, 10, kBack);
    glgbtn::DrawGlyph(opaque.Get(), glyph, 2, 3, kKey, false, TGlyphDrawStyle::Normal);
    EXPECT_EQ(opaque.At(3, 4), kInkA);
    EXPECT_EQ(opaque.At(2, 3), kKey);
    EXPECT_EQ(opaque.At(7, 6), kKey);
    EXPECT_EQ(opaque.At(8, 6), kBack); // beyond the glyph's own size
}

TEST(GraphicButtonDrawing, TheDisabledStyleShowsOnlyTheEtchedBlackShape) {
    // A black pixel, a coloured block and the key colour: only the black pixel stays.
    tk::TBitmap glyph;
    MakeGlyph(glyph, 6, 6, {{{1, 1, 2, 2}, RGB(0, 0, 0)}, {{3, 1, 5, 3}, kInkA}});
    COLORREF face = tk::ColorToRGB(tk::clBtnFace);
    COLORREF light = tk::ColorToRGB(tk::clBtnHighlight);
    COLORREF shadow = tk::ColorToRGB(tk::clBtnShadow);

    Surface opaque(6, 6, kBack);
    glgbtn::DrawGlyph(opaque.Get(), glyph, 0, 0, kKey, false, TGlyphDrawStyle::Disabled);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            COLORREF want = (x == 1 && y == 1) ? shadow : (x == 2 && y == 2) ? light : face;
            EXPECT_EQ(opaque.At(x, y), want) << x << "," << y;
        }

    // With transparency the face colour is what is left out.
    Surface transparent(6, 6, kBack);
    glgbtn::DrawGlyph(transparent.Get(), glyph, 0, 0, kKey, true, TGlyphDrawStyle::Disabled);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            COLORREF want = (x == 1 && y == 1) ? shadow : (x == 2 && y == 2) ? light : kBack;
            EXPECT_EQ(transparent.At(x, y), want) << x << "," << y;
        }
}

// A button on a plain form, driven by the messages the system sends the form.
class GraphicButton : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = new tk::TForm(&fixture_.App());
        form_->SetBorderStyle(tk::TFormBorderStyle::bsNone);
        form_->SetBounds(200, 150, 200, 150);
        form_->SetColor(static_cast<tk::TColor>(kBack));
        button_ = new glgbtn::TglGraphicButton(form_);
        button_->SetParent(form_);
        button_->SetBounds(10, 20, 40, 30);
        fixture_.App().AddForm(form_);
        form_->Show();
        wintest::PumpMessages();
    }

    // Passive: the top half in ink A. Active: the top-left quarter in ink B. Pushed: the left
    // half in ink A. The bottom row is key colour in each.
    void SetGlyphs() {
        tk::TBitmap g;
        MakeGlyph(g, 20, 20, {{{0, 0, 20, 10}, kInkA}});
        button_->SetGlyphPassive(g);
        MakeGlyph(g, 20, 20, {{{0, 0, 10, 10}, kInkB}});
        button_->SetGlyphActive(g);
        MakeGlyph(g, 20, 20, {{{0, 0, 10, 19}, kInkA}});
        button_->SetGlyphPushed(g);
    }

    // Sends a mouse message at a point of the button (the real pointer goes there too, so that
    // the system's leave tracking agrees).
    void Send(UINT msg, int x, int y, WPARAM keys = 0) {
        POINT p{x + button_->Left(), y + button_->Top()};
        POINT screen = p;
        ClientToScreen(form_->Handle(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(form_->Handle(), msg, keys, MAKELPARAM(p.x, p.y));
    }

    COLORREF Pixel(int x, int y) {
        return WindowPixels(form_->Handle()).At(x + button_->Left(), y + button_->Top());
    }

    void FullRepaint() {
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

    wintest::AppFixture fixture_;
    tk::TForm* form_ = nullptr;
    glgbtn::TglGraphicButton* button_ = nullptr;
};

TEST_F(GraphicButton, StartsAtRestWithoutGlyphs) {
    auto* fresh = new glgbtn::TglGraphicButton(form_);
    EXPECT_EQ(fresh->Width(), 105);
    EXPECT_EQ(fresh->Height(), 105);
    EXPECT_TRUE(fresh->Transparent);
    EXPECT_EQ(fresh->State(), TGlyphState::Passive);
    EXPECT_FALSE(fresh->Held());
    EXPECT_TRUE(fresh->GlyphActive().Empty() && fresh->GlyphPassive().Empty() &&
                fresh->GlyphPushed().Empty());
}

TEST_F(GraphicButton, ASetGlyphShowsAtOnce) {
    SetGlyphs(); // bitmaps made in memory, not loaded from a file
    EXPECT_EQ(Pixel(5, 5), kInkA);
    EXPECT_EQ(Pixel(5, 15), kBack);
}

TEST_F(GraphicButton, AStateChangeRepaintsTheButtonOverItsParentsBackground) {
    form_->DoubleBuffered = true; // as the note's panel is: the change goes through the buffer
    SetGlyphs();
    Send(WM_MOUSEMOVE, 5, 5);
    ASSERT_EQ(button_->State(), TGlyphState::Active);
    EXPECT_EQ(Pixel(5, 5), kInkB);
    // Where the Active glyph has its key colour the form's background shows, not the Passive
    // glyph's ink: the form paints the button's rectangle afresh.
    EXPECT_EQ(Pixel(15, 5), kBack);
    EXPECT_EQ(Pixel(15, 15), kBack);

    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    ASSERT_EQ(button_->State(), TGlyphState::Pushed);
    EXPECT_EQ(Pixel(5, 15), kInkA);
    EXPECT_EQ(Pixel(15, 5), kBack);
    EXPECT_FALSE(GetUpdateRect(form_->Handle(), nullptr, FALSE)); // painted already

    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(button_->State(), TGlyphState::Active);
    EXPECT_EQ(Pixel(5, 15), kBack);
    EXPECT_EQ(Pixel(5, 5), kInkB);
}

TEST_F(GraphicButton, DraggingOffThePictureAndBackWhileHeld) {
    SetGlyphs();
    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 15, 15, MK_LBUTTON); // key colour of the Pushed glyph
    EXPECT_EQ(button_->State(), TGlyphState::Passive);
    EXPECT_TRUE(button_->Held());
    Send(WM_MOUSEMOVE, 5, 5, MK_LBUTTON); // back onto the Passive glyph's ink
    EXPECT_EQ(button_->State(), TGlyphState::Pushed);
    Send(WM_MOUSEMOVE, -5, -5, MK_LBUTTON); // out of the rectangle to the top left
    EXPECT_EQ(button_->State(), TGlyphState::Passive);
    Send(WM_LBUTTONUP, -5, -5);
    EXPECT_EQ(button_->State(), TGlyphState::Passive);
    EXPECT_FALSE(button_->Held());
}

TEST_F(GraphicButton, RaisesItsEventsAroundItsOwnHandling) {
    SetGlyphs();
    std::vector<std::string> log;
    auto state = [this] {
        switch (button_->State()) {
        case TGlyphState::Active:
            return std::string("A");
        case TGlyphState::Passive:
            return std::string("P");
        case TGlyphState::Pushed:
            return std::string("U");
        }
        return std::string("?");
    };
    button_->OnMouseEnter = [&](tk::TObject*) { log.push_back("enter" + state()); };
    button_->OnMouseLeave = [&](tk::TObject*) { log.push_back("leave" + state()); };
    button_->OnMouseMove = [&](tk::TObject*, tk::TShiftState, int, int) {
        log.push_back("move" + state());
    };
    button_->OnMouseDown = [&](tk::TObject*, tk::TMouseButton, tk::TShiftState, int, int) {
        log.push_back("down" + state());
    };
    button_->OnMouseUp = [&](tk::TObject*, tk::TMouseButton, tk::TShiftState, int, int) {
        log.push_back("up" + state());
    };
    button_->OnClick = [&](tk::TObject*) { log.push_back("click" + state()); };

    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Send(WM_LBUTTONUP, 5, 5);
    Send(WM_MOUSEMOVE, 100, 5); // off the button, onto the form
    // Each event sees the state from before the button's own handling, except the leave.
    EXPECT_EQ(log,
              (std::vector<std::string>{"enterP", "moveP", "downA", "clickU", "upU", "leaveP"}));
}

TEST_F(GraphicButton, ClicksWithoutPushingOnKeyColourOrWithoutGlyphs) {
    int clicks = 0;
    button_->OnClick = [&](tk::TObject*) { ++clicks; };
    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_EQ(button_->State(), TGlyphState::Passive);
    Send(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Pixel(5, 5), kBack); // nothing drawn

    SetGlyphs();
    Send(WM_MOUSEMOVE, 5, 15); // key colour of the Passive glyph
    Send(WM_LBUTTONDOWN, 5, 15, MK_LBUTTON);
    EXPECT_EQ(button_->State(), TGlyphState::Passive);
    wintest::PumpMessages();
    EXPECT_EQ(Pixel(5, 15), kBack); // the Pushed glyph's ink is not shown
    Send(WM_LBUTTONUP, 5, 15);
    EXPECT_EQ(clicks, 2);
}

TEST_F(GraphicButton, ARightPressDoesNotPushAndItsReleaseRests) {
    SetGlyphs();
    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
    EXPECT_EQ(button_->State(), TGlyphState::Active);
    Send(WM_RBUTTONUP, 5, 5);
    EXPECT_EQ(button_->State(), TGlyphState::Passive);
    wintest::PumpMessages();
}

TEST_F(GraphicButton, TransparentChangesAtTheNextRepaintOnly) {
    SetGlyphs();
    button_->Transparent = false;
    wintest::PumpMessages();
    EXPECT_EQ(Pixel(5, 15), kBack);
    button_->Repaint();
    EXPECT_EQ(Pixel(5, 15), kKey);
    EXPECT_EQ(Pixel(5, 5), kInkA);
    button_->Transparent = true;
    wintest::PumpMessages();
    EXPECT_EQ(Pixel(5, 15), kKey);
    FullRepaint();
    EXPECT_EQ(Pixel(5, 15), kBack);
}

TEST_F(GraphicButton, ADisabledButtonIgnoresTheMouseAndLooksEtched) {
    tk::TBitmap g;
    MakeGlyph(g, 20, 20, {{{2, 2, 4, 4}, RGB(0, 0, 0)}, {{10, 2, 14, 6}, kInkA}});
    button_->SetGlyphPassive(g);
    button_->SetGlyphActive(g);
    button_->SetEnabled(false);
    wintest::PumpMessages();
    EXPECT_EQ(Pixel(2, 2), tk::ColorToRGB(tk::clBtnShadow));
    EXPECT_EQ(Pixel(4, 4), tk::ColorToRGB(tk::clBtnHighlight));
    EXPECT_EQ(Pixel(11, 3), kBack);
    EXPECT_EQ(Pixel(15, 15), kBack);
    int events = 0;
    button_->OnMouseDown = [&](tk::TObject*, tk::TMouseButton, tk::TShiftState, int, int) {
        ++events;
    };
    Send(WM_MOUSEMOVE, 2, 2);
    Send(WM_LBUTTONDOWN, 2, 2, MK_LBUTTON);
    Send(WM_LBUTTONUP, 2, 2);
    EXPECT_EQ(button_->State(), TGlyphState::Passive);
    EXPECT_EQ(events, 0);
}

TEST_F(GraphicButton, AButtonCreatedLaterStaysOnTopOfAStateChange) {
    SetGlyphs();
    auto* above = new glgbtn::TglGraphicButton(form_);
    above->SetParent(form_);
    above->SetBounds(button_->Left() + 12, button_->Top(), 20, 20);
    tk::TBitmap g;
    MakeGlyph(g, 20, 20, {{{0, 0, 20, 19}, kInkB}});
    above->SetGlyphPassive(g);
    Send(WM_MOUSEMOVE, 5, 5);
    Send(WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 5, 6, MK_LBUTTON);
    ASSERT_EQ(button_->State(), TGlyphState::Pushed);
    EXPECT_EQ(Pixel(15, 5), kInkB);
    Send(WM_LBUTTONUP, 5, 6);
}

TEST(GraphicButtonOnTheNote, TheHiddenButtonIsNeverDrawnNorActivated) {
    wintest::AppFixture fixture;
    note::TForm1* form = fixture.CreateNote();
    glgbtn::TglGraphicButton* button = form->btn_ok;
    ASSERT_FALSE(button->GlyphPassive().Empty());
    tk::TRect r = button->BoundsRect();
    HWND panel = form->panel->Handle();
    wintest::PumpMessages();
    // Moves only: a press there would start the window-action image's move loop.
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            SendMessageA(panel, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(button->State(), TGlyphState::Passive);
    WindowPixels pixels(panel);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            ASSERT_EQ(pixels.At(x, y), pixels.At(r.Left - 10, y)) << x << "," << y;
}

} // namespace
