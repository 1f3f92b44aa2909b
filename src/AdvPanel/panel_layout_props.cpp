// The panel's properties as a stored layout names them.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/model/panel_reading.h"
#include "AdvPanel/model/panel_settings.h"
#include "toolkit/component_reader.h"

#include <utility>

namespace advpanel {
namespace {

// A reference to another component of the form, by name; resolved once everything is read.
std::string ReferenceName(const tk::LayoutValue& v) {
    if (v.ValueKind != tk::LayoutValue::Kind::Identifier)
        throw tk::EReadError("Invalid property value " + v.Text);
    return v.Text;
}

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
    return ReadPanelProperty(name, value, r) || ReadEvent(name, value, r) ||
           tk::TCustomPanel::ReadProperty(name, value, r);
}

bool TCustomAdvPanel::ReadPanelProperty(std::string_view name, const tk::LayoutValue& value,
                                        tk::LayoutReader& r) {
    if (name == "Height")
        SetPanelHeight(r.Int(value));
    else if (name == "Width")
        SetPanelWidth(r.Int(value));
    else if (name == "FullHeight")
        fullHeight_ = r.Int(value);
    else if (name == "Version")
        SetVersion(r.String(value));
    else if (name == "Anchors")
        Anchors = r.Set<TAnchors>(
            value,
            {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}});
    else if (name == "DockSite")
        DockSite = r.Bool(value);
    else if (name == "DragCursor")
        DragCursor = ReadDragCursor(r, value);
    else if (name == "DragKind")
        DragKind = r.Enum<TDragKind>(
            value, {{"dkDrag", TDragKind::dkDrag}, {"dkDock", TDragKind::dkDock}});
    else if (name == "DragMode")
        DragMode = r.Enum<TDragMode>(
            value, {{"dmManual", TDragMode::dmManual}, {"dmAutomatic", TDragMode::dmAutomatic}});
    else if (name == "HelpContext")
        HelpContext = r.Int(value);
    else if (name == "PopupMenu")
        popupMenuName_ = ReferenceName(value);
    else if (name == "Images")
        imagesName_ = ReferenceName(value);
    else if (name == "PictureContainer")
        pictureContainerName_ = ReferenceName(value);
    else if (name == "Styler")
        stylerName_ = ReferenceName(value);
    else if (name == "ColorTo")
        SetColorTo(r.Color(value));
    else if (name == "BorderColor")
        SetBorderColor(r.Color(value));
    else if (name == "BorderShadow")
        SetBorderShadow(r.Bool(value));
    else if (name == "GradientDirection")
        SetGradientDirection(ReadGradientDirection(r, value));
    else if (name == "CanSize")
        SetCanSize(r.Bool(value));
    else if (name == "BackgroundPosition")
        SetBackgroundPosition(ReadBackgroundPosition(r, value));
    else if (name == "Ellipsis")
        SetEllipsis(r.Bool(value));
    else if (name == "Indent")
        SetIndent(r.Int(value));
    else if (name == "TopIndent")
        SetTopIndent(r.Int(value));
    else if (name == "LineSpacing")
        SetLineSpacing(r.Int(value));
    else if (name == "TextVAlign")
        SetTextVAlign(ReadTextVAlignment(r, value));
    else if (name == "ShadowColor")
        SetShadowColor(r.Color(value));
    else if (name == "ShadowOffset")
        SetShadowOffset(r.Int(value));
    else if (name == "URLColor")
        SetURLColor(r.Color(value));
    else if (name == "Text")
        SetText(r.String(value));
    else if (name == "Collaps")
        SetCollaps(r.Bool(value));
    else if (name == "CanMove")
        CanMove = r.Bool(value);
    else if (name == "AnchorHint")
        AnchorHint = r.Bool(value);
    else if (name == "AutoHideChildren")
        AutoHideChildren = r.Bool(value);
    else if (name == "Buffered")
        Buffered = r.Bool(value);
    else if (name == "CollapsColor")
        CollapsColor = r.Color(value);
    else if (name == "CollapsDelay")
        CollapsDelay = r.Int(value);
    else if (name == "CollapsSteps")
        CollapsSteps = r.Int(value);
    else if (name == "FixedTop")
        FixedTop = r.Bool(value);
    else if (name == "FixedLeft")
        FixedLeft = r.Bool(value);
    else if (name == "FixedHeight")
        FixedHeight = r.Bool(value);
    else if (name == "FixedWidth")
        FixedWidth = r.Bool(value);
    else if (name == "FreeOnClose")
        FreeOnClose = r.Bool(value);
    else if (name == "Hover")
        Hover = r.Bool(value);
    else if (name == "HoverColor")
        HoverColor = r.Color(value);
    else if (name == "HoverFontColor")
        HoverFontColor = r.Color(value);
    else if (name == "ShowMoveCursor")
        ShowMoveCursor = r.Bool(value);
    else
        return false;
    return true;
}

bool TCustomAdvPanel::ReadEvent(std::string_view name, const tk::LayoutValue& value,
                                tk::LayoutReader& r) {
    tk::TNotifyEvent* slot = nullptr;
    if (name == "OnCaptionClick")
        slot = &OnCaptionClick;
    else if (name == "OnCaptionDBlClick")
        slot = &OnCaptionDBlClick;
    else if (name == "OnClose")
        slot = &OnClose;
    else if (name == "OnMinimize")
        slot = &OnMinimize;
    else if (name == "OnMaximize")
        slot = &OnMaximize;
    else if (name == "OnEndCollapsExpand")
        slot = &OnEndCollapsExpand;
    else if (name == "OnEndMoveSize")
        slot = &OnEndMoveSize;
    else if (name == "OnMouseEnter")
        slot = &OnMouseEnter;
    else if (name == "OnMouseLeave")
        slot = &OnMouseLeave;
    if (name == "OnAnchorClick" || name == "OnAnchorEnter" || name == "OnAnchorExit") {
        TAnchorEvent& anchorSlot = name == "OnAnchorClick"   ? OnAnchorClick
                                   : name == "OnAnchorEnter" ? OnAnchorEnter
                                                             : OnAnchorExit;
        anchorSlot = r.Method<TAnchorEvent>(value);
        return true;
    }
    if (name == "OnAnchorHint") {
        OnAnchorHint = r.Method<TAnchorHintEvent>(value);
        return true;
    }
    if (name == "OnPaint") {
        OnPaint = r.Method<TPaintEvent>(value);
        return true;
    }
    if (!slot) return false;
    *slot = r.Method<tk::TNotifyEvent>(value);
    return true;
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
