#include "controls.h"

#include "toolkit/components/component_reader.h"
#include "toolkit/forms/forms.h"
#include "toolkit/base/layout_scaling.h"
#include "toolkit/components/property_table.h"
#include "win_control.h"

namespace tk {

HCURSOR CursorHandle(TCursor cursor) {
    LPCSTR id = IDC_ARROW;
    switch (cursor) {
    case crNone:
        return nullptr;
    case crCross:
        id = IDC_CROSS;
        break;
    case crIBeam:
        id = IDC_IBEAM;
        break;
    case crSizeNESW:
        id = IDC_SIZENESW;
        break;
    case crSizeNS:
        id = IDC_SIZENS;
        break;
    case crSizeNWSE:
        id = IDC_SIZENWSE;
        break;
    case crSizeWE:
        id = IDC_SIZEWE;
        break;
    case crUpArrow:
        id = IDC_UPARROW;
        break;
    case crHourGlass:
        id = IDC_WAIT;
        break;
    case crNo:
        id = IDC_NO;
        break;
    case crAppStart:
        id = IDC_APPSTARTING;
        break;
    case crHelp:
        id = IDC_HELP;
        break;
    case crHandPoint:
        id = IDC_HAND;
        break;
    case crSizeAll:
        id = IDC_SIZEALL;
        break;
    default:
        break;
    }
    return LoadCursorA(nullptr, id);
}

namespace {

constexpr EnumName<TAlign> kAlignNames[] = {
    {"alNone", TAlign::alNone},    {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
    {"alLeft", TAlign::alLeft},    {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient},
    {"alCustom", TAlign::alCustom}};

constexpr EnumName<TCursor> kCursorNames[] = {
    {"crDefault", crDefault},   {"crArrow", crArrow},         {"crIBeam", crIBeam},
    {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS},       {"crSizeNWSE", crSizeNWSE},
    {"crSizeWE", crSizeWE},     {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}};

} // namespace

TRect ToRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    constraints_.OnChange = [this] {
        int w = Width(), h = Height();
        CheckNewSize(w, h);
        SetBounds(Left(), Top(), w, h);
    };
    font_.OnChange = [this] {
        parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    if (TCustomForm* form = ParentForm(); form && form != this) form->ControlDestroyed(this);
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_) {
        parent_->InsertControl(this);
        ParentFontOrColorChanged();
    }
    ParentChanged();
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width != Width() || height != Height()) CheckNewSize(width, height);
    TRect r = TRect::FromBounds(left, top, width, height);
    if (r == bounds_) return;
    TRect old = bounds_;
    bounds_ = r;
    BoundsChanged(old);
}

void TControl::CheckNewSize(int& width, int& height) {
    if (Loading()) return; // stored sizes are taken as they are
    int w = width, h = height;
    bool resize = true;
    if (OnCanResize) OnCanResize(this, w, h, resize);
    if (!resize) {
        width = Width();
        height = Height();
        return;
    }
    int minW = constraints_.MinWidth, minH = constraints_.MinHeight;
    int maxW = constraints_.MaxWidth, maxH = constraints_.MaxHeight;
    if (OnConstrainedResize) OnConstrainedResize(this, minW, minH, maxW, maxH);
    if (maxW > 0 && w > maxW) w = maxW;
    if (minW > 0 && w < minW) w = minW;
    if (maxH > 0 && h > maxH) h = maxH;
    if (minH > 0 && h < minH) h = minH;
    width = w;
    height = h;
}

void TSizeConstraints::Scale(int m, int d) {
    for (int* limit : {&MinWidth, &MinHeight, &MaxWidth, &MaxHeight})
        *limit = MulDivRound(*limit, m, d);
}

bool TSizeConstraints::ReadProperty(std::string_view name, const LayoutValue& value,
                                    LayoutReader& reader) {
    static const PropertyTable<TSizeConstraints> properties{
        {"MinWidth", Set<&TSizeConstraints::MinWidth>},
        {"MinHeight", Set<&TSizeConstraints::MinHeight>},
        {"MaxWidth", Set<&TSizeConstraints::MaxWidth>},
        {"MaxHeight", Set<&TSizeConstraints::MaxHeight>},
    };
    if (!properties.Apply(*this, name, value, reader))
        return TPersistent::ReadProperty(name, value, reader);
    if (OnChange) OnChange();
    return true;
}

void TControl::BoundsChanged(const TRect& old) {
    bool resized = old.Width() != Width() || old.Height() != Height();
    if (parent_ && parent_->HandleAllocated() && !IsWindowed()) {
        RECT a{old.Left, old.Top, old.Right, old.Bottom};
        RECT b{bounds_.Left, bounds_.Top, bounds_.Right, bounds_.Bottom};
        InvalidateRect(parent_->Handle(), &a, TRUE);
        InvalidateRect(parent_->Handle(), &b, TRUE);
    }
    if (align_ != TAlign::alNone && parent_ && !parent_->aligning_) parent_->Realign();
    if (resized && !Loading()) Resize();
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (parent_) {
        if (!IsWindowed() && parent_->HandleAllocated()) {
            RECT r{bounds_.Left, bounds_.Top, bounds_.Right, bounds_.Bottom};
            InvalidateRect(parent_->Handle(), &r, TRUE);
        }
        if (align_ != TAlign::alNone) parent_->Realign();
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Invalidate();
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    parentColor_ = false;
    Invalidate();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) ParentFontOrColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) ParentFontOrColorChanged();
}

