// Mouse input to windowless controls: which control gets it, the click rule, capture, hover,
// the context request, and exceptions from handlers.
#include "support/win_test_support.h"
#include "toolkit/controls/extctrls.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

class Probe : public tk::TGraphicControl {
public:
    Probe(tk::TComponent* owner, std::vector<std::string>& log, std::string name)
        : tk::TGraphicControl(owner), log_(log), tag_(std::move(name)) {
        OnMouseDown = [this](tk::TObject*, tk::TMouseButton b, tk::TShiftState s, int x, int y) {
            Add("down" + Button(b) + ((s & tk::ssDouble) ? "2" : "") + At(x, y));
        };
        OnMouseUp = [this](tk::TObject*, tk::TMouseButton b, tk::TShiftState, int x, int y) {
            Add("up" + Button(b) + At(x, y));
        };
        OnMouseMove = [this](tk::TObject*, tk::TShiftState, int x, int y) {
            Add("move" + At(x, y));
        };
        OnClick = [this](tk::TObject*) { Add("click"); };
        OnDblClick = [this](tk::TObject*) { Add("dbl"); };
        OnMouseEnter = [this](tk::TObject*) { Add("enter"); };
        OnMouseLeave = [this](tk::TObject*) { Add("leave"); };
        OnContextPopup = [this](tk::TObject*, tk::TPoint p, bool&) { Add("popup" + At(p.X, p.Y)); };
    }
    void Paint(tk::TCanvas&) override {}

private:
    static std::string Button(tk::TMouseButton b) {
        return b == tk::TMouseButton::mbLeft ? "L" : b == tk::TMouseButton::mbRight ? "R" : "M";
    }
    static std::string At(int x, int y) {
        std::ostringstream out;
        out << '(' << x << ',' << y << ')';
        return out.str();
    }
    void Add(const std::string& what) {
        std::ostringstream out;
        out << tag_ << ':' << what;
        log_.push_back(out.str());
    }
    std::vector<std::string>& log_;
    std::string tag_;
};

class ToolkitInput : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = new tk::TForm(&fixture_.App());
        form_->SetBorderStyle(tk::TFormBorderStyle::bsNone);
        form_->SetBounds(200, 150, 300, 200);
        panel_ = new tk::TCustomPanel(form_);
        panel_->SetParent(form_);
        panel_->SetAlign(tk::TAlign::alClient);
        lower_ = Add("lower", 10, 10, 100, 60);
        upper_ = Add("upper", 50, 30, 100, 60); // overlaps the lower one, created later
        fixture_.App().AddForm(form_);
        form_->Show();
        wintest::PumpMessages();
        log_.clear();
    }

    Probe* Add(const char* name, int l, int t, int w, int h) {
        auto* p = new Probe(form_, log_, name);
        p->SetParent(panel_);
        p->SetBounds(l, t, w, h);
        return p;
    }

    void Send(UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageA(panel_->Handle(), msg, keys, MAKELPARAM(x, y));
    }

    wintest::AppFixture fixture_;
    tk::TForm* form_ = nullptr;
    tk::TCustomPanel* panel_ = nullptr;
    Probe* lower_ = nullptr;
    Probe* upper_ = nullptr;
    std::vector<std::string> log_;
};

using Log = std::vector<std::string>;

TEST_F(ToolkitInput, PressAndReleaseOnTheControlClickBeforeTheMouseUp) {
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), panel_->Handle());
    Send(WM_LBUTTONUP, 25, 22);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log_, (Log{"lower:downL(10,10)", "lower:click", "lower:upL(15,12)"}));
}

TEST_F(ToolkitInput, TheTopmostEnabledVisibleControlTakesThePress) {
    Send(WM_LBUTTONDOWN, 60, 40, MK_LBUTTON); // inside both: the later one is on top
    Send(WM_LBUTTONUP, 60, 40);
    upper_->SetEnabled(false);
    Send(WM_LBUTTONDOWN, 60, 40, MK_LBUTTON);
    Send(WM_LBUTTONUP, 60, 40);
    upper_->SetEnabled(true);
    upper_->SetVisible(false);
    Send(WM_RBUTTONDOWN, 60, 40, MK_RBUTTON);
    upper_->SetVisible(true);
    Send(WM_LBUTTONDOWN, 250, 150, MK_LBUTTON); // over neither: the panel itself
    Send(WM_LBUTTONUP, 250, 150);
    EXPECT_EQ(log_,
              (Log{"upper:downL(10,10)", "upper:click", "upper:upL(10,10)", "lower:downL(50,30)",
                   "lower:click", "lower:upL(50,30)", "lower:downR(50,30)"}));
}

