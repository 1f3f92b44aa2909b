#include "AdvPanel/model/panel_position.h"

#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/model/panel_reading.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/components/property_table.h"

namespace advpanel {

bool TPanelPosition::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                  tk::LayoutReader& r) {
    using P = TPanelPosition;
    static const tk::PropertyTable<P> properties{
        {"Save", tk::Set<&P::Save>},
        {"Key", tk::Set<&P::Key>},
        {"Section", tk::Set<&P::Section>},
        {"Location", tk::Set<&P::Location, ReadPositionLocation>},
    };
    return properties.Apply(*this, name, value, r) || tk::TPersistent::ReadProperty(name, value, r);
}

void TPanelPosition::Assign(const tk::TPersistent& source) {
    const auto* src = tk::AssignSource(*this, source);
    if (!src) return;
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
    const auto* src = tk::AssignSource(*this, source);
    if (!src) return;
    SetEnabled(src->enabled_);
    Height = src->Height;
    Width = src->Width;
}

bool TAutoSize::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                             tk::LayoutReader& r) {
    static const tk::PropertyTable<TAutoSize> properties{
        {"Enabled", tk::Set<&TAutoSize::SetEnabled>},
        {"Height", tk::Set<&TAutoSize::Height>},
        {"Width", tk::Set<&TAutoSize::Width>},
    };
    return properties.Apply(*this, name, value, r) || tk::TPersistent::ReadProperty(name, value, r);
}

} // namespace advpanel
