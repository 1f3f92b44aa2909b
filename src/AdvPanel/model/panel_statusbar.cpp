#include "AdvPanel/model/panel_statusbar.h"

#include "AdvPanel/model/panel_reading.h"

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
    if (name == "BevelInner")
        SetBevelInner(r.Bool(value));
    else if (name == "BorderColor")
        SetBorderColor(r.Color(value));
    else if (name == "BorderStyle")
        SetBorderSingle(r.Enum<bool>(value, {{"bsNone", false}, {"bsSingle", true}}));
    else if (name == "ImageIndex")
        SetImageIndex(r.Int(value));
    else if (name == "Text")
        SetText(r.String(value));
    else if (name == "Color")
        SetColor(r.Color(value));
    else if (name == "ColorTo")
        SetColorTo(r.Color(value));
    else if (name == "GradientDirection")
        SetGradientDirection(ReadGradientDirection(r, value));
    else if (name == "Height")
        SetHeight(r.Int(value));
    else if (name == "Visible")
        SetVisible(r.Bool(value));
    else
        return tk::TPersistent::ReadProperty(name, value, r);
    return true;
}

tk::TPersistent* TPanelStatusBar::SubObject(std::string_view name) {
    if (name == "Font") return &font_;
    return tk::TPersistent::SubObject(name);
}

} // namespace advpanel
