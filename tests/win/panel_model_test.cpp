// The gradient panel's settings model: sub-object setters, stored layouts, re-alignment, sizes,
// sizing to the text, the position store, copies and the version.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/model/panel_settings.h"
#include "support/win_test_support.h"
#include "toolkit/components/component_reader.h"
#include "toolkit/forms/forms.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using advpanel::TAdvPanel;
using advpanel::TCaptionPosition;
using advpanel::TGradientDirection;
using tk::TRect;
using wintest::AppFixture;
using wintest::PumpMessages;

namespace {

class PanelModel : public ::testing::Test {
protected:
    PanelModel() { tk::RegisterComponentClass<TAdvPanel>("TAdvPanel"); }

    // A shown form holding one panel (not aligned) with an alClient child panel.
    TAdvPanel* MakePanel() {
        form_ = new tk::TForm(&fixture_.App());
        form_->SetBounds(100, 100, 400, 300);
        auto* panel = new TAdvPanel(form_);
        panel->SetParent(form_);
        panel->SetBounds(0, 0, 200, 150);
        form_->HandleNeeded();
        form_->SetVisible(true);
        PumpMessages();
        return panel;
    }

    tk::TForm* FormFromLayout(const std::string& panelBody) {
        form_ = new tk::TForm(&fixture_.App());
        form_->ReadLayoutText("TForm Form1 {\n ClientWidth = 400\n ClientHeight = 300\n"
                              " TAdvPanel panel {\n" +
                                  panelBody + "\n }\n}\n",
                              GetModuleHandleA(nullptr));
        return form_;
    }

