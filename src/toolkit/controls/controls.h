#pragma once
// Controls: a position inside a parent, alignment, visibility, cursor, font, colour and mouse
// events. Graphic controls have no window and paint on their parent; windowed controls own one.
#include "align_layout.h"
#include "toolkit/components/component.h"
#include "toolkit/graphics/graphics.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tk {

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22;
HCURSOR CursorHandle(TCursor cursor);

class TWinControl;
class TCustomForm;
class TControl;

// A hint about to show: its text and where its top-left corner goes. A control may change both
// before it shows.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos; // the mouse, in the control's client coordinates
    TPoint HintPos;   // screen coordinates
    std::string HintStr;
};

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
    const char* ClassName() const override { return "TSizeConstraints"; }
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
    // Called after a limit changed, so that the control applies it.
    std::function<void()> OnChange;
    // Scales every limit by m/d, as a stored layout is scaled to the screen (without OnChange).
    void Scale(int m, int d);

protected:
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    // The form this control lies on, or nullptr.
    TCustomForm* ParentForm() const;

    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    TRect BoundsRect() const { return bounds_; }
    TRect ClientRect() const { return {0, 0, Width(), Height()}; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    std::string Hint;
    bool ShowHint = false;
    bool ParentShowHint = true;
    // Whether a hint would be shown, following ParentShowHint up to the form.
    bool EffectiveShowHint() const;
    // Called when this control's hint is about to show; 0 lets it show.
    virtual int HintShow(THintInfo&) { return 0; }

    virtual bool IsWindowed() const { return false; }
    bool ShowingOnParent() const; // visible, and every parent visible

    virtual void Invalidate();
    void Repaint();

    // Layout scaling: edges by m/d, and the own font's point size by m/d at `ppi` dots per
    // inch. It starts from the layout's own geometry, kept at the first scaling (KeepDesign), so
    // that scaling again for another resolution is the same as scaling once; m == d gives the
    // layout's own geometry back.
    virtual void ChangeScale(int m, int d, int ppi);
    // Keeps the present bounds, limits and font height as the layout's own.
    virtual void KeepDesign();

    // Input as the parent window delivers it, in this control's coordinates.
    void HandleButtonDown(TMouseButton button, TShiftState shift, int x, int y, bool isDouble);
    void HandleButtonUp(TMouseButton button, TShiftState shift, int x, int y);
    void HandleMouseMove(TShiftState shift, int x, int y) { MouseMove(shift, x, y); }
    // The press in progress is abandoned (capture lost): no click follows.
    void CancelPress() { clicked_ = false; }
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void ContextPopup(TPoint mousePos, bool& handled);

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TContextPopupEvent OnContextPopup;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;

    TSizeConstraints& Constraints() { return constraints_; }

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();

    // After the bounds changed (old bounds given).
    virtual void BoundsChanged(const TRect& old);
    // After the size changed, once loading is over.
    virtual void Resize();
    virtual void FontChanged();
    virtual void VisibleChanged();
    virtual void ParentChanged() {}

    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;
    TPersistent* SubObject(std::string_view name) override;

    void SetBoundsSilently(const TRect& r) { bounds_ = r; }

private:
    void ParentFontOrColorChanged();
    // A new size passes OnCanResize (which may refuse it) and then the size limits.
    void CheckNewSize(int& width, int& height);

    TWinControl* parent_ = nullptr;
    TRect bounds_;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TCursor cursor_ = crDefault;
    TColor color_ = clBtnFace;
    TFont font_;
    TSizeConstraints constraints_;
    struct Design {
        TRect Bounds;
        int MinWidth, MinHeight, MaxWidth, MaxHeight;
        int FontHeight;
    };
    std::optional<Design> design_;
    bool parentFont_ = true;
    bool parentColor_ = false;
    bool clicked_ = false;

    friend class TWinControl;
};

// A control without a window of its own, painted on its parent's surface.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    const char* ClassName() const override { return "TGraphicControl"; }
    // Paints in this control's coordinates; the surface is clipped to the control.
    virtual void Paint(TCanvas& canvas) = 0;
    // True when Paint would leave every pixel as it was, so a repaint can pass it by.
    virtual bool DrawsNothing() const { return false; }
};

TRect ToRect(const RECT& r);

} // namespace tk
