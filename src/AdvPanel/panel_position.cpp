#include "panel_position.h"

#include "panel_reading.h"

namespace advpanel {

bool TPanelPosition::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                  tk::LayoutReader& r) {
    if (name == "Save") Save = r.Bool(value);
    else if (name == "Key") Key = r.String(value);
    else if (name == "Section") Section = r.String(value);
    else if (name == "Location") Location = ReadPositionLocation(r, value);
    else return tk::TPersistent::ReadProperty(name, value, r);
    return true;
}

void TAutoSize::SetEnabled(bool value) { enabled_ = value; }

bool TAutoSize::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                             tk::LayoutReader& r) {
    if (name == "Enabled") SetEnabled(r.Bool(value));
    else if (name == "Height") Height = r.Bool(value);
    else if (name == "Width") Width = r.Bool(value);
    else return tk::TPersistent::ReadProperty(name, value, r);
    return true;
}

} // namespace advpanel
