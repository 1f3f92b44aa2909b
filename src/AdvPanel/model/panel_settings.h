#pragma once
// A set of panel settings that a styler or a panel group hands to its panels (ApplySettings),
// and the styler component that holds one.
#include "AdvPanel/model/panel_caption.h"
#include "AdvPanel/model/panel_statusbar.h"
#include "toolkit/controls.h"
#include "toolkit/extctrls.h"

#include <string>

namespace advpanel {

class TAdvPanelSettings : public tk::TPersistent {
public:
    TAdvPanelSettings() {
        caption_.OnChange = [this](tk::TObject*) {
            if (OnChange) OnChange(this);
        };
    }
    const char* ClassName() const override { return "TAdvPanelSettings"; }

    TPanelCaption& Caption() { return caption_; }
    const TPanelCaption& Caption() const { return caption_; }
    TPanelStatusBar& StatusBar() { return statusBar_; }
    const TPanelStatusBar& StatusBar() const { return statusBar_; }
    tk::TFont& Font() { return font_; }
    const tk::TFont& Font() const { return font_; }

    bool AnchorHint = false;
    bool AutoHideChildren = false;
    tk::TBevelCut BevelInner = tk::TBevelCut::bvNone;
    tk::TBevelCut BevelOuter = tk::TBevelCut::bvNone;
    int BevelWidth = 1;
    tk::TColor BorderColor = 0;
    bool BorderShadow = false;
    tk::TBorderStyle BorderStyle = tk::TBorderStyle::bsSingle;
    int BorderWidth = 0;
    bool CanMove = false;
    bool CanSize = false;
    bool Collaps = false;
    tk::TColor CollapsColor = tk::clBtnFace;
    int CollapsDelay = 0;
    int CollapsSteps = 0;
    tk::TColor Color = tk::clBtnFace;
    tk::TColor ColorTo = tk::clNone;
    tk::TCursor Cursor = tk::crDefault;
    bool FixedTop = false, FixedLeft = false, FixedHeight = false, FixedWidth = false;
    int Height = 120;
    std::string Hint;
    bool Hover = false;
    tk::TColor HoverColor = tk::clNone;
    tk::TColor HoverFontColor = tk::clNone;
    int Indent = 0;
    tk::TColor ShadowColor = 0;
    int ShadowOffset = 0;
    bool ShowHint = false;
    bool ShowMoveCursor = false;
    std::string Text;
    TTextVAlignment TextVAlign = TTextVAlignment::tvaTop;
    int TopIndent = 0;
    tk::TColor URLColor = tk::RGBColor(0, 0, 255);
    int Width = 0;

    tk::TNotifyEvent OnChange; // also raised for every change of the caption

private:
    TPanelCaption caption_;
    tk::TFont font_;
    TPanelStatusBar statusBar_;
};

// Holds settings for the panels that name it as their styler.
class TAdvPanelStyler : public tk::TComponent {
public:
    using tk::TComponent::TComponent;
    const char* ClassName() const override { return "TAdvPanelStyler"; }

    TAdvPanelSettings& Settings() { return settings_; }
    const TAdvPanelSettings& Settings() const { return settings_; }

private:
    TAdvPanelSettings settings_;
};

} // namespace advpanel