    AppFixture fixture_;
    tk::TForm* form_ = nullptr;
};

bool HasPendingPaint(HWND hwnd) {
    return GetUpdateRect(hwnd, nullptr, FALSE) != FALSE;
}

void PaintNow(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_FALSE(HasPendingPaint(hwnd));
}

TEST_F(PanelModel, ShadeLightKeepsAtLeast200) {
    advpanel::TPanelCaption caption;
    caption.SetShadeLight(150);
    EXPECT_EQ(200, caption.ShadeLight());
    caption.SetShadeLight(230);
    EXPECT_EQ(230, caption.ShadeLight());
}

TEST_F(PanelModel, LayoutThatOmitsCaptionColoursKeepsTheCreationValues) {
    auto* panel = static_cast<TAdvPanel*>(FormFromLayout("Width = 100")->FindComponent("panel"));
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(tk::clHighlight, panel->Caption().Color());
    EXPECT_EQ(tk::clNone, panel->Caption().ColorTo());

    panel = static_cast<TAdvPanel*>(
        FormFromLayout("Caption.Color = 255\n Caption.ColorTo = 65280")->FindComponent("panel"));
    EXPECT_EQ(255, panel->Caption().Color());
    EXPECT_EQ(65280, panel->Caption().ColorTo());
}

TEST_F(PanelModel, StripChangesRepaintButMoveChildrenOnlyAtTheNextRealignment) {
    TAdvPanel* panel = MakePanel();
    auto* child = new TAdvPanel(form_);
    child->SetParent(panel);
    child->SetAlign(tk::TAlign::alClient);
    panel->SetBevelOuter(tk::TBevelCut::bvNone);
    panel->Caption().SetVisible(true);
    panel->SetBounds(0, 0, 200, 151); // re-aligns
    ASSERT_EQ(TRect::FromBounds(0, 20, 200, 131), child->BoundsRect());

    PaintNow(form_->Handle());
    panel->Caption().SetHeight(40);
    EXPECT_TRUE(HasPendingPaint(panel->Handle()));
    EXPECT_EQ(20, child->Top());

    PaintNow(form_->Handle());
    panel->StatusBar().SetVisible(true);
    EXPECT_TRUE(HasPendingPaint(panel->Handle()));
    EXPECT_EQ(TRect::FromBounds(0, 20, 200, 131), child->BoundsRect());

    panel->SetBounds(0, 0, 200, 150);
    EXPECT_EQ(TRect::FromBounds(0, 40, 200, 92), child->BoundsRect()); // 150 - 40 - 18
}

TEST_F(PanelModel, ChildrenFitTheClientRectangleOfASingleBorder) {
    TAdvPanel* panel = MakePanel();
    auto* child = new TAdvPanel(form_);
    child->SetParent(panel);
    child->SetAlign(tk::TAlign::alClient);
    panel->SetBevelOuter(tk::TBevelCut::bvNone);
    panel->SetBorderStyle(tk::TBorderStyle::bsSingle);
    panel->SetBounds(0, 0, 200, 151);
    panel->SetBounds(0, 0, 200, 150);
    RECT client;
    GetClientRect(panel->Handle(), &client);
    ASSERT_EQ(198, client.right);
    EXPECT_EQ(TRect::FromBounds(0, 0, 198, 148), child->BoundsRect());
}

TEST_F(PanelModel, TheStatusBarFontStartsAsTahomaAndTakesACopyQuietly) {
    TAdvPanel* panel = MakePanel();
    advpanel::TPanelStatusBar& status = panel->StatusBar();
    EXPECT_EQ("Tahoma", status.Font().Name());
    int changes = 0;
    status.OnChange = [&] { ++changes; };
    tk::TFont other;
    other.SetName("Courier New");
    status.SetFont(other);
    EXPECT_EQ("Courier New", status.Font().Name());
    EXPECT_EQ(0, changes);
    status.Font().SetName("Arial"); // a change of the font itself still tells the panel
    EXPECT_EQ(1, changes);
}

TEST_F(PanelModel, FullHeightFollowsSizeOnlyWhileExpanded) {
    TAdvPanel* panel = MakePanel();
    panel->SetPanelHeight(120);
    EXPECT_EQ(120, panel->FullHeight());
    panel->SetPanelWidth(90); // caption on top: the width is not the full extent
    EXPECT_EQ(120, panel->FullHeight());

    panel->SetCollaps(true);
    panel->SetPanelHeight(30);
    EXPECT_EQ(30, panel->Height());
    EXPECT_EQ(120, panel->FullHeight());

    panel->SetCollaps(false);
    panel->Caption().SetPosition(TCaptionPosition::cpLeft);
    panel->SetPanelHeight(60);
    EXPECT_EQ(120, panel->FullHeight());
    panel->SetPanelWidth(70);
    EXPECT_EQ(70, panel->FullHeight());
}

TEST_F(PanelModel, AutoSizeWithLeftCaptionTakesTheTextExtent) {
    TAdvPanel* panel = MakePanel();
    panel->SetBorderWidth(2);
    panel->SetIndent(3);
    panel->SetTopIndent(4);
    panel->Caption().SetVisible(true);
    panel->Caption().SetPosition(TCaptionPosition::cpLeft);
    panel->SetText("Short\r\nA rather longer line");

    tk::WindowDC dc(nullptr);
    tk::SelectedObject font(dc.Get(), panel->Font().Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    SIZE wide{};
    GetTextExtentPoint32A(dc.Get(), "A rather longer line", 20, &wide);
    ASSERT_GT(wide.cx, 0);

    panel->AutoSize().SetEnabled(true);
    // Bevel 1 on both sides, border 2 on both sides.
    EXPECT_EQ(wide.cx + 4 + 2 + 3 + 20, panel->Width());
    EXPECT_EQ(2 * tm.tmHeight + 4 + 2 + 4, panel->Height());
    EXPECT_EQ(panel->Width(), panel->FullHeight());

    // A longer text re-sizes at once.
    panel->SetText("Short");
    SIZE shorter{};
    GetTextExtentPoint32A(dc.Get(), "Short", 5, &shorter);
    EXPECT_EQ(shorter.cx + 4 + 2 + 3 + 20, panel->Width());
    EXPECT_EQ(tm.tmHeight + 4 + 2 + 4, panel->Height());
}

// ---- position store ----

constexpr const char* kRegKey = "Software\\PinletTests\\PanelModel";

struct RegValue {
    DWORD Type = REG_NONE;
    std::string Text;
    DWORD Number = 0;
};

RegValue ReadReg(const std::string& key, const char* name) {
    RegValue v;
    HKEY raw;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return v;
    tk::RegistryKey k(raw);
    BYTE data[256] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExA(k.Get(), name, nullptr, &v.Type, data, &size) != ERROR_SUCCESS) return {};
    if (v.Type == REG_DWORD)
        memcpy(&v.Number, data, 4);
    else
        v.Text = reinterpret_cast<char*>(data);
    return v;
}

bool KeyExists(const std::string& key) {
    HKEY raw;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    RegCloseKey(raw);
    return true;
}

void DeleteTestKeys() {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\PinletTests\\PanelModel\\Pos");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\PinletTests\\PanelModel\\Other");
    RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\PinletTests");
}

