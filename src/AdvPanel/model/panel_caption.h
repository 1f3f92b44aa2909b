#pragma once
// The caption strip's settings, with the four kinds of change its owner listens to.
#include "AdvPanel/model/panel_size_rules.h"
#include "AdvPanel/model/panel_types.h"
#include "toolkit/graphics/graphics.h"

#include <string>

namespace advpanel {

class TPanelCaption : public tk::TPersistent {
public:
    TPanelCaption();
    const char* ClassName() const override { return "TPanelCaption"; }

    // Filled by the owning panel.
    tk::TNotifyEvent OnChange;         // repaint
    tk::TNotifyEvent OnShadeChange;    // rebuild the caption shade (OnChange follows)
    tk::TNotifyEvent OnStateChange;    // visibility changed
    tk::TNotifyEvent OnPositionChange; // top or left

    tk::TColor Color() const { return color_; }
    tk::TColor ColorTo() const { return colorTo_; }
    tk::TColor CloseColor() const { return closeColor_; }
    tk::TColor CloseButtonColor() const { return closeButtonColor_; }
    tk::TColor MinMaxButtonColor() const { return minMaxButtonColor_; }
    bool CloseButton() const { return closeButton_; }
    bool MinMaxButton() const { return minMaxButton_; }
    bool Flat() const { return flat_; }
    bool Visible() const { return visible_; }
    int Height() const { return height_; }
    int Indent() const { return indent_; }
    int TopIndent() const { return topIndent_; }
    int ShadeLight() const { return shadeLight_; }
    int ShadeGrain() const { return shadeGrain_; }
    TShadeType ShadeType() const { return shadeType_; }
    TCaptionShape Shape() const { return shape_; }
    TCaptionPosition Position() const { return position_; }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    const std::string& Text() const { return text_; }
    tk::TFont& Font() { return font_; }
    const tk::TFont& Font() const { return font_; }
    const tk::TBitmap& Background() const { return background_; }
    const tk::TBitmap& CloseMinGlyph() const { return closeMinGlyph_; }
    const tk::TBitmap& CloseMaxGlyph() const { return closeMaxGlyph_; }
    const tk::TBitmap& MinGlyph() const { return minGlyph_; }
    const tk::TBitmap& MaxGlyph() const { return maxGlyph_; }

    void SetColor(tk::TColor v);
    void SetColorTo(tk::TColor v);
    void SetCloseColor(tk::TColor v);
    void SetCloseButtonColor(tk::TColor v);
    void SetMinMaxButtonColor(tk::TColor v);
    void SetCloseButton(bool v);
    void SetMinMaxButton(bool v);
    void SetFlat(bool v);
    void SetVisible(bool v);
    void SetHeight(int v);
    void SetIndent(int v);
    void SetTopIndent(int v);
    void SetShadeLight(int v);
    void SetShadeGrain(int v);
    void SetShadeType(TShadeType v);
    void SetShape(TCaptionShape v);
    void SetPosition(TCaptionPosition v);
    void SetGradientDirection(TGradientDirection v);
    void SetText(const std::string& v);
    void SetFont(const tk::TFont& v) { font_.Assign(v); } // the font's change notifies
    void SetBackground(const tk::TBitmap& v);
    void SetCloseMinGlyph(const tk::TBitmap& v);
    void SetCloseMaxGlyph(const tk::TBitmap& v);
    void SetMinGlyph(const tk::TBitmap& v) { minGlyph_.Assign(v); }
    void SetMaxGlyph(const tk::TBitmap& v) { maxGlyph_.Assign(v); }

    // Copies another caption's settings through the setters, so the owner hears of each change.
    // Text and MinMaxCaption stay. Throws EInvalidCast for a source that is not a caption.
    void Assign(const tk::TPersistent& source);

    // Plain fields, no notification.
    TCaptionButtonPosition ButtonPosition = TCaptionButtonPosition::cbpRight;
    tk::TColor CloseButtonHoverColor = tk::clNone;
    tk::TColor MinMaxButtonHoverColor = tk::clNone;
    bool MinMaxCaption = false;

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;
    tk::TPersistent* SubObject(std::string_view name) override;

private:
    void Changed();
    void ShadeChanged();

    tk::TColor color_ = tk::clHighlight;
    tk::TColor colorTo_ = tk::clNone;
    tk::TColor closeColor_ = tk::clBtnFace;
    tk::TColor closeButtonColor_ = tk::clWhite;
    tk::TColor minMaxButtonColor_ = tk::clWhite;
    bool closeButton_ = false;
    bool minMaxButton_ = false;
    bool flat_ = false;
    bool visible_ = false;
    int height_ = 20;
    int indent_ = 0;
    int topIndent_ = 0;
    int shadeLight_ = 200;
    int shadeGrain_ = 32;
    TShadeType shadeType_ = TShadeType::stNormal;
    TCaptionShape shape_ = TCaptionShape::csRectangle;
    TCaptionPosition position_ = TCaptionPosition::cpTop;
    TGradientDirection gradientDirection_ = TGradientDirection::gdHorizontal;
    std::string text_;
    tk::TFont font_;
    tk::TBitmap background_;
    tk::TBitmap closeMinGlyph_;
    tk::TBitmap closeMaxGlyph_;
    tk::TBitmap minGlyph_;
    tk::TBitmap maxGlyph_;
};

} // namespace advpanel
