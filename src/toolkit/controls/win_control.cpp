#include "win_control.h"

#include "toolkit/components/component_reader.h"
#include "toolkit/system/event_errors.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/forms/forms.h"
#include "toolkit/components/property_table.h"
#include "toolkit/base/scope_exit.h"
#include "toolkit/system/startup_marks.h"
#include "toolkit/system/system_library.h"
#include "toolkit/text/unicode_text.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace tk {
namespace {

// The window property that binds a window to its control, named by an atom registered once: the
// lookup on every message then compares numbers, not strings.
constexpr const wchar_t* kBindingName = L"TkControlObject";

LPCWSTR BindingProperty() {
    static const ATOM atom = GlobalAddAtomW(kBindingName);
    return atom ? reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)) : kBindingName;
}

// The last press, so that a second press on the same control counts as a double click even when
// the window under it was re-created in between: the system pairs presses only within one
// window, and within one window its own pairing (WM_LBUTTONDBLCLK and so on) decides.
struct LastPress {
    const TControl* Control = nullptr;
    HWND Window = nullptr;
    UINT Message = 0;
    LONG Time = 0;
    POINT Screen{};
};
LastPress g_lastPress;

bool IsSecondPress(const TControl* control, HWND window, UINT msg) {
    // Taken when the press is handled: a press sent rather than posted has no time of its own.
    LONG now = static_cast<LONG>(GetTickCount());
    DWORD pos = GetMessagePos();
    POINT screen{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    bool second =
        g_lastPress.Control == control && g_lastPress.Window != window &&
        g_lastPress.Message == msg &&
        static_cast<DWORD>(now - g_lastPress.Time) <= GetDoubleClickTime() &&
        std::abs(screen.x - g_lastPress.Screen.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
        std::abs(screen.y - g_lastPress.Screen.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    // After a double click the next press starts over.
    g_lastPress = second ? LastPress{} : LastPress{control, window, msg, now, screen};
    return second;
}

TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    destroying_ = true;
    DestroyHandle();
    SetAccessibleClient(nullptr);
    // Child controls are destroyed with their parent, the last created first.
    while (!controls_.empty())
        delete controls_.back();
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TWinControl*>(GetPropW(hwnd, BindingProperty())) : nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (control->IsWindowed() && HandleAllocated())
        static_cast<TWinControl*>(control)->HandleNeeded();
    if (control->Align() != TAlign::alNone) Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (g_lastPress.Control == control) g_lastPress = LastPress{};
    if (captureControl_ == control) captureControl_ = nullptr;
    if (hoverControl_ == control) hoverControl_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    if (!destroying_ && control->Align() != TAlign::alNone) Realign();
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (Visible() ? WS_VISIBLE : 0);
    p.X = Left();
    p.Y = Top();
    p.Width = Width();
    p.Height = Height();
    p.WinClassName = std::string("Tk") + ClassName();
}

WNDPROC TWinControl::RegisterClassFor(const TCreateParams& p) {
    static std::map<std::string, WNDPROC> baseProcs;
    auto it = baseProcs.find(p.WinClassName);
    if (it != baseProcs.end()) return it->second;

    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring className = Wide(p.WinClassName);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC base = DefWindowProcW;
    if (!p.BaseClassName.empty()) {
        if (!GetClassInfoExW(nullptr, Wide(p.BaseClassName).c_str(), &wc))
            throw EOutOfResources("System class " + p.BaseClassName + " not found");
        base = wc.lpfnWndProc;
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS | CS_PARENTDC);
    } else {
        wc.style = p.ClassStyle;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = p.Background;
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOutOfResources("Cannot register window class " + p.WinClassName);
    baseProcs[p.WinClassName] = base;
    return base;
}

void TWinControl::HandleNeeded() {
    if (!hwnd_) CreateHandleNow();
}

void TWinControl::CreateHandleNow() {
    TCreateParams p;
    CreateParams(p);
    defProc_ = RegisterClassFor(p);
    HWND parentWnd = p.WndParent;
    if (Parent()) {
        Parent()->HandleNeeded();
        parentWnd = Parent()->Handle();
    }
    HWND created = CreateWindowExW(p.ExStyle, Wide(p.WinClassName).c_str(), Wide(p.Caption).c_str(),
                                   p.Style, p.X, p.Y, p.Width, p.Height, parentWnd, nullptr,
                                   GetModuleHandleW(nullptr), this);
    if (!created) throw EOutOfResources("Error creating window " + Name());
    StartupMark((std::string("made ") + ClassName()).c_str());
    hwnd_ = created;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    HandleCreated();
    for (TControl* c : controls_)
        if (c->IsWindowed()) static_cast<TWinControl*>(c)->HandleNeeded();
}

void TWinControl::DestroyHandle() {
    if (!hwnd_) return;
    DestroyWindow(hwnd_); // children go with it; each unbinds at WM_NCDESTROY
    hwnd_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!hwnd_) return;
    DestroyHandle();
    HandleNeeded();
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TWinControl*>(GetPropW(hwnd, BindingProperty()));
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            SetPropW(hwnd, BindingProperty(), self);
            self->hwnd_ = hwnd;
        }
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->WndProc(msg, wParam, lParam);
    } catch (...) {
        // A paint that failed before its region was validated would be asked for again at once.
        if (msg == WM_PAINT) ValidateRect(hwnd, nullptr);
        HandleEventException(msg == WM_PAINT);
    }
    if (msg == WM_NCDESTROY) {
        RemovePropW(hwnd, BindingProperty());
        if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
        self->captureControl_ = nullptr;
        self->hoverControl_ = nullptr;
        self->trackingLeave_ = false;
        self->backBuffer_.Release();
    }
    return result;
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(defProc_, hwnd_, msg, wParam, lParam);
}