class PanelStore : public PanelModel {
protected:
    PanelStore() { DeleteTestKeys(); }
    ~PanelStore() override { DeleteTestKeys(); }
};

TEST_F(PanelStore, RegistryRoundTripSavedWhenTheWindowGoes) {
    TAdvPanel* panel = MakePanel();
    panel->Position().Key = kRegKey;
    panel->Position().Section = "Pos";
    panel->Position().Save = true;
    panel->SetBounds(12, 34, 150, 110);
    panel->SetPanelHeight(110);
    panel->DestroyHandle();

    const std::string section = std::string(kRegKey) + "\\Pos";
    EXPECT_EQ(REG_DWORD, ReadReg(section, "Top").Type);
    EXPECT_EQ(34u, ReadReg(section, "Top").Number);
    EXPECT_EQ(12u, ReadReg(section, "Left").Number);
    EXPECT_EQ(110u, ReadReg(section, "Height").Number);
    EXPECT_EQ(110u, ReadReg(section, "FullHeight").Number);
    EXPECT_EQ(150u, ReadReg(section, "Width").Number);
    EXPECT_EQ(REG_SZ, ReadReg(section, "Collaps").Type);
    EXPECT_EQ("0", ReadReg(section, "Collaps").Text);

    // A value kept as text stays text and reads back through its decimal text.
    HKEY raw;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, section.c_str(), 0, KEY_ALL_ACCESS, &raw));
    tk::RegistryKey key(raw);
    RegSetValueExA(key.Get(), "Width", 0, REG_SZ, reinterpret_cast<const BYTE*>("77"), 3);
    RegSetValueExA(key.Get(), "Left", 0, REG_SZ, reinterpret_cast<const BYTE*>("x7"), 3);
    RegSetValueExA(key.Get(), "Collaps", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);

    auto* other = new TAdvPanel(form_);
    other->SetParent(form_);
    other->SetBounds(5, 6, 50, 60);
    other->Position().Assign(panel->Position());
    other->RestorePosition();
    // "x7" keeps Left 5; the stored "1" collapses the panel to its caption (height 20).
    EXPECT_EQ(TRect::FromBounds(5, 34, 77, 20), other->BoundsRect());
    EXPECT_TRUE(other->Collaps());
    EXPECT_EQ(110, other->FullHeight());

    other->SetBounds(5, 6, 88, 60);
    other->SavePosition();
    EXPECT_EQ(REG_SZ, ReadReg(section, "Width").Type);
    EXPECT_EQ("88", ReadReg(section, "Width").Text);
    EXPECT_EQ("1", ReadReg(section, "Collaps").Text);
    other->Position().Save = false;
}

