#include "AdvPanel/model/panel_statusbar.h"

#include "AdvPanel/model/panel_reading.h"
#include "toolkit/components/property_table.h"

#include <utility>

namespace advpanel {

TPanelStatusBar::TPanelStatusBar() {
    font_.SetName("Tahoma");
    font_.OnChange = [this] {
        if (OnChange) OnChange();
    };
}

void TPanelStatusBar::SetFont(const tk::TFont& v) {
    std::function<void()> notify = std::exchange(font_.OnChange, nullptr);
    try {
        font_.Assign(v);
    } catch (...) {
        font_.OnChange = std::move(notify);
        throw;
    }
    font_.OnChange = std::move(notify);
}

void TPanelStatusBar::Assign(const tk::TPersistent& source) {
    const auto* src = dynamic_cast<const TPanelStatusBar*>(&source);
    if (!src || src == this) return;
    imageIndex_ = src->imageIndex_;
    text_ = src->text_;
    color_ = src->color_;
    colorTo_ = src->colorTo_;
    gradientDirection_ = src->gradientDirection_;
    visible_ = src->visible_;
    height_ = src->height_;
    borderSingle_ = src->borderSingle_;
    borderColor_ = src->borderColor_;
    font_.Assign(src->font_);
}

bool TPanelStatusBar::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                   tk::LayoutReader& r) {
    using S = TPanelStatusBar;
    using tk::LayoutReader;
    using tk::Set;
    static constexpr tk::EnumName<bool> kBorderStyleNames[] = {{"bsNone", false},
                                                               {"bsSingle", true}};
    static const tk::PropertyTable<S> properties{
        {"BevelInner", Set<&S::SetBevelInner>},
        {"BorderColor", Set<&S::SetBorderColor, &LayoutReader::Color>},
        {"BorderStyle", Set<&S::SetBorderSingle, tk::ReadEnum<kBorderStyleNames>>},
        {"ImageIndex", Set<&S::SetImageIndex>},
        {"Text", Set<&S::SetText>},
        {"Color", Set<&S::SetColor, &LayoutReader::Color>},
        {"ColorTo", Set<&S::SetColorTo, &LayoutReader::Color>},
        {"GradientDirection", Set<&S::SetGradientDirection, ReadGradientDirection>},
        {"Height", Set<&S::SetHeight>},
        {"Visible", Set<&S::SetVisible>},
    };
    return properties.Apply(*this, name, value, r) || tk::TPersistent::ReadProperty(name, value, r);
}

tk::TPersistent* TPanelStatusBar::SubObject(std::string_view name) {
    if (name == "Font") return &font_;
    return tk::TPersistent::SubObject(name);
}

} // namespace advpanel