TEST_F(ToolkitInput, AReleaseOutsideTheControlDoesNotClick) {
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    // While held, input stays with the pressed control even outside it (coordinates go
    // negative to the left and above).
    Send(WM_MOUSEMOVE, 5, 4, MK_LBUTTON);
    Send(WM_LBUTTONUP, 5, 4);
    EXPECT_EQ(log_, (Log{"lower:downL(10,10)", "lower:move(-5,-6)", "lower:upL(-5,-6)"}));
}

TEST_F(ToolkitInput, ADoubleClickClicksOnce) {
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    Send(WM_LBUTTONDBLCLK, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(log_, (Log{"lower:downL(10,10)", "lower:click", "lower:upL(10,10)", "lower:dbl",
                         "lower:downL2(10,10)", "lower:upL(10,10)"}));
}

TEST_F(ToolkitInput, ASecondPressAfterTheWindowWasRecreatedStillMakesADoubleClick) {
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    HWND before = panel_->Handle();
    panel_->RecreateWnd(); // as a click handler that re-creates the windows does
    ASSERT_NE(panel_->Handle(), before);
    // The system cannot pair presses across two windows; the toolkit does.
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    // Later than the double-click time, the next press is a single one again.
    Sleep(GetDoubleClickTime() + 100);
    panel_->RecreateWnd();
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(log_, (Log{"lower:downL(10,10)", "lower:click", "lower:upL(10,10)", "lower:dbl",
                         "lower:downL2(10,10)", "lower:upL(10,10)", "lower:downL(10,10)",
                         "lower:click", "lower:upL(10,10)"}));
}

TEST_F(ToolkitInput, ALostCaptureCancelsThePress) {
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    ReleaseCapture();
    Send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(log_, (Log{"lower:downL(10,10)", "lower:upL(10,10)"}));
}

TEST_F(ToolkitInput, TheRightReleaseRaisesTheContextRequestOfTheControlUnderIt) {
    POINT screen{70, 50};
    ClientToScreen(panel_->Handle(), &screen);
    Send(WM_RBUTTONDOWN, 70, 50, MK_RBUTTON);
    Send(WM_RBUTTONUP, 70, 50);
    wintest::PumpMessages();
    EXPECT_EQ(log_, (Log{"upper:downR(20,20)", "upper:upR(20,20)", "upper:popup(20,20)"}));
}

TEST_F(ToolkitInput, MovingOnAndOffAControlEntersAndLeaves) {
    Send(WM_MOUSEMOVE, 20, 20);
    Send(WM_MOUSEMOVE, 21, 20);
    Send(WM_MOUSEMOVE, 60, 40);
    Send(WM_MOUSEMOVE, 250, 150);
    EXPECT_EQ(log_, (Log{"lower:enter", "lower:move(10,10)", "lower:move(11,10)", "lower:leave",
                         "upper:enter", "upper:move(10,10)", "upper:leave"}));
}

TEST_F(ToolkitInput, AnExceptionFromAHandlerGoesToTheApplicationsDisplay) {
    std::vector<std::string> shown;
    fixture_.App().OnException = [&](const std::exception& e) { shown.push_back(e.what()); };
    lower_->OnClick = [](tk::TObject*) { throw tk::EInvalidOperation("Cannot do that"); };
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    lower_->OnClick = [](tk::TObject*) { throw tk::EAbort(); };
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, 20, 20);
    wintest::PumpMessages();
    EXPECT_EQ(shown, (std::vector<std::string>{"Cannot do that"}));
    EXPECT_TRUE(IsWindow(panel_->Handle()));
}

} // namespace