TEST_F(PanelStore, MissingOrUnnamedStoreKeepsEverythingAndWritesNothing) {
    TAdvPanel* panel = MakePanel();
    panel->SetBounds(3, 4, 50, 60);
    panel->Position().Key = kRegKey;
    panel->Position().Section = "Pos";
    panel->RestorePosition();
    EXPECT_EQ(TRect::FromBounds(3, 4, 50, 60), panel->BoundsRect());
    EXPECT_FALSE(KeyExists(std::string(kRegKey) + "\\Pos")); // reading never makes the section

    DeleteTestKeys();
    panel->Position().Section.clear();
    panel->Position().Save = true;
    panel->SavePosition();
    panel->RecreateWnd();
    EXPECT_FALSE(KeyExists(kRegKey));
    panel->Position().Key.clear();
    panel->Position().Section = "Pos";
    panel->SavePosition();
    EXPECT_FALSE(KeyExists(kRegKey));
}

std::string MakeTempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder =
        std::string(base) + "pinlet_panel_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do {
        if (strcmp(data.cFileName, ".") && strcmp(data.cFileName, "..")) ++n;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return n;
}

std::string IniText(const std::string& file, const char* name) {
    char buffer[64] = {};
    GetPrivateProfileStringA("Pos", name, "", buffer, sizeof buffer, file.c_str());
    return buffer;
}

