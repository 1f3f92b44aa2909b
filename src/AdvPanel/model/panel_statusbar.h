#pragma once
// The status bar strip's settings; every change that alters a value notifies the owner.
#include "AdvPanel/model/panel_types.h"
#include "toolkit/graphics/graphics.h"

#include <functional>
#include <string>

namespace advpanel {

class TPanelStatusBar : public tk::TPersistent {
public:
    TPanelStatusBar();
    const char* ClassName() const override { return "TPanelStatusBar"; }

    std::function<void()> OnChange; // internal: filled by the owning panel

    bool BevelInner() const { return bevelInner_; }
    tk::TColor BorderColor() const { return borderColor_; }
    bool BorderSingle() const { return borderSingle_; }
    int ImageIndex() const { return imageIndex_; }
    const std::string& Text() const { return text_; }
    tk::TColor Color() const { return color_; }
    tk::TColor ColorTo() const { return colorTo_; }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    int Height() const { return height_; }
    bool Visible() const { return visible_; }
    tk::TFont& Font() { return font_; }
    const tk::TFont& Font() const { return font_; }
    // Copies the font without notifying; a later change of the font itself notifies.
    void SetFont(const tk::TFont& v);

    // Copies another status bar's settings without notifying, then its font (which notifies).
    // BevelInner stays. A source of another class is ignored.
    void Assign(const tk::TPersistent& source);

    void SetBevelInner(bool v) { Set(bevelInner_, v); }
    void SetBorderColor(tk::TColor v) { Set(borderColor_, v); }
    void SetBorderSingle(bool v) { Set(borderSingle_, v); }
    void SetImageIndex(int v) { Set(imageIndex_, v); }
    void SetText(const std::string& v) { Set(text_, v); }
    void SetColor(tk::TColor v) { Set(color_, v); }
    void SetColorTo(tk::TColor v) { Set(colorTo_, v); }
    void SetGradientDirection(TGradientDirection v) { Set(gradientDirection_, v); }
    void SetHeight(int v) { Set(height_, v); }
    void SetVisible(bool v) { Set(visible_, v); }

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;
    tk::TPersistent* SubObject(std::string_view name) override;

private:
    template <typename T> void Set(T& field, const T& value) {
        if (tk::StoreChanged(field, value) && OnChange) OnChange();
    }

    bool bevelInner_ = false;
    tk::TColor borderColor_ = 0;
    bool borderSingle_ = false; // BorderStyle: bsNone or bsSingle
    int imageIndex_ = -1;
    std::string text_;
    tk::TColor color_ = tk::clBtnFace;
    tk::TColor colorTo_ = tk::clNone;
    TGradientDirection gradientDirection_ = TGradientDirection::gdHorizontal;
    int height_ = 18;
    bool visible_ = false;
    tk::TFont font_;
};

} // namespace advpanel
