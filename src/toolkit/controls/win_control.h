#pragma once
// Windowed controls: a system window bound to the object, child controls with alignment,
// windowless children painted and fed with mouse input, and keyboard focus.
#include "toolkit/graphics/back_buffer.h"
#include "controls.h"

#include <unknwn.h>

#include <string>
#include <vector>

namespace tk {

struct TCreateParams {
    std::string Caption; // UTF-8, as every text of the program
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;  // for top-level windows: the owner
    std::string WinClassName;  // our class name
    std::string BaseClassName; // a system class to build on ("EDIT"), or empty
    UINT ClassStyle = CS_DBLCLKS;
    HBRUSH Background = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }

    // The control that owns `hwnd`, if it is one of ours.
    static TWinControl* FromHandle(HWND hwnd);

    HWND Handle() const { return hwnd_; }
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    // Creates the window (and its windowed children) when it does not exist yet.
    void HandleNeeded();
    void DestroyHandle();
    // Destroys and creates the system windows again, keeping place, size, texts and visibility.
    void RecreateWnd();

    bool IsWindowed() const override { return true; }
    const std::vector<TControl*>& Controls() const { return controls_; }

    // The topmost enabled, visible windowless child under a client point, or nullptr.
    TControl* GraphicControlAt(TPoint p) const;

    void Realign();
    bool DoubleBuffered = false;
    bool TabStop = false;
    int TabOrder = -1;

    bool Focused() const;
    virtual bool CanFocus() const;
    void SetFocus();
    // Whether the Tab key belongs to this control rather than to focus navigation.
    virtual bool WantsTab() const { return false; }

    // An accessible object (IAccessible) that stands for the window's client area, handed to
    // accessibility tools that ask for it (WM_GETOBJECT), also after the window is made anew;
    // the control keeps a reference. Null leaves the system's own object.
    void SetAccessibleClient(IUnknown* object);

    // Focus arrives at / leaves this control's window.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    void Invalidate() override;
    void Update();
    void ChangeScale(int m, int d, int ppi) override;
    void KeepDesign() override;

protected:
    virtual void CreateParams(TCreateParams& params);
    // Right after the window was created / right before it is destroyed.
    virtual void HandleCreated() {}
    virtual void HandleDestroying() {}

    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

    // The area left to aligned children, in client coordinates.
    virtual TRect AlignArea() const { return ClientRect(); }
    // Paints the window's own surface (children are painted after it).
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc);
    // Background for a system child control (WM_CTLCOLOR...); nullptr for the default.
    virtual HBRUSH CtlColor(HDC) { return nullptr; }
    // A WM_COMMAND notification from this control's own system window.
    virtual void CommandNotify(WORD) {}

    void BoundsChanged(const TRect& old) override;
    void Loaded() override;
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;
    void VisibleChanged() override;
    void FontChanged() override;
    // Reads the window's real place after the system moved or sized it.
    void UpdateBoundsFromWindow();

private:
    friend class TControl;
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static WNDPROC RegisterClassFor(const TCreateParams& params);

    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void CreateHandleNow();
    void OnPaintMessage();
    // Leaves the areas of the visible child windows out of `dc`'s clipping region: they paint
    // themselves, and the window's own device context leaves them out too.
    void ExcludeChildWindows(HDC dc) const;
    static void PaintGraphicChild(HDC dc, TControl* control);
    LRESULT OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool OnSetCursor(LPARAM lParam);
    void SetHoverControl(TControl* control);
    void ReleaseMouseCapture();
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);

    LRESULT AccessibleClientFor(WPARAM wParam);

    HWND hwnd_ = nullptr;
    WNDPROC defProc_ = DefWindowProcW;
    IUnknown* accessibleClient_ = nullptr;
    std::vector<TControl*> controls_;
    TControl* captureControl_ = nullptr;
    TControl* hoverControl_ = nullptr;
    bool trackingLeave_ = false;
    bool aligning_ = false;
    bool destroying_ = false;
    BackBuffer backBuffer_;
};

// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    const char* ClassName() const override { return "TCustomControl"; }

protected:
    virtual void Paint(TCanvas& canvas);
    void PaintWindow(HDC dc) override;
};

} // namespace tk