TEST_F(PanelStore, IniFileRoundTripAndSaveOnRecreation) {
    std::string folder = MakeTempFolder();
    std::string file = folder + "\\panel.ini";
    TAdvPanel* panel = MakePanel();
    panel->Position().Location = advpanel::TPanelPositionLocation::clInifile;
    panel->Position().Key = file;
    panel->Position().Section = "";
    panel->Position().Save = true;
    panel->SetBorderStyle(tk::TBorderStyle::bsSingle); // re-creates the window
    EXPECT_EQ(0, FilesIn(folder));

    panel->Position().Section = "Pos";
    panel->SetBounds(7, 8, 140, 90);
    panel->SetBorderStyle(tk::TBorderStyle::bsNone);
    EXPECT_EQ("8", IniText(file, "Top"));
    EXPECT_EQ("7", IniText(file, "Left"));
    EXPECT_EQ("90", IniText(file, "Height"));
    EXPECT_EQ("140", IniText(file, "Width"));
    EXPECT_EQ("0", IniText(file, "Collaps"));

    WritePrivateProfileStringA("Pos", "Height", "abc", file.c_str());
    auto* other = new TAdvPanel(form_);
    other->SetBounds(1, 2, 30, 40);
    other->Position().Assign(panel->Position());
    other->RestorePosition();
    EXPECT_EQ(TRect::FromBounds(7, 8, 140, 40), other->BoundsRect());

    other->Position().Section = "Missing";
    other->SetBounds(1, 2, 30, 40);
    other->RestorePosition();
    EXPECT_EQ(TRect::FromBounds(1, 2, 30, 40), other->BoundsRect());

    panel->Position().Save = false; // the folder goes before the window
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(PanelStore, LayoutRestoresThePositionAfterLoading) {
    std::string folder = MakeTempFolder();
    std::string file = folder + "\\layout.ini";
    WritePrivateProfileStringA("Pos", "Top", "21", file.c_str());
    WritePrivateProfileStringA("Pos", "Height", "99", file.c_str());
    WritePrivateProfileStringA("Pos", "FullHeight", "150", file.c_str());
    std::string escaped;
    for (char c : file)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    tk::TForm* form = FormFromLayout("Left = 5\n Top = 6\n Width = 70\n Height = 80\n"
                                     " Position.Save = True\n Position.Location = clInifile\n"
                                     " Position.Key = \"" +
                                     escaped + "\"\n Position.Section = \"Pos\"");
    auto* panel = static_cast<TAdvPanel*>(form->FindComponent("panel"));
    EXPECT_EQ(TRect::FromBounds(5, 21, 70, 99), panel->BoundsRect());
    EXPECT_EQ(150, panel->FullHeight());
    EXPECT_EQ((tk::TPoint{70, 99}), panel->FixedSize());
    panel->Position().Save = false;
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

// ---- copies ----

TEST_F(PanelModel, AssignCopiesTheListedSettingsOnly) {
    TAdvPanel* target = MakePanel();
    auto* source = new TAdvPanel(form_);
    source->AnchorHint = true;
    source->AutoHideChildren = false;
    source->SetBevelOuter(tk::TBevelCut::bvLowered);
    source->SetBorderColor(0x123456);
    source->Caption().SetHeight(33);
    source->Caption().SetText("not copied");
    source->SetColor(0x00AABB);
    source->SetColorTo(0x00CCDD);
    source->CollapsDelay = 5;
    source->SetPanelHeight(77);
    source->Hint = "hint";
    source->Position().Key = "k";
    source->StatusBar().SetHeight(25);
    source->SetShadowOffset(6);
    source->Tag = 9;
    source->SetText("body");
    source->SetURLColor(0x0000FF);
    // Settings that stay behind.
    source->SetBorderWidth(4);
    source->SetCollaps(true);
    source->SetGradientDirection(advpanel::TGradientDirection::gdHorizontal);
    source->SetIndent(8);
    source->SetTopIndent(9);
    source->SetLineSpacing(3);
    source->SetEllipsis(true);
    source->Buffered = false;
    source->AutoSize().Height = false;
    source->SetBounds(40, 50, 60, 77);

    target->Assign(*source);
    EXPECT_TRUE(target->AnchorHint);
    EXPECT_FALSE(target->AutoHideChildren);
    EXPECT_EQ(tk::TBevelCut::bvLowered, target->BevelOuter());
    EXPECT_EQ(0x123456, target->BorderColor());
    EXPECT_EQ(33, target->Caption().Height());
    EXPECT_EQ("", target->Caption().Text());
    EXPECT_EQ(0x00AABB, target->Color());
    EXPECT_EQ(0x00CCDD, target->ColorTo());
    EXPECT_EQ(5, target->CollapsDelay);
    EXPECT_EQ(77, target->Height());
    EXPECT_EQ(77, target->FullHeight()); // through the Height setter
    EXPECT_EQ("hint", target->Hint);
    EXPECT_EQ("k", target->Position().Key);
    EXPECT_EQ(25, target->StatusBar().Height());
    EXPECT_EQ(6, target->ShadowOffset());
    EXPECT_EQ(9, target->Tag);
    EXPECT_EQ("body", target->PanelText());
    EXPECT_EQ(0x0000FF, target->URLColor());

    EXPECT_EQ(0, target->BorderWidth());
    EXPECT_FALSE(target->Collaps());
    EXPECT_EQ(advpanel::TGradientDirection::gdVertical, target->GradientDirection());
    EXPECT_EQ(0, target->Indent());
    EXPECT_EQ(0, target->TopIndent());
    EXPECT_EQ(0, target->LineSpacing());
    EXPECT_FALSE(target->Ellipsis());
    EXPECT_TRUE(target->Buffered);
    EXPECT_TRUE(target->AutoSize().Height);
    EXPECT_EQ(TRect::FromBounds(0, 0, 200, 77), target->BoundsRect());
}

TEST_F(PanelModel, SubObjectCopies) {
    advpanel::TPanelCaption a, b;
    a.SetText("a text");
    a.MinMaxCaption = true;
    a.SetShadeGrain(7);
    a.SetVisible(true);
    a.SetPosition(TCaptionPosition::cpLeft);
    int shades = 0;
    b.OnShadeChange = [&](tk::TObject*) { ++shades; };
    b.Assign(a);
    EXPECT_EQ(7, b.ShadeGrain());
    EXPECT_TRUE(b.Visible());
    EXPECT_EQ(TCaptionPosition::cpLeft, b.Position());
    EXPECT_EQ("", b.Text());
    EXPECT_FALSE(b.MinMaxCaption);
    EXPECT_GT(shades, 0); // copied through the setters

    advpanel::TPanelStatusBar s, t;
    s.SetBevelInner(true);
    s.SetHeight(30);
    s.SetText("status");
    s.Font().SetHeight(-20);
    int changes = 0;
    t.OnChange = [&] { ++changes; };
    t.Assign(s);
    EXPECT_EQ(30, t.Height());
    EXPECT_EQ("status", t.Text());
    EXPECT_EQ(-20, t.Font().Height());
    EXPECT_FALSE(t.BevelInner());
    EXPECT_EQ(1, changes); // only the font notifies

    TAdvPanel* panel = MakePanel();
    auto* other = new TAdvPanel(form_);
    other->SetText("xx");
    other->AutoSize().Width = false;
    other->AutoSize().SetEnabled(false);
    other->AutoSize().Assign(panel->AutoSize()); // Enabled false: no sizing
    EXPECT_TRUE(other->AutoSize().Width);
}

TEST_F(PanelModel, WrongSourceIsAnInvalidTypecastExceptForTheStatusBar) {
    TAdvPanel* panel = MakePanel();
    auto expectCast = [](auto&& assign) {
        try {
            assign();
            ADD_FAILURE() << "no exception";
        } catch (const tk::EInvalidCast& e) {
            EXPECT_STREQ("Invalid class typecast", e.what());
        }
    };
    expectCast([&] { panel->Caption().Assign(panel->StatusBar()); });
    expectCast([&] { panel->Position().Assign(panel->Caption()); });
    expectCast([&] { panel->AutoSize().Assign(panel->Position()); });
    expectCast([&] { panel->Assign(panel->Caption()); });
    panel->StatusBar().SetHeight(21);
    EXPECT_NO_THROW(panel->StatusBar().Assign(panel->Caption()));
    EXPECT_EQ(21, panel->StatusBar().Height());
}

TEST_F(PanelModel, VersionIgnoresAssignments) {
    auto* panel =
        static_cast<TAdvPanel*>(FormFromLayout("Version = \"9.9.9.9\"")->FindComponent("panel"));
    EXPECT_EQ("1.7.0.0", panel->Version());
    panel->SetVersion("2.0");
    EXPECT_EQ("1.7.0.0", panel->Version());
}

TEST_F(PanelModel, StylerAppliesItsSettingsAndItsRemovalClearsTheReference) {
    TAdvPanel* panel = MakePanel();
    auto* styler = new advpanel::TAdvPanelStyler(form_);
    styler->Settings().Color = 0x010203;
    styler->Settings().Caption().SetHeight(26);
    styler->Settings().Height = 300; // not applied
    styler->Settings().CanMove = true;
    styler->Settings().Indent = 7;
    styler->Settings().LineSpacing = 5;                                      // not applied
    styler->Settings().GradientDirection = TGradientDirection::gdHorizontal; // not applied
    panel->SetLineSpacing(2);
    panel->SetStyler(styler);
    EXPECT_EQ(0x010203, panel->Color());
    EXPECT_EQ(26, panel->Caption().Height());
    EXPECT_EQ(150, panel->Height());
    EXPECT_TRUE(panel->CanMove);
    EXPECT_EQ(7, panel->Indent());
    EXPECT_EQ(0, panel->ShadowOffset()); // the styler's own starting value
    EXPECT_EQ(2, panel->LineSpacing());
    EXPECT_EQ(TGradientDirection::gdVertical, panel->GradientDirection());
    delete styler;
    EXPECT_EQ(nullptr, panel->Styler());
}

} // namespace

namespace {

// A form that publishes handlers of every kind a panel's events take.
class HandlerForm : public tk::TForm {
public:
    explicit HandlerForm(tk::TComponent* owner) : tk::TForm(owner) {
        methods_.emplace("AnchorClicked",
                         tk::TMethod(tk::TAnchorEvent([this](tk::TObject*, const std::string& a) {
                             calls.push_back("click " + a);
                         })));
        methods_.emplace("AnchorHint", tk::TMethod(tk::TAnchorHintEvent(
                                           [this](tk::TObject*, std::string& a) { a += "!"; })));
        methods_.emplace(
            "Painted", tk::TMethod(tk::TPaintEvent([this](tk::TObject*, tk::TCanvas&, tk::TRect r) {
                calls.push_back("paint " + std::to_string(r.Right));
            })));
        methods_.emplace("MayResize",
                         tk::TMethod(tk::TCanResizeEvent(
                             [](tk::TObject*, int& w, int&, bool& resize) { resize = w != 333; })));
        methods_.emplace("Entered", tk::TMethod(tk::TNotifyEvent(
                                        [this](tk::TObject*) { calls.push_back("enter"); })));
    }
    const tk::TMethod* FindMethod(std::string_view name) const override {
        auto it = methods_.find(std::string(name));
        return it == methods_.end() ? nullptr : &it->second;
    }
    std::vector<std::string> calls;

private:
    std::map<std::string, tk::TMethod> methods_;
};

TEST_F(PanelModel, ALayoutBindsAnchorPaintResizeAndFocusEvents) {
    auto* form = new HandlerForm(&fixture_.App());
    form_ = form;
    form->ReadLayoutText("TForm Form1 {\n ClientWidth = 400\n ClientHeight = 300\n"
                         " TAdvPanel panel {\n Width = 200\n Height = 100\n"
                         " OnAnchorClick = AnchorClicked\n OnAnchorHint = AnchorHint\n"
                         " OnPaint = Painted\n OnCanResize = MayResize\n OnEnter = Entered\n"
                         " Constraints.MaxWidth = 300\n Constraints.MinHeight = 50\n }\n}\n",
                         GetModuleHandleA(nullptr));
    auto* panel = static_cast<TAdvPanel*>(form->FindComponent("panel"));
    ASSERT_TRUE(panel);
    panel->OnAnchorClick(panel, "http://x");
    std::string hint = "tip";
    panel->OnAnchorHint(panel, hint);
    EXPECT_EQ(hint, "tip!");
    tk::TCanvas canvas(nullptr);
    panel->OnPaint(panel, canvas, {0, 0, 200, 100});
    EXPECT_EQ(form->calls, (std::vector<std::string>{"click http://x", "paint 200"}));

    // The stored limits and the resize handler apply to later size changes.
    panel->SetBounds(0, 0, 500, 10);
    EXPECT_EQ(panel->Width(), 300);
    EXPECT_EQ(panel->Height(), 50);
    panel->SetBounds(0, 0, 333, 60); // refused by the handler: the size stays
    EXPECT_EQ(panel->Width(), 300);
    EXPECT_EQ(panel->Height(), 50);
    panel->Constraints().MaxHeight = 0;
    panel->Constraints().MaxWidth = 250;
    panel->Constraints().OnChange(); // as a layout or a setter reports a new limit
    EXPECT_EQ(panel->Width(), 250);

    // The system's own sizing asks for the limits.
    form->HandleNeeded();
    MINMAXINFO info{};
    SendMessageA(panel->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 250);
    EXPECT_EQ(info.ptMinTrackSize.y, 50);

    panel->SetFocus();
    EXPECT_EQ(form->calls.back(), "enter");
}

TEST_F(PanelModel, ConstrainedResizeMayMoveTheLimitsFirst) {
    TAdvPanel* panel = MakePanel();
    panel->Constraints().MinWidth = 100;
    panel->OnConstrainedResize = [](tk::TObject*, int& minW, int&, int&, int&) { minW = 150; };
    panel->SetBounds(0, 0, 120, 150);
    EXPECT_EQ(panel->Width(), 150);
}

} // namespace