void TControl::ParentFontOrColorChanged() {
    if (!parent_) return;
    if (parentFont_) {
        auto handler = std::move(font_.OnChange);
        font_.Assign(parent_->Font());
        font_.OnChange = std::move(handler);
        FontChanged();
    }
    if (parentColor_) {
        color_ = parent_->Color();
        Invalidate();
    }
}

void TControl::FontChanged() {
    Invalidate();
}

bool TControl::EffectiveShowHint() const {
    const TControl* c = this;
    while (c->ParentShowHint && c->parent_)
        c = c->parent_;
    return c->ShowHint;
}

bool TControl::ShowingOnParent() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::Invalidate() {
    if (parent_ && parent_->HandleAllocated()) {
        RECT r{bounds_.Left, bounds_.Top, bounds_.Right, bounds_.Bottom};
        InvalidateRect(parent_->Handle(), &r, TRUE);
    }
}

void TControl::Repaint() {
    Invalidate();
    if (parent_) parent_->Update();
}

void TControl::KeepDesign() {
    design_ = Design{bounds_,
                     constraints_.MinWidth,
                     constraints_.MinHeight,
                     constraints_.MaxWidth,
                     constraints_.MaxHeight,
                     font_.Height()};
}

void TControl::ChangeScale(int m, int d, int ppi) {
    if (!design_) KeepDesign();
    const Design& own = *design_;
    constraints_.MinWidth = own.MinWidth;
    constraints_.MinHeight = own.MinHeight;
    constraints_.MaxWidth = own.MaxWidth;
    constraints_.MaxHeight = own.MaxHeight;
    constraints_.Scale(m, d);
    TRect r = ScaleEdges(own.Bounds, m, d);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    if (!parentFont_) {
        // While the layout is read nothing is told of the change; later (a new resolution) the
        // control takes the new font at once.
        std::function<void()> handler;
        if (Loading()) handler = std::move(font_.OnChange);
        font_.SetHeight(m == d ? own.FontHeight : ScaleFontHeight(own.FontHeight, m, d, ppi));
        if (handler) font_.OnChange = std::move(handler);
    } else {
        ParentFontOrColorChanged(); // the parent's font is scaled by now
    }
}

// The click rule: a left press (not the second press of a double click) and a release inside
// the control make a click; the click comes before the mouse-up event.
void TControl::HandleButtonDown(TMouseButton button, TShiftState shift, int x, int y,
                                bool isDouble) {
    if (button == TMouseButton::mbLeft) {
        if (isDouble)
            DblClick();
        else
            clicked_ = true;
    }
    MouseDown(button, isDouble ? (shift | ssDouble) : shift, x, y);
}

void TControl::HandleButtonUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && clicked_) {
        clicked_ = false;
        if (ClientRect().Contains({x, y})) Click();
    }
    MouseUp(button, shift, x, y);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::Click() {
    if (OnClick) OnClick(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}
void TControl::ContextPopup(TPoint mousePos, bool& handled) {
    if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

bool TControl::ReadProperty(std::string_view name, const LayoutValue& value, LayoutReader& reader) {
    static const PropertyTable<TControl> properties{
        {"Left", Set<&TControl::SetLeft>},
        {"Top", Set<&TControl::SetTop>},
        {"Width", Set<&TControl::SetWidth>},
        {"Height", Set<&TControl::SetHeight>},
        {"Align", Set<&TControl::SetAlign, ReadEnum<kAlignNames>>},
        {"Visible", Set<&TControl::SetVisible>},
        {"Enabled", Set<&TControl::SetEnabled>},
        {"Cursor", Set<&TControl::SetCursor, ReadEnum<kCursorNames>>},
        {"Color", Set<&TControl::SetColor, &LayoutReader::Color>},
        {"ParentFont", Set<&TControl::SetParentFont>},
        {"ParentColor", Set<&TControl::SetParentColor>},
        {"Hint", Set<&TControl::Hint>},
        {"ShowHint",
         [](TControl& c, const LayoutValue& v, LayoutReader& r) {
             c.ShowHint = r.Bool(v);
             c.ParentShowHint = false;
         }},
        {"ParentShowHint", Set<&TControl::ParentShowHint>},
        {"OnClick", Set<&TControl::OnClick>},
        {"OnDblClick", Set<&TControl::OnDblClick>},
        {"OnMouseDown", Set<&TControl::OnMouseDown>},
        {"OnMouseUp", Set<&TControl::OnMouseUp>},
        {"OnMouseMove", Set<&TControl::OnMouseMove>},
        {"OnContextPopup", Set<&TControl::OnContextPopup>},
        {"OnResize", Set<&TControl::OnResize>},
        {"OnCanResize", Set<&TControl::OnCanResize>},
        {"OnConstrainedResize", Set<&TControl::OnConstrainedResize>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TComponent::ReadProperty(name, value, reader);
}

TPersistent* TControl::SubObject(std::string_view name) {
    if (name == "Font") return &font_;
    if (name == "Constraints") return &constraints_;
    return TComponent::SubObject(name);
}

} // namespace tk
