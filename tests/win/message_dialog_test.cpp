// The message dialog under Wine: what the confirmation shows, how it answers keys and the close
// button, the copied text, and the rest of the application while it is up. Each dialog is
// answered by a script of steps: a CBT hook notices the dialog's activation and posts a marker,
// and each marker, taken from the queue by the modal loop, runs the next step.
#include "dialogs/message_dialog.h"
#include "dialogs/message_form.h"
#include "support/win_test_support.h"
#include "toolkit/text/unicode_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using dialogs::TMessageForm;
using dialogs::TMsgDlgBtn;
using dialogs::TMsgDlgType;
using tk::TRect;

namespace {

const char kNoteQuestion[] = "A jegyzet nincs mentve, így is be akarod zárni?";

// A hook owned for the life of a script.
class HookHandle {
public:
    HookHandle(int type, HOOKPROC proc)
        : hook_(SetWindowsHookExA(type, proc, nullptr, GetCurrentThreadId())) {}
    HookHandle(const HookHandle&) = delete;
    HookHandle& operator=(const HookHandle&) = delete;
    ~HookHandle() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    bool Valid() const { return hook_ != nullptr; }

private:
    HHOOK hook_;
};

using Step = std::function<void(TMessageForm&)>;

class DialogScript {
public:
    explicit DialogScript(std::vector<Step> steps)
        : steps_(std::move(steps)), marker_(RegisterWindowMessageA("PinletTestDialogStep")) {
        current_ = this;
        cbt_ = std::make_unique<HookHandle>(WH_CBT, CbtProc);
        getMessage_ = std::make_unique<HookHandle>(WH_GETMESSAGE, GetMessageProc);
        EXPECT_TRUE(cbt_->Valid() && getMessage_->Valid());
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    ~DialogScript() {
        cbt_.reset();
        getMessage_.reset();
        current_ = nullptr;
    }

    bool Started() const { return dialog_ != nullptr; }
    bool AllStepsRan() const { return next_ == steps_.size(); }
    // The dialog stayed open after the last step and had to be closed by the script.
    bool Stuck() const { return stuck_; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
        try {
            if (code == HCBT_ACTIVATE && current_ && !current_->dialog_) {
                auto hwnd = reinterpret_cast<HWND>(wParam);
                if (dynamic_cast<TMessageForm*>(tk::TWinControl::FromHandle(hwnd))) {
                    current_->dialog_ = hwnd;
                    current_->PostMarker();
                }
            }
        } catch (...) {
            ADD_FAILURE() << "exception in the CBT hook";
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) {
        try {
            auto* msg = reinterpret_cast<MSG*>(lParam);
            if (code == HC_ACTION && wParam == PM_REMOVE && current_ &&
                msg->message == current_->marker_ && msg->hwnd == nullptr &&
                msg->wParam == current_->serial_)
                current_->RunNext();
        } catch (...) {
            ADD_FAILURE() << "exception in a dialog step";
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // A marker left over from an earlier script carries another serial and is ignored.
    void PostMarker() { PostThreadMessageA(GetCurrentThreadId(), marker_, serial_, 0); }

    void RunNext() {
        auto* form = dynamic_cast<TMessageForm*>(tk::TWinControl::FromHandle(dialog_));
        if (!form || !IsWindowVisible(dialog_)) return; // the dialog is done
        if (next_ < steps_.size()) {
            steps_[next_++](*form);
        } else if (++idleRounds_ > 20) {
            // Every message the last step caused has been handled long since.
            stuck_ = true;
            PostMessageA(dialog_, WM_CLOSE, 0, 0);
            return;
        }
        PostMarker();
    }

    static inline DialogScript* current_ = nullptr;
    static inline WPARAM lastSerial_ = 0;
    WPARAM serial_ = ++lastSerial_;
    std::vector<Step> steps_;
    UINT marker_;
    std::unique_ptr<HookHandle> cbt_;
    std::unique_ptr<HookHandle> getMessage_;
    HWND dialog_ = nullptr;
    size_t next_ = 0;
    int idleRounds_ = 0;
    bool stuck_ = false;
};

// Runs the dialog with a script; fails the test when the script did not run to its end or the
// dialog did not close by itself.
int RunDialog(const std::function<int()>& show, std::vector<Step> steps) {
    DialogScript script(std::move(steps));
    int result = show();
    EXPECT_TRUE(script.Started());
    EXPECT_TRUE(script.AllStepsRan());
    EXPECT_FALSE(script.Stuck()) << "the dialog did not close by itself";
    return result;
}

int Confirm(std::vector<Step> steps) {
    return RunDialog([] { return dialogs::ConfirmMessage(kNoteQuestion); }, std::move(steps));
}

// Keys as the system delivers them: to the window with the keyboard focus.
HWND KeyTarget(TMessageForm& form) {
    HWND focus = GetFocus();
    return focus ? focus : form.Handle();
}

LPARAM KeyData(UINT vk, bool up, bool alt) {
    LPARAM data = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16);
    if (alt) data |= 1 << 29;
    if (up) data |= static_cast<LPARAM>(3u << 30);
    return data;
}

Step Key(UINT vk) {
    return [vk](TMessageForm& form) {
        HWND to = KeyTarget(form);
        PostMessageA(to, WM_KEYDOWN, vk, KeyData(vk, false, false));
        PostMessageA(to, WM_KEYUP, vk, KeyData(vk, true, false));
    };
}

Step AltKey(UINT vk) {
    return [vk](TMessageForm& form) {
        HWND to = KeyTarget(form);
        PostMessageA(to, WM_SYSKEYDOWN, vk, KeyData(vk, false, true));
        PostMessageA(to, WM_SYSKEYUP, vk, KeyData(vk, true, true));
    };
}

Step Char(char c, bool alt = false) {
    return [c, alt](TMessageForm& form) {
        PostMessageA(KeyTarget(form), alt ? WM_SYSCHAR : WM_CHAR, static_cast<BYTE>(c),
                     KeyData(VkKeyScanA(c) & 0xFF, false, alt));
    };
}

// Modifier keys held down in this thread's key state until Release().
Step Hold(std::initializer_list<int> keys) {
    std::vector<int> held(keys);
    return [held](TMessageForm&) {
        BYTE state[256] = {};
        for (int vk : held)
            state[vk] = 0x80;
        SetKeyboardState(state);
    };
}

void ClearKeyState() {
    BYTE state[256] = {};
    SetKeyboardState(state);
}

Step Release() {
    return [](TMessageForm&) { ClearKeyState(); };
}

Step Check(std::function<void(TMessageForm&)> check) {
    return check;
}

tk::TButton* ButtonNamed(TMessageForm& form, const char* name) {
    return dynamic_cast<tk::TButton*>(form.FindComponent(name));
}

// The name of the one button with the default look, or "" / "several".
std::string DefaultLook(TMessageForm& form) {
    std::string found;
    for (const char* name : {"Yes", "No", "Cancel"}) {
        tk::TButton* b = ButtonNamed(form, name);
        if (b && b->HasDefaultLook()) found = found.empty() ? name : "several";
    }
    return found;
}

Step ExpectDefaultLook(const char* name) {
    return [name](TMessageForm& form) {
        EXPECT_EQ(DefaultLook(form), name);
        tk::TButton* b = ButtonNamed(form, name);
        EXPECT_TRUE(b && b->Focused()) << name;
    };
}

std::string WindowText(HWND hwnd) {
    char buffer[256] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<clipboard busy>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = tk::Utf8(units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

LOGFONTW MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = 500;
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0));
    return metrics.lfMessageFont;
}

// Width DrawTextW gives a single line in the message font, without "&" processing.
int PlainTextWidth(const std::string& text) {
    LOGFONTW lf = MessageFont();
    tk::FontHandle font(CreateFontIndirectW(&lf));
    tk::WindowDC screen(nullptr);
    tk::SelectedObject selected(screen.Get(), font.Get());
    RECT r{0, 0, 0, 0};
    DrawTextW(screen.Get(), tk::Wide(text).c_str(), -1, &r,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return r.right;
}

// The pixels of a client rectangle, read from the window's own surface.
std::vector<COLORREF> ClientPixels(HWND hwnd, const TRect& r) {
    std::vector<COLORREF> pixels;
    tk::WindowDC dc(hwnd);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            pixels.push_back(GetPixel(dc.Get(), x, y));
    return pixels;
}

class MessageDialog : public ::testing::Test {
protected:
    void SetUp() override { ClearKeyState(); }
    wintest::AppFixture fixture_;
};

TEST_F(MessageDialog, EnterRightAwayAnswersYes) {
    EXPECT_EQ(Confirm({Key(VK_RETURN)}), 6);
}

TEST_F(MessageDialog, EscTheCloseButtonAndAltF4Answer2) {
    EXPECT_EQ(Confirm({Key(VK_ESCAPE)}), 2);
    EXPECT_EQ(
        Confirm({[](TMessageForm& f) { PostMessageA(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }}),
        2);
    EXPECT_EQ(Confirm({AltKey(VK_F4)}), 2);
}

TEST_F(MessageDialog, AccessKeysInEitherCaseWithOrWithoutAlt) {
    EXPECT_EQ(Confirm({Key('Y')}), 6); // translated into a lower-case character
    EXPECT_EQ(Confirm({Char('Y')}), 6);
    EXPECT_EQ(Confirm({AltKey('Y')}), 6);
    EXPECT_EQ(Confirm({Char('Y', true)}), 6);
    EXPECT_EQ(Confirm({Key('N')}), 7);
    EXPECT_EQ(Confirm({Char('N')}), 7);
    EXPECT_EQ(Confirm({AltKey('N')}), 7);
    EXPECT_EQ(Confirm({Char('n', true)}), 7);
    // A letter no caption marks does nothing; "Cancel" has no access key.
    EXPECT_EQ(Confirm({Char('c'), Char('x', true),
                       Check([](TMessageForm& f) { EXPECT_TRUE(IsWindowVisible(f.Handle())); }),
                       Key(VK_ESCAPE)}),
              2);
}

TEST_F(MessageDialog, TabAndArrowsMoveTheDefaultLookAndEnterClicksIt) {
    int result =
        Confirm({ExpectDefaultLook("Yes"), Key(VK_TAB), ExpectDefaultLook("No"), Key(VK_RIGHT),
                 ExpectDefaultLook("Cancel"), Key(VK_DOWN), ExpectDefaultLook("Yes"), Key(VK_LEFT),
                 ExpectDefaultLook("Cancel"), Hold({VK_SHIFT}), Key(VK_TAB), Release(),
                 ExpectDefaultLook("No"), Key(VK_UP), ExpectDefaultLook("Yes"), Key(VK_TAB),
                 ExpectDefaultLook("No"), Key(VK_RETURN)});
    EXPECT_EQ(result, 7);
    EXPECT_EQ(Confirm({Key(VK_RIGHT), Key(VK_RIGHT), ExpectDefaultLook("Cancel"), Key(VK_SPACE)}),
              2);
}

TEST_F(MessageDialog, CtrlCCopiesTheDialogAndKeepsItOpen) {
    SetClipboardText("before");
    const std::string d = "---------------------------\r\n";
    const std::string expected =
        d + "Confirm\r\n" + d + kNoteQuestion + "\r\n" + d + "Yes   No   Cancel   \r\n" + d;
    int result = Confirm({
        // With Shift as well it is no copy.
        Hold({VK_CONTROL, VK_SHIFT}),
        Key('C'),
        Release(),
        Check([](TMessageForm&) { EXPECT_EQ(ClipboardText(), "before"); }),
        Hold({VK_CONTROL}),
        Key('C'),
        Release(),
        Check([&](TMessageForm& f) {
            EXPECT_EQ(ClipboardText(), expected);
            EXPECT_TRUE(IsWindowVisible(f.Handle()));
            EXPECT_EQ(f.ModalResult(), 0);
        }),
        Key(VK_ESCAPE),
    });
    EXPECT_EQ(result, 2);
}

TEST_F(MessageDialog, AClipboardHeldElsewhereIsReportedAndTheDialogStays) {
    std::vector<std::string> shown;
    fixture_.App().OnException = [&](const std::exception& e) { shown.push_back(e.what()); };
    tk::TForm holder(nullptr);
    holder.HandleNeeded();
    int result = Confirm({
        Check([&](TMessageForm&) { ASSERT_TRUE(OpenClipboard(holder.Handle())); }),
        Hold({VK_CONTROL}),
        Key('C'),
        Release(),
        Check([&](TMessageForm& f) {
            CloseClipboard();
            EXPECT_EQ(shown, std::vector<std::string>{"Cannot open clipboard"});
            EXPECT_TRUE(IsWindowVisible(f.Handle()));
        }),
        Key('N'),
    });
    EXPECT_EQ(result, 7);
}

TEST_F(MessageDialog, TheConfirmationsLook) {
    int result =
        Confirm({Check([](TMessageForm& f) {
                     HWND dlg = f.Handle();
                     EXPECT_EQ(WindowText(dlg), "Confirm");
                     LONG style = GetWindowLongA(dlg, GWL_STYLE);
                     EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
                     EXPECT_TRUE(style & WS_SYSMENU);
                     EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
                     EXPECT_EQ(f.Font().Name(), tk::Utf8(MessageFont().lfFaceName));

                     std::vector<TRect> rects;
                     const char* names[] = {"Yes", "No", "Cancel"};
                     const char* captions[] = {"&Yes", "&No", "Cancel"};
                     for (int i = 0; i < 3; ++i) {
                         tk::TButton* b = ButtonNamed(f, names[i]);
                         ASSERT_NE(b, nullptr) << names[i];
                         EXPECT_EQ(WindowText(b->Handle()), captions[i]);
                         rects.push_back(wintest::RectIn(b->Handle(), dlg));
                     }
                     RECT client;
                     GetClientRect(dlg, &client);
                     EXPECT_EQ(rects[0].Width(), rects[1].Width());
                     EXPECT_EQ(rects[1].Width(), rects[2].Width());
                     EXPECT_GE(rects[0].Width(), 75); // 50 quarters of Tahoma's 6
                     EXPECT_EQ(rects[0].Top, rects[2].Top);
                     EXPECT_LT(rects[0].Right, rects[1].Left);
                     EXPECT_EQ(rects[1].Left - rects[0].Right, rects[2].Left - rects[1].Right);
                     int leftGap = rects[0].Left, rightGap = client.right - rects[2].Right;
                     EXPECT_TRUE(leftGap == rightGap || leftGap + 1 == rightGap)
                         << leftGap << " " << rightGap;

                     // Icon left of the one-line message, buttons below both.
                     auto* image = dynamic_cast<tk::TImage*>(f.FindComponent("Image"));
                     auto* label = dynamic_cast<tk::TLabel*>(f.FindComponent("Message"));
                     ASSERT_TRUE(image && label);
                     EXPECT_EQ(image->Width(), 32);
                     EXPECT_EQ(label->Caption(), kNoteQuestion);
                     EXPECT_GT(label->Left(), image->BoundsRect().Right);
                     EXPECT_EQ(label->Width(), PlainTextWidth(kNoteQuestion));
                     EXPECT_GT(rects[0].Top, image->BoundsRect().Bottom);

                     // Centred on the primary screen, frame included.
                     RECT window;
                     GetWindowRect(dlg, &window);
                     EXPECT_EQ(window.left,
                               (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
                     EXPECT_EQ(window.top,
                               (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);
                 }),
                 Key(VK_ESCAPE)});
    EXPECT_EQ(result, 2);
}

TEST_F(MessageDialog, ADoubleAmpersandShowsOneAmpersand) {
    auto show = [] {
        return dialogs::ShowMessageDialog("Fish && Chips", TMsgDlgType::mkCustom,
                                          dialogs::ButtonBit(TMsgDlgBtn::mbOK), 0);
    };
    int result =
        RunDialog(show, {Check([](TMessageForm& f) {
                             EXPECT_EQ(WindowText(f.Handle()), "Pinlet");
                             EXPECT_EQ(f.FindComponent("Image"), nullptr);
                             auto* label = dynamic_cast<tk::TLabel*>(f.FindComponent("Message"));
                             ASSERT_NE(label, nullptr);
                             // Measured as drawn: one "&".
                             EXPECT_EQ(label->Width(), PlainTextWidth("Fish & Chips"));
                             EXPECT_NE(label->Width(), PlainTextWidth("Fish && Chips"));

                             // Drawn the same as "Fish & Chips" taken literally.
                             UpdateWindow(f.Handle());
                             TRect r = label->BoundsRect();
                             std::vector<COLORREF> shown = ClientPixels(f.Handle(), r);
                             {
                                 LOGFONTW lf = MessageFont();
                                 tk::FontHandle font(CreateFontIndirectW(&lf));
                                 tk::WindowDC dc(f.Handle());
                                 tk::SelectedObject sel(dc.Get(), font.Get());
                                 tk::BrushHandle face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
                                 RECT rc{r.Left, r.Top, r.Right, r.Bottom};
                                 FillRect(dc.Get(), &rc, face.Get());
                                 SetBkMode(dc.Get(), TRANSPARENT);
                                 SetTextColor(dc.Get(), GetSysColor(COLOR_WINDOWTEXT));
                                 DrawTextA(dc.Get(), "Fish & Chips", -1, &rc,
                                           DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS);
                             }
                             EXPECT_TRUE(shown == ClientPixels(f.Handle(), r));
                         }),
                         Key(VK_RETURN)});
    EXPECT_EQ(result, 1);
}

TEST_F(MessageDialog, ALongMessageWrapsWithinHalfTheScreen) {
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += "word" + std::to_string(i) + " ";
    auto show = [&] {
        return dialogs::ShowMessageDialog(text, TMsgDlgType::mkWarning, dialogs::mbYesNoCancel, 0);
    };
    int result = RunDialog(show, {Check([](TMessageForm& f) {
                                      auto* label =
                                          dynamic_cast<tk::TLabel*>(f.FindComponent("Message"));
                                      ASSERT_NE(label, nullptr);
                                      int half = GetSystemMetrics(SM_CXSCREEN) / 2;
                                      EXPECT_LE(label->Width(), half);
                                      EXPECT_GT(label->Width(), half * 3 / 4);
                                      EXPECT_GE(label->Height(), 3 * 13); // several lines
                                      tk::TButton* yes = ButtonNamed(f, "Yes");
                                      EXPECT_GT(yes->Top(), label->BoundsRect().Bottom);
                                      EXPECT_EQ(WindowText(f.Handle()), "Warning");
                                  }),
                                  Char('y')});
    EXPECT_EQ(result, 6);
}

// A word wider than half the screen (a long file name) is broken where it is shown, after its
// separators, so that the dialog fits the screen; Ctrl+C copies it whole.
TEST_F(MessageDialog, ALongFileNameIsBrokenWhereShownAndCopiedWhole) {
    std::string path = "Z:\\tmp\\pinlet-keeping.AbC123\\";
    while (path.size() < 280)
        path += 'n';
    const std::string text = "Egy mentés nem fejeződött be:\n" + path + ".txt\nVisszaállítsam?";
    SetClipboardText("before");
    auto show = [&] { return dialogs::ConfirmMessage(text); };
    int result =
        RunDialog(show, {Check([&](TMessageForm& f) {
                             auto* label = dynamic_cast<tk::TLabel*>(f.FindComponent("Message"));
                             ASSERT_NE(label, nullptr);
                             EXPECT_LE(label->Width(), GetSystemMetrics(SM_CXSCREEN) / 2);
                             EXPECT_LE(f.Width(), GetSystemMetrics(SM_CXSCREEN));
                             std::string shown = label->Caption();
                             EXPECT_NE(shown.find("pinlet-keeping.AbC123\\\n"), std::string::npos);
                             std::erase(shown, '\n');
                             std::string whole = text;
                             std::erase(whole, '\n');
                             EXPECT_EQ(shown, whole);
                         }),
                         Hold({VK_CONTROL}), Key('C'), Release(), Check([&](TMessageForm& f) {
                             EXPECT_NE(ClipboardText().find(text), std::string::npos);
                             EXPECT_EQ(f.ClipboardText(), ClipboardText());
                         }),
                         Key(VK_ESCAPE)});
    EXPECT_EQ(result, 2);
}

TEST_F(MessageDialog, TheHelpButtonAnswersNothingAndEscTakesOK) {
    auto show = [] {
        return dialogs::ShowMessageDialog(
            "Help?", TMsgDlgType::mkInformation,
            dialogs::ButtonBit(TMsgDlgBtn::mbOK) | dialogs::ButtonBit(TMsgDlgBtn::mbHelp), 7);
    };
    int result =
        RunDialog(show, {Check([](TMessageForm& f) {
                             EXPECT_EQ(f.HelpContext, 7);
                             tk::TButton* help = ButtonNamed(f, "Help");
                             ASSERT_NE(help, nullptr);
                             PostMessageA(help->Handle(), BM_CLICK, 0, 0);
                         }),
                         Check([](TMessageForm& f) {
                             EXPECT_TRUE(IsWindowVisible(f.Handle()));
                             EXPECT_EQ(f.ModalResult(), 0);
                         }),
                         Key('H'), // its access key clicks it the same way
                         Check([](TMessageForm& f) { EXPECT_TRUE(IsWindowVisible(f.Handle())); }),
                         Key(VK_ESCAPE)});
    EXPECT_EQ(result, 1);
}

TEST_F(MessageDialog, OtherWindowsAreDisabledAndAPinnedFormLeavesTheTopmostLayer) {
    auto* pinned = new tk::TForm(&fixture_.App());
    pinned->SetFormStyle(tk::TFormStyle::fsStayOnTop);
    fixture_.App().AddForm(pinned);
    fixture_.App().ShowMainForm(SW_SHOWNORMAL);
    auto* other = new tk::TForm(&fixture_.App());
    other->SetBounds(50, 50, 200, 100);
    fixture_.App().AddForm(other);
    other->Show();
    wintest::PumpMessages();
    HWND app = fixture_.App().Handle();
    auto topmost = [](HWND h) { return (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    ASSERT_TRUE(topmost(pinned->Handle()));

    int result = Confirm({Check([&](TMessageForm& f) {
                              EXPECT_FALSE(IsWindowEnabled(app));
                              EXPECT_FALSE(IsWindowEnabled(pinned->Handle()));
                              EXPECT_FALSE(IsWindowEnabled(other->Handle()));
                              EXPECT_TRUE(IsWindowEnabled(f.Handle()));
                              EXPECT_FALSE(topmost(pinned->Handle()));
                          }),
                          Key(VK_RETURN)});
    EXPECT_EQ(result, 6);
    wintest::PumpMessages();
    EXPECT_TRUE(IsWindowEnabled(app));
    EXPECT_TRUE(IsWindowEnabled(pinned->Handle()));
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_TRUE(topmost(pinned->Handle()));
}

} // namespace
