#include "AdvPanel/model/panel_caption.h"

#include "AdvPanel/model/panel_reading.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/components/property_table.h"

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
    if (tk::StoreChanged(color_, v)) ShadeChanged();
}
void TPanelCaption::SetColorTo(tk::TColor v) {
    colorTo_ = v;
    Changed();
}
void TPanelCaption::SetCloseColor(tk::TColor v) {
    if (tk::StoreChanged(closeColor_, v)) Changed();
}
void TPanelCaption::SetCloseButtonColor(tk::TColor v) {
    if (tk::StoreChanged(closeButtonColor_, v)) Changed();
}
void TPanelCaption::SetMinMaxButtonColor(tk::TColor v) {
    if (tk::StoreChanged(minMaxButtonColor_, v)) Changed();
}
void TPanelCaption::SetCloseButton(bool v) {
    if (tk::StoreChanged(closeButton_, v)) Changed();
}
void TPanelCaption::SetMinMaxButton(bool v) {
    if (tk::StoreChanged(minMaxButton_, v)) Changed();
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
    if (tk::StoreChanged(height_, v)) Changed();
}
void TPanelCaption::SetIndent(int v) {
    if (tk::StoreChanged(indent_, v)) Changed();
}
void TPanelCaption::SetTopIndent(int v) {
    if (tk::StoreChanged(topIndent_, v)) Changed();
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
    const auto* src = tk::AssignSource(*this, source);
    if (!src) return;
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
    using C = TPanelCaption;
    using tk::LayoutReader;
    using tk::Set;
    static const tk::PropertyTable<C> properties{
        {"Color", Set<&C::SetColor, &LayoutReader::Color>},
        {"ColorTo", Set<&C::SetColorTo, &LayoutReader::Color>},
        {"CloseColor", Set<&C::SetCloseColor, &LayoutReader::Color>},
        {"CloseButtonColor", Set<&C::SetCloseButtonColor, &LayoutReader::Color>},
        {"CloseButtonHoverColor", Set<&C::CloseButtonHoverColor, &LayoutReader::Color>},
        {"MinMaxButtonColor", Set<&C::SetMinMaxButtonColor, &LayoutReader::Color>},
        {"MinMaxButtonHoverColor", Set<&C::MinMaxButtonHoverColor, &LayoutReader::Color>},
        {"CloseButton", Set<&C::SetCloseButton>},
        {"MinMaxButton", Set<&C::SetMinMaxButton>},
        {"MinMaxCaption", Set<&C::MinMaxCaption>},
        {"Flat", Set<&C::SetFlat>},
        {"Visible", Set<&C::SetVisible>},
        {"Height", Set<&C::SetHeight>},
        {"Indent", Set<&C::SetIndent>},
        {"TopIndent", Set<&C::SetTopIndent>},
        {"ShadeLight", Set<&C::SetShadeLight>},
        {"ShadeGrain", Set<&C::SetShadeGrain>},
        {"ShadeType", Set<&C::SetShadeType, ReadShadeType>},
        {"Shape", Set<&C::SetShape, ReadCaptionShape>},
        {"Position", Set<&C::SetPosition, ReadCaptionPosition>},
        {"ButtonPosition", Set<&C::ButtonPosition, ReadButtonPosition>},
        {"GradientDirection", Set<&C::SetGradientDirection, ReadGradientDirection>},
        {"Text", Set<&C::SetText>},
    };
    return properties.Apply(*this, name, value, r) || tk::TPersistent::ReadProperty(name, value, r);
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
