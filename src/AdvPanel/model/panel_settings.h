#pragma once
// A set of panel settings that a styler or a panel group hands to its panels (ApplySettings),
// and the styler component that holds one.
#include "AdvPanel/model/panel_caption.h"
#include "AdvPanel/model/panel_look.h"
#include "AdvPanel/model/panel_statusbar.h"
#include "toolkit/controls/controls.h"
#include "toolkit/controls/extctrls.h"

#include <string>

namespace advpanel {

// The look and behaviour settings are this value's own fields, as they are the panel's.
class TAdvPanelSettings : public tk::TPersistent, public PanelBehaviour, public PanelLook {
public:
    TAdvPanelSettings() {
        caption_.OnChange = [this](tk::TObject*) {
            if (OnChange) OnChange(this);
        };
        // Where a styler's settings start otherwise than a panel's.
        AutoHideChildren = false;
        CollapsColor = tk::clBtnFace;
        CollapsDelay = 0;
        ShadowColor = 0;
        ShadowOffset = 0;
    }
    const char* ClassName() const override { return "TAdvPanelSettings"; }

    TPanelCaption& Caption() { return caption_; }
    const TPanelCaption& Caption() const { return caption_; }
    TPanelStatusBar& StatusBar() { return statusBar_; }
    const TPanelStatusBar& StatusBar() const { return statusBar_; }
    tk::TFont& Font() { return font_; }
    const tk::TFont& Font() const { return font_; }

    tk::TBevelCut BevelInner = tk::TBevelCut::bvNone;
    tk::TBevelCut BevelOuter = tk::TBevelCut::bvNone;
    int BevelWidth = 1;
    tk::TBorderStyle BorderStyle = tk::TBorderStyle::bsSingle;
    int BorderWidth = 0;
    bool Collaps = false;
    tk::TColor Color = tk::clBtnFace;
    tk::TCursor Cursor = tk::crDefault;
    int Height = 120;
    std::string Hint;
    bool ShowHint = false;
    std::string Text;
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
