// The panel's properties as a stored layout names them.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/model/panel_reading.h"
#include "AdvPanel/model/panel_settings.h"
#include "toolkit/components/component_reader.h"
#include "toolkit/components/property_table.h"

#include <utility>

namespace advpanel {
namespace {

// A reference to another component of the form, by name; resolved once everything is read.
std::string ReferenceName(const tk::LayoutValue& v) {
    if (v.ValueKind != tk::LayoutValue::Kind::Identifier)
        throw tk::EReadError("Invalid property value " + v.Text);
    return v.Text;
}

TAnchors ReadAnchors(tk::LayoutReader& r, const tk::LayoutValue& v) {
    return r.Set<TAnchors>(
        v, {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}});
}

constexpr tk::EnumName<TDragKind> kDragKindNames[] = {{"dkDrag", TDragKind::dkDrag},
                                                      {"dkDock", TDragKind::dkDock}};
constexpr tk::EnumName<TDragMode> kDragModeNames[] = {{"dmManual", TDragMode::dmManual},
                                                      {"dmAutomatic", TDragMode::dmAutomatic}};

tk::TCursor ReadDragCursor(tk::LayoutReader& r, const tk::LayoutValue& v) {
    if (v.ValueKind == tk::LayoutValue::Kind::Integer) return r.Int(v);
    return r.Enum<tk::TCursor>(v, {{"crDefault", tk::crDefault},
                                   {"crArrow", tk::crArrow},
                                   {"crDrag", tk::crDrag},
                                   {"crNo", tk::crNo},
                                   {"crHandPoint", tk::crHandPoint}});
}

} // namespace

