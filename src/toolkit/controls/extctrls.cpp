#include "extctrls.h"

#include "toolkit/components/component_reader.h"
#include "toolkit/components/property_table.h"

namespace tk {

TBevelCut ReadBevelCut(LayoutReader& reader, const LayoutValue& value) {
    return reader.Enum<TBevelCut>(value, {{"bvNone", TBevelCut::bvNone},
                                          {"bvLowered", TBevelCut::bvLowered},
                                          {"bvRaised", TBevelCut::bvRaised},
                                          {"bvSpace", TBevelCut::bvSpace}});
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (StoreChanged(bevelInner_, value)) BordersChanged();
}
void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (StoreChanged(bevelOuter_, value)) BordersChanged();
}
void TCustomPanel::SetBevelWidth(int value) {
    if (StoreChanged(bevelWidth_, value)) BordersChanged();
}
void TCustomPanel::SetBorderWidth(int value) {
    if (StoreChanged(borderWidth_, value)) BordersChanged();
}
void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (StoreChanged(borderStyle_, value)) RecreateWnd();
}

void TCustomPanel::BordersChanged() {
    Realign();
    Invalidate();
}

TRect TCustomPanel::InsetForBorders(TRect r) const {
    int inset = borderWidth_;
    if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
    return {r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset};
}

void TCustomPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    if (borderStyle_ == TBorderStyle::bsSingle) p.Style |= WS_BORDER;
    // Redraw on resize is done by invalidating, not by the class styles.
    p.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::Paint(TCanvas& canvas) {
    canvas.BrushColor = Color();
    canvas.FillRect(ClientRect());
    if (!Text.empty()) {
        TRect r = InsetForBorders(ClientRect());
        canvas.Font.Assign(Font());
        canvas.DrawTextIn(Text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
    }
}

bool TCustomPanel::ReadProperty(std::string_view name, const LayoutValue& value,
                                LayoutReader& reader) {
    static const PropertyTable<TCustomPanel> properties{
        {"BevelInner", Set<&TCustomPanel::SetBevelInner, ReadBevelCut>},
        {"BevelOuter", Set<&TCustomPanel::SetBevelOuter, ReadBevelCut>},
        {"BevelWidth", Set<&TCustomPanel::SetBevelWidth>},
        {"BorderWidth", Set<&TCustomPanel::SetBorderWidth>},
        {"BorderStyle", Set<&TCustomPanel::SetBorderStyle, ReadEnum<kBorderStyleNames>>},
        {"UseDockManager", Set<&TCustomPanel::UseDockManager>},
        {"Locked", Set<&TCustomPanel::Locked>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TCustomControl::ReadProperty(name, value, reader);
}

} // namespace tk
