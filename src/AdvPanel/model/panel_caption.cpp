#include "AdvPanel/model/panel_caption.h"

#include "AdvPanel/model/panel_reading.h"
#include "toolkit/exceptions.h"

#include <algorithm>

namespace advpanel {
namespace {

void Raise(const tk::TNotifyEvent& event, tk::TObject* sender) {
    if (event) event(sender);
}

} // namespace

TPanelCaption::TPanelCaption() {
    font_.SetColor(tk::clHighlightText);
    font_.OnChange = [this] { Changed(); };
}

void TPanelCaption::Changed() {
    Raise(OnChange, this);
}

void TPanelCaption::ShadeChanged() {
    Raise(OnShadeChange, this);
    Changed();
}

void TPanelCaption::SetColor(tk::TColor v) {
    if (v == color_) return;
    color_ = v;
    ShadeChanged();
}
void TPanelCaption::SetColorTo(tk::TColor v) {
    colorTo_ = v;
    Changed();
}
void TPanelCaption::SetCloseColor(tk::TColor v) {
    if (v == closeColor_) return;
    closeColor_ = v;
    Changed();
}
void TPanelCaption::SetCloseButtonColor(tk::TColor v) {
    if (v == closeButtonColor_) return;
    closeButtonColor_ = v;
    Changed();
}
void TPanelCaption::SetMinMaxButtonColor(tk::TColor v) {
    if (v == minMaxButtonColor_) return;
    minMaxButtonColor_ = v;
    Changed();
}
void TPanelCaption::SetCloseButton(bool v) {
    if (v == closeButton_) return;
    closeButton_ = v;
    Changed();
}
void TPanelCaption::SetMinMaxButton(bool v) {
    if (v == minMaxButton_) return;
    minMaxButton_ = v;
    Changed();
}
void TPanelCaption::SetFlat(bool v) {
    flat_ = v;
    ShadeChanged();
}
void TPanelCaption::SetVisible(bool v) {
    visible_ = v;
    Changed();
    Raise(OnStateChange, this);
}
void TPanelCaption::SetHeight(int v) {
    if (v == height_) return;
    height_ = v;
    Changed();
}
void TPanelCaption::SetIndent(int v) {
    if (v == indent_) return;
    indent_ = v;
    Changed();
}
void TPanelCaption::SetTopIndent(int v) {
    if (v == topIndent_) return;
    topIndent_ = v;
    Changed();
}
void TPanelCaption::SetShadeLight(int v) {
    shadeLight_ = std::max(v, 200);
    ShadeChanged();
}
void TPanelCaption::SetShadeGrain(int v) {
    shadeGrain_ = v & 0xFF;
    ShadeChanged();
}
void TPanelCaption::SetShadeType(TShadeType v) {
    shadeType_ = v;
    ShadeChanged();
}
void TPanelCaption::SetShape(TCaptionShape v) {
    shape_ = v;
    ShadeChanged();
}
void TPanelCaption::SetPosition(TCaptionPosition v) {
    if (v == position_) return;
    position_ = v;
    Raise(OnPositionChange, this);
}
void TPanelCaption::SetGradientDirection(TGradientDirection v) {
    gradientDirection_ = v;
    Changed();
}
void TPanelCaption::SetText(const std::string& v) {
    text_ = v;
    Changed();
}

void TPanelCaption::SetBackground(const tk::TBitmap& v) {
    background_.Assign(v);
    ShadeChanged();
}
void TPanelCaption::SetCloseMinGlyph(const tk::TBitmap& v) {
    closeMinGlyph_.Assign(v);
    Changed();
}
void TPanelCaption::SetCloseMaxGlyph(const tk::TBitmap& v) {
    closeMaxGlyph_.Assign(v);
    Changed();
}

void TPanelCaption::Assign(const tk::TPersistent& source) {
    const auto* src = dynamic_cast<const TPanelCaption*>(&source);
    if (!src) throw tk::EInvalidCast();
    if (src == this) return;
    SetBackground(src->background_);
    ButtonPosition = src->ButtonPosition;
    SetColor(src->color_);
    SetColorTo(src->colorTo_);
    SetCloseColor(src->closeColor_);
    SetCloseButton(src->closeButton_);
    SetCloseButtonColor(src->closeButtonColor_);
    CloseButtonHoverColor = src->CloseButtonHoverColor;
    SetCloseMinGlyph(src->closeMinGlyph_);
    SetCloseMaxGlyph(src->closeMaxGlyph_);
    SetFlat(src->flat_);
    SetFont(src->font_);
    SetHeight(src->height_);
    SetIndent(src->indent_);
    SetMaxGlyph(src->maxGlyph_);
    SetMinGlyph(src->minGlyph_);
    SetMinMaxButton(src->minMaxButton_);
    SetMinMaxButtonColor(src->minMaxButtonColor_);
    MinMaxButtonHoverColor = src->MinMaxButtonHoverColor;
    SetShadeLight(src->shadeLight_);
    SetShadeGrain(src->shadeGrain_);
    SetShadeType(src->shadeType_);
    SetShape(src->shape_);
    SetTopIndent(src->topIndent_);
    SetPosition(src->position_);
    SetVisible(src->visible_);
    SetGradientDirection(src->gradientDirection_);
}

bool TPanelCaption::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                 tk::LayoutReader& r) {
    if (name == "Color")
        SetColor(r.Color(value));
    else if (name == "ColorTo")
        SetColorTo(r.Color(value));
    else if (name == "CloseColor")
        SetCloseColor(r.Color(value));
    else if (name == "CloseButtonColor")
        SetCloseButtonColor(r.Color(value));
    else if (name == "CloseButtonHoverColor")
        CloseButtonHoverColor = r.Color(value);
    else if (name == "MinMaxButtonColor")
        SetMinMaxButtonColor(r.Color(value));
    else if (name == "MinMaxButtonHoverColor")
        MinMaxButtonHoverColor = r.Color(value);
    else if (name == "CloseButton")
        SetCloseButton(r.Bool(value));
    else if (name == "MinMaxButton")
        SetMinMaxButton(r.Bool(value));
    else if (name == "MinMaxCaption")
        MinMaxCaption = r.Bool(value);
    else if (name == "Flat")
        SetFlat(r.Bool(value));
    else if (name == "Visible")
        SetVisible(r.Bool(value));
    else if (name == "Height")
        SetHeight(r.Int(value));
    else if (name == "Indent")
        SetIndent(r.Int(value));
    else if (name == "TopIndent")
        SetTopIndent(r.Int(value));
    else if (name == "ShadeLight")
        SetShadeLight(r.Int(value));
    else if (name == "ShadeGrain")
        SetShadeGrain(r.Int(value));
    else if (name == "ShadeType")
        SetShadeType(ReadShadeType(r, value));
    else if (name == "Shape")
        SetShape(ReadCaptionShape(r, value));
    else if (name == "Position")
        SetPosition(ReadCaptionPosition(r, value));
    else if (name == "ButtonPosition")
        ButtonPosition = ReadButtonPosition(r, value);
    else if (name == "GradientDirection")
        SetGradientDirection(ReadGradientDirection(r, value));
    else if (name == "Text")
        SetText(r.String(value));
    else
        return tk::TPersistent::ReadProperty(name, value, r);
    return true;
}

tk::TPersistent* TPanelCaption::SubObject(std::string_view name) {
    if (name == "Font") return &font_;
    if (name == "Background") return &background_;
    if (name == "CloseMinGlyph") return &closeMinGlyph_;
    if (name == "CloseMaxGlyph") return &closeMaxGlyph_;
    if (name == "MinGlyph") return &minGlyph_;
    if (name == "MaxGlyph") return &maxGlyph_;
    return tk::TPersistent::SubObject(name);
}

} // namespace advpanel
