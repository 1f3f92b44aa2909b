#pragma once
// The gradient panel: a container with a caption strip, a status bar, a gradient background, a
// border with a drop shadow, and the area it leaves to its children.
#include "panel_caption.h"
#include "panel_position.h"
#include "panel_statusbar.h"
#include "toolkit/extctrls.h"

#include <memory>
#include <string>

namespace advpanel {

class TCustomAdvPanel : public tk::TCustomPanel {
public:
    explicit TCustomAdvPanel(tk::TComponent* owner);
    ~TCustomAdvPanel() override;
    const char* ClassName() const override { return "TCustomAdvPanel"; }

    TPanelCaption& Caption() { return *caption_; }
    TPanelStatusBar& StatusBar() { return *statusBar_; }
    TPanelPosition& Position() { return *position_; }
    TAutoSize& AutoSize() { return *autoSize_; }

    tk::TColor ColorTo() const { return colorTo_; }
    void SetColorTo(tk::TColor v) { SetAndRepaint(colorTo_, v); }
    tk::TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(tk::TColor v) { SetAndRepaint(borderColor_, v); }
    bool BorderShadow() const { return borderShadow_; }
    void SetBorderShadow(bool v) { SetAndRepaint(borderShadow_, v); }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection v) { SetAndRepaint(gradientDirection_, v); }
    bool CanSize() const { return canSize_; }
    void SetCanSize(bool v) { SetAndRepaint(canSize_, v); }
    bool Collaps() const { return collaps_; }
    int FullHeight() const { return fullHeight_; }
    bool Collapsing() const { return collapsing_; }

    // The panel's own size setters: an expanded panel remembers its full extent.
    void SetPanelHeight(int height);
    void SetPanelWidth(int width);

    // Always "1.7.0.0"; assignments are ignored.
    std::string Version() const;

    // Plain fields.
    bool AnchorHint = false;
    bool AutoHideChildren = true;
    bool Buffered = true;
    bool CanMove = false;
    tk::TColor CollapsColor = tk::RGBColor(128, 128, 128);
    int CollapsDelay = 20;
    int CollapsSteps = 0;
    bool FixedTop = false, FixedLeft = false, FixedHeight = false, FixedWidth = false;
    bool FreeOnClose = false;
    bool Hover = false;
    tk::TColor HoverColor = tk::clNone;
    tk::TColor HoverFontColor = tk::clNone;
    bool ShowMoveCursor = false;
    tk::TColor URLColor = tk::RGBColor(0, 0, 255);
    tk::TColor ShadowColor = tk::RGBColor(128, 128, 128);
    int ShadowOffset = 2;

    // Caption shade rendering; filled in with the caption textures.
    virtual void RebuildCaptionShade() {}
    virtual void PanelStateChanged() {}

protected:
    tk::TRect AlignArea() const override;
    void Paint(tk::TCanvas& canvas) override;
    void Loaded() override;
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;
    tk::TPersistent* SubObject(std::string_view name) override;

private:
    template <typename T> void SetAndRepaint(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }

    std::unique_ptr<TPanelCaption> caption_;
    std::unique_ptr<TPanelPosition> position_;
    std::unique_ptr<TAutoSize> autoSize_;
    std::unique_ptr<TPanelStatusBar> statusBar_;

    tk::TColor colorTo_ = tk::clNone;
    tk::TColor borderColor_ = 0;
    bool borderShadow_ = false;
    TGradientDirection gradientDirection_ = TGradientDirection::gdVertical;
    bool canSize_ = false;
    bool collaps_ = false;
    bool collapsing_ = false;
    int fullHeight_ = 0;
    tk::TColor expandedColor_;
};

class TAdvPanel : public TCustomAdvPanel {
public:
    using TCustomAdvPanel::TCustomAdvPanel;
    const char* ClassName() const override { return "TAdvPanel"; }
};

} // namespace advpanel
