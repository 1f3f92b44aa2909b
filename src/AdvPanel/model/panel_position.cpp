#include "AdvPanel/model/panel_position.h"

#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/model/panel_reading.h"
#include "toolkit/exceptions.h"

namespace advpanel {

bool TPanelPosition::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                  tk::LayoutReader& r) {
    if (name == "Save")
        Save = r.Bool(value);
    else if (name == "Key")
        Key = r.String(value);
    else if (name == "Section")
        Section = r.String(value);
    else if (name == "Location")
        Location = ReadPositionLocation(r, value);
    else
        return tk::TPersistent::ReadProperty(name, value, r);
    return true;
}

void TPanelPosition::Assign(const tk::TPersistent& source) {
    const auto* src = dynamic_cast<const TPanelPosition*>(&source);
    if (!src) throw tk::EInvalidCast();
    if (src == this) return;
    Key = src->Key;
    Section = src->Section;
    Save = src->Save;
    Location = src->Location;
}

void TAutoSize::SetEnabled(bool value) {
    enabled_ = value;
    if (value) owner_.ApplyAutoSize();
}

void TAutoSize::Assign(const tk::TPersistent& source) {
    const auto* src = dynamic_cast<const TAutoSize*>(&source);
    if (!src) throw tk::EInvalidCast();
    if (src == this) return;
    SetEnabled(src->enabled_);
    Height = src->Height;
    Width = src->Width;
}

bool TAutoSize::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                             tk::LayoutReader& r) {
    if (name == "Enabled")
        SetEnabled(r.Bool(value));
    else if (name == "Height")
        Height = r.Bool(value);
    else if (name == "Width")
        Width = r.Bool(value);
    else
        return tk::TPersistent::ReadProperty(name, value, r);
    return true;
}

} // namespace advpanel