bool TCustomAdvPanel::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                   tk::LayoutReader& r) {
    using P = TCustomAdvPanel;
    using tk::LayoutReader;
    using tk::Set;
    // References to other components are kept by name and resolved after loading.
    using Reference = void (*)(P&, const tk::LayoutValue&, LayoutReader&);
    static const tk::PropertyTable<P> properties{
        {"Height", Set<&P::SetPanelHeight>},
        {"Width", Set<&P::SetPanelWidth>},
        {"FullHeight", Set<&P::fullHeight_>},
        {"Version", Set<&P::SetVersion>},
        {"Anchors", Set<&P::Anchors, ReadAnchors>},
        {"DockSite", Set<&P::DockSite>},
        {"DragCursor", Set<&P::DragCursor, ReadDragCursor>},
        {"DragKind", Set<&P::DragKind, tk::ReadEnum<kDragKindNames>>},
        {"DragMode", Set<&P::DragMode, tk::ReadEnum<kDragModeNames>>},
        {"HelpContext", Set<&P::HelpContext>},
        {"PopupMenu", Reference([](P& p, const tk::LayoutValue& v, LayoutReader&) {
             p.popupMenuName_ = ReferenceName(v);
         })},
        {"Images", Reference([](P& p, const tk::LayoutValue& v, LayoutReader&) {
             p.imagesName_ = ReferenceName(v);
         })},
        {"PictureContainer", Reference([](P& p, const tk::LayoutValue& v, LayoutReader&) {
             p.pictureContainerName_ = ReferenceName(v);
         })},
        {"Styler", Reference([](P& p, const tk::LayoutValue& v, LayoutReader&) {
             p.stylerName_ = ReferenceName(v);
         })},
        {"ColorTo", Set<&P::SetColorTo, &LayoutReader::Color>},
        {"BorderColor", Set<&P::SetBorderColor, &LayoutReader::Color>},
        {"BorderShadow", Set<&P::SetBorderShadow>},
        {"GradientDirection", Set<&P::SetGradientDirection, ReadGradientDirection>},
        {"CanSize", Set<&P::SetCanSize>},
        {"BackgroundPosition", Set<&P::SetBackgroundPosition, ReadBackgroundPosition>},
        {"Ellipsis", Set<&P::SetEllipsis>},
        {"Indent", Set<&P::SetIndent>},
        {"TopIndent", Set<&P::SetTopIndent>},
        {"LineSpacing", Set<&P::SetLineSpacing>},
        {"TextVAlign", Set<&P::SetTextVAlign, ReadTextVAlignment>},
        {"ShadowColor", Set<&P::SetShadowColor, &LayoutReader::Color>},
        {"ShadowOffset", Set<&P::SetShadowOffset>},
        {"URLColor", Set<&P::SetURLColor, &LayoutReader::Color>},
        {"Text", Set<&P::SetText>},
        {"Collaps", Set<&P::SetCollaps>},
        {"CanMove", Set<&P::CanMove>},
        {"AnchorHint", Set<&P::AnchorHint>},
        {"AutoHideChildren", Set<&P::AutoHideChildren>},
        {"Buffered", Set<&P::Buffered>},
        {"CollapsColor", Set<&P::CollapsColor, &LayoutReader::Color>},
        {"CollapsDelay", Set<&P::CollapsDelay>},
        {"CollapsSteps", Set<&P::CollapsSteps>},
        {"FixedTop", Set<&P::FixedTop>},
        {"FixedLeft", Set<&P::FixedLeft>},
        {"FixedHeight", Set<&P::FixedHeight>},
        {"FixedWidth", Set<&P::FixedWidth>},
        {"FreeOnClose", Set<&P::FreeOnClose>},
        {"Hover", Set<&P::SetHover>},
        {"HoverColor", Set<&P::SetHoverColor, &LayoutReader::Color>},
        {"HoverFontColor", Set<&P::SetHoverFontColor, &LayoutReader::Color>},
        {"ShowMoveCursor", Set<&P::ShowMoveCursor>},
        {"OnCaptionClick", Set<&P::OnCaptionClick>},
        {"OnCaptionDBlClick", Set<&P::OnCaptionDBlClick>},
        {"OnClose", Set<&P::OnClose>},
        {"OnMinimize", Set<&P::OnMinimize>},
        {"OnMaximize", Set<&P::OnMaximize>},
        {"OnEndCollapsExpand", Set<&P::OnEndCollapsExpand>},
        {"OnEndMoveSize", Set<&P::OnEndMoveSize>},
        {"OnMouseEnter", Set<&P::OnMouseEnter>},
        {"OnMouseLeave", Set<&P::OnMouseLeave>},
        {"OnAnchorClick", Set<&P::OnAnchorClick>},
        {"OnAnchorEnter", Set<&P::OnAnchorEnter>},
        {"OnAnchorExit", Set<&P::OnAnchorExit>},
        {"OnAnchorHint", Set<&P::OnAnchorHint>},
        {"OnPaint", Set<&P::OnPaint>},
    };
    return properties.Apply(*this, name, value, r) ||
           tk::TCustomPanel::ReadProperty(name, value, r);
}

void TCustomAdvPanel::ResolveReferences() {
    auto find = [this](std::string& name) -> tk::TComponent* {
        if (name.empty()) return nullptr;
        tk::TComponent* found = Owner() ? Owner()->FindComponent(name) : nullptr;
        if (!found) throw tk::EReadError("Component " + name + " not found");
        name.clear();
        return found;
    };
    if (auto* c = find(imagesName_)) SetImages(c);
    if (auto* c = find(pictureContainerName_)) SetPictureContainer(c);
    if (auto* c = find(popupMenuName_)) SetPopupMenu(c);
    if (tk::TComponent* c = find(stylerName_)) {
        auto* styler = dynamic_cast<TAdvPanelStyler*>(c);
        if (!styler) throw tk::EInvalidCast();
        // Loaded applies the styler's settings once, after the position is restored.
        tk::TComponent* field = std::exchange(styler_, nullptr);
        SetReference(field, styler);
        styler_ = styler;
    }
}

} // namespace advpanel