void TWinControl::SetAccessibleClient(IUnknown* object) {
    if (object) object->AddRef();
    if (accessibleClient_) accessibleClient_->Release();
    accessibleClient_ = object;
}

// The accessibility library, and COM with it, are loaded when a tool first asks.
LRESULT TWinControl::AccessibleClientFor(WPARAM wParam) {
    using LresultFromObjectProc = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    EnsureComApartment();
    auto lresultFromObject =
        SystemFunction<LresultFromObjectProc>("oleacc.dll", "LresultFromObject");
    return lresultFromObject ? lresultFromObject(__uuidof(IAccessible), wParam, accessibleClient_)
                             : 0;
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool ownClass = defProc_ == DefWindowProcW;
    switch (msg) {
    case WM_GETOBJECT:
        if (accessibleClient_ && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT))
            return AccessibleClientFor(wParam);
        break;
    case WM_PAINT: {
        LRESULT result = 0;
        if (ownClass)
            OnPaintMessage();
        else
            result = DefaultHandler(msg, wParam, lParam);
        StartupMark(ClassName());
        return result;
    }
    case WM_PRINTCLIENT:
        // Paints into the caller's device context, as WM_PAINT would on screen.
        if (ownClass) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            PaintWindow(dc);
            if (lParam & PRF_CHILDREN) PaintControls(dc);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (ownClass) return 1; // WM_PAINT covers the whole client area
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        return OnMouseMessage(msg, wParam, lParam);
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        SetHoverControl(nullptr);
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd_ && OnSetCursor(lParam)) return TRUE;
        break;
    case WM_CAPTURECHANGED:
        if (captureControl_) {
            captureControl_->CancelPress();
            captureControl_ = nullptr;
        }
        break;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd_) ReleaseCapture();
        break;
    case WM_COMMAND:
        if (lParam)
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->CommandNotify(HIWORD(wParam));
                return 0;
            }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SIZE:
    case WM_MOVE: {
        LRESULT r = DefaultHandler(msg, wParam, lParam);
        UpdateBoundsFromWindow();
        return r;
    }
    case WM_CONTEXTMENU:
        return OnContextMenu(wParam, lParam);
    case WM_DESTROY:
        HandleDestroying();
        break;
    case WM_SETFOCUS:
        if (TCustomForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
        if (OnEnter) OnEnter(this);
        break;
    case WM_KILLFOCUS:
        if (OnExit) OnExit(this);
        break;
    case WM_GETMINMAXINFO: {
        // The system's own sizing keeps to the size limits too.
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const TSizeConstraints& c = Constraints();
        if (c.MinWidth > 0) info->ptMinTrackSize.x = c.MinWidth;
        if (c.MinHeight > 0) info->ptMinTrackSize.y = c.MinHeight;
        if (c.MaxWidth > 0) info->ptMaxTrackSize.x = c.MaxWidth;
        if (c.MaxHeight > 0) info->ptMaxTrackSize.y = c.MaxHeight;
        break;
    }
    default:
        break;
    }
    return DefaultHandler(msg, wParam, lParam);
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!hwnd_ || IsIconic(hwnd_)) return;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&rc), 2);
    TRect r = ToRect(rc);
    if (r == BoundsRect()) return;
    TRect old = BoundsRect();
    SetBoundsSilently(r);
    if (old.Width() != r.Width() || old.Height() != r.Height()) {
        Realign();
        Invalidate();
    }
    TControl::BoundsChanged(old);
}

void TWinControl::BoundsChanged(const TRect& old) {
    if (hwnd_)
        SetWindowPos(hwnd_, nullptr, Left(), Top(), Width(), Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    if (old.Width() != Width() || old.Height() != Height()) Realign();
    TControl::BoundsChanged(old);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    Realign();
}

bool TWinControl::ReadProperty(std::string_view name, const LayoutValue& value,
                               LayoutReader& reader) {
    static const PropertyTable<TWinControl> properties{
        {"TabOrder", Set<&TWinControl::TabOrder>},
        {"TabStop", Set<&TWinControl::TabStop>},
        {"DoubleBuffered", Set<&TWinControl::DoubleBuffered>},
        {"OnEnter", Set<&TWinControl::OnEnter>},
        {"OnExit", Set<&TWinControl::OnExit>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TControl::ReadProperty(name, value, reader);
}

void TWinControl::VisibleChanged() {
    if (hwnd_) ShowWindow(hwnd_, Visible() ? SW_SHOWNA : SW_HIDE);
    TControl::VisibleChanged();
}

void TWinControl::FontChanged() {
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    for (TControl* c : controls_)
        if (c->ParentFont()) c->ParentFontOrColorChanged();
    TControl::FontChanged();
}

void TWinControl::ChangeScale(int m, int d, int ppi) {
    TControl::ChangeScale(m, d, ppi);
    for (TControl* c : controls_)
        c->ChangeScale(m, d, ppi);
}

void TWinControl::KeepDesign() {
    TControl::KeepDesign();
    for (TControl* c : controls_)
        c->KeepDesign();
}

void TWinControl::Realign() {
    if (Loading() || aligning_) return;
    aligning_ = true;
    ScopeExit endAligning([this] { aligning_ = false; });
    std::vector<AlignItem> items;
    items.reserve(controls_.size());
    for (TControl* c : controls_)
        items.push_back({c->Align(), c->BoundsRect(), c->Visible()});
    AlignItems(AlignArea(), items);
    // Copy first: setting bounds may change the child list's owners' state.
    std::vector<TControl*> children = controls_;
    for (size_t i = 0; i < children.size(); ++i) {
        const TRect& r = items[i].Bounds;
        if (r != children[i]->BoundsRect())
            children[i]->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
}

TControl* TWinControl::GraphicControlAt(TPoint p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->IsWindowed() && c->Visible() && c->Enabled() && c->BoundsRect().Contains(p))
            return c;
    }
    return nullptr;
}

void TWinControl::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void TWinControl::Update() {
    if (hwnd_) UpdateWindow(hwnd_);
}

bool TWinControl::Focused() const {
    return hwnd_ && GetFocus() == hwnd_;
}

bool TWinControl::CanFocus() const {
    if (!hwnd_) return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void TWinControl::OnPaintMessage() {
    PaintDC paint(hwnd_);
    if (!DoubleBuffered) {
        PaintWindow(paint.Get());
        PaintControls(paint.Get());
        return;
    }
    RECT rc;
    GetClientRect(hwnd_, &rc);
    if (rc.right <= 0 || rc.bottom <= 0) return;
    HDC memory = backBuffer_.Prepare(paint.Get(), rc.right, rc.bottom);
    if (!memory) { // no memory for the off-screen surface: paint directly
        PaintWindow(paint.Get());
        PaintControls(paint.Get());
        return;
    }
    const RECT& area = paint.PaintRect();
    {
        // Each paint starts from a clean state on the surface kept from the last one, and
        // composes only what reaches the screen: the invalid area outside the child windows.
        SavedDCState state(memory);
        IntersectClipRect(memory, area.left, area.top, area.right, area.bottom);
        ExcludeChildWindows(memory);
        PaintWindow(memory);
        PaintControls(memory);
    }
    BitBlt(paint.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory,
           area.left, area.top, SRCCOPY);
}

void TWinControl::ExcludeChildWindows(HDC dc) const {
    // Without this style the window's own drawing covers its children, so nothing is left out.
    if (!(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CLIPCHILDREN)) return;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

void TWinControl::PaintWindow(HDC dc) {
    TCanvas canvas(dc);
    canvas.BrushColor = Color();
    canvas.FillRect(ClientRect());
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* c : controls_)
        if (!c->IsWindowed() && c->Visible() && !static_cast<TGraphicControl*>(c)->DrawsNothing())
            PaintGraphicChild(dc, c);
}

void TWinControl::PaintGraphicChild(HDC dc, TControl* control) {
    TRect r = control->BoundsRect();
    SavedDCState saved(dc);
    IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + r.Left, origin.y + r.Top, nullptr);
    TCanvas canvas(dc);
    static_cast<TGraphicControl*>(control)->Paint(canvas);
}

void TWinControl::SetHoverControl(TControl* control) {
    if (control == hoverControl_) return;
    TControl* old = hoverControl_;
    hoverControl_ = control;
    if (old) old->MouseLeave();
    if (control) control->MouseEnter();
}

void TWinControl::ReleaseMouseCapture() {
    captureControl_ = nullptr;
    if (GetCapture() == hwnd_) ReleaseCapture();
}

LRESULT TWinControl::OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    TPoint p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    TShiftState shift = ShiftFromKeys(wParam);
    bool ownClass = defProc_ == DefWindowProcW;

    if (msg == WM_MOUSEMOVE) {
        if (!trackingLeave_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
            trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
        }
        TControl* under = GraphicControlAt(p);
        SetHoverControl(under ? under : (ClientRect().Contains(p) ? this : nullptr));
    }

    TControl* target = captureControl_ ? captureControl_ : GraphicControlAt(p);
    if (!target) target = this;
    TPoint local = target == this ? p : TPoint{p.X - target->Left(), p.Y - target->Top()};
    bool isDouble = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)
        isDouble = IsSecondPress(target, hwnd_, msg);
    else if (isDouble)
        g_lastPress = LastPress{};

    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (target != this || ownClass) {
            captureControl_ = target;
            SetCapture(hwnd_);
        }
        target->HandleButtonDown(TMouseButton::mbLeft, shift, local.X, local.Y, isDouble);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        target->HandleButtonDown(TMouseButton::mbRight, shift, local.X, local.Y, isDouble);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        target->HandleButtonDown(TMouseButton::mbMiddle, shift, local.X, local.Y, isDouble);
        break;
    case WM_LBUTTONUP:
        if (captureControl_) ReleaseMouseCapture();
        target->HandleButtonUp(TMouseButton::mbLeft, shift, local.X, local.Y);
        break;
    case WM_RBUTTONUP:
        target->HandleButtonUp(TMouseButton::mbRight, shift, local.X, local.Y);
        break;
    case WM_MBUTTONUP:
        target->HandleButtonUp(TMouseButton::mbMiddle, shift, local.X, local.Y);
        break;
    case WM_MOUSEMOVE:
        target->HandleMouseMove(shift, local.X, local.Y);
        break;
    default:
        break;
    }
    // The window may be gone if a handler closed it.
    if (!hwnd_) return 0;
    // System controls keep their own mouse behaviour; a right release becomes WM_CONTEXTMENU.
    if (!ownClass || msg == WM_RBUTTONUP) return DefaultHandler(msg, wParam, lParam);
    return 0;
}

bool TWinControl::OnSetCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return false;
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(hwnd_, &pt);
    TControl* c = captureControl_ ? captureControl_ : GraphicControlAt({pt.x, pt.y});
    TCursor cursor = c ? c->Cursor() : crDefault;
    if (cursor == crDefault) cursor = Cursor();
    if (cursor == crDefault) return false;
    ::SetCursor(CursorHandle(cursor));
    return true;
}

LRESULT TWinControl::OnContextMenu(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == hwnd_ && lParam != -1) {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hwnd_, &pt);
        TControl* target = GraphicControlAt({pt.x, pt.y});
        if (!target) target = this;
        TPoint local = target == this ? TPoint{pt.x, pt.y}
                                      : TPoint{pt.x - target->Left(), pt.y - target->Top()};
        bool handled = false;
        target->ContextPopup(local, handled);
        if (handled || !hwnd_) return 0;
        // A graphic control without a menu of its own swallows the request.
        if (target != this) return 0;
    }
    return DefaultHandler(WM_CONTEXTMENU, wParam, lParam);
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::Paint(TCanvas& canvas) {
    canvas.BrushColor = Color();
    canvas.FillRect(ClientRect());
}

void TCustomControl::PaintWindow(HDC dc) {
    TCanvas canvas(dc);
    canvas.Font.Assign(Font());
    Paint(canvas);
}

} // namespace tk
