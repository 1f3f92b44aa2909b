#include "forms.h"
#include "toolkit/base/layout_scaling.h"

#include "application.h"
#include "toolkit/base/callback_errors.h"
#include "toolkit/components/component_reader.h"
#include "toolkit/base/cyclic_order.h"
#include "modal.h"
#include "modal_result.h"
#include "toolkit/components/property_table.h"
#include "toolkit/system/resources.h"
#include "toolkit/base/scope_exit.h"
#include "screen_fit.h"
#include "toolkit/system/startup_marks.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>

namespace tk {
namespace {

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    return reinterpret_cast<Collected<TRect>*>(data)->Add(ToRect(info.rcWork)) ? TRUE : FALSE;
}

void CollectTabStops(const TWinControl& parent, std::vector<TWinControl*>& out) {
    std::vector<TWinControl*> children;
    for (TControl* c : parent.Controls())
        if (c->IsWindowed()) children.push_back(static_cast<TWinControl*>(c));
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder < b->TabOrder; });
    for (TWinControl* c : children) {
        if (c->TabStop && c->CanFocus()) out.push_back(c);
        CollectTabStops(*c, out);
    }
}

constexpr EnumName<TFormBorderStyle> kFormBorderStyleNames[] = {
    {"bsNone", TFormBorderStyle::bsNone},
    {"bsSingle", TFormBorderStyle::bsSingle},
    {"bsSizeable", TFormBorderStyle::bsSizeable},
    {"bsDialog", TFormBorderStyle::bsDialog}};
constexpr EnumName<TFormStyle> kFormStyleNames[] = {{"fsNormal", TFormStyle::fsNormal},
                                                    {"fsStayOnTop", TFormStyle::fsStayOnTop}};
constexpr EnumName<TWindowState> kWindowStateNames[] = {{"wsNormal", TWindowState::wsNormal},
                                                        {"wsMinimized", TWindowState::wsMinimized},
                                                        {"wsMaximized", TWindowState::wsMaximized}};
constexpr EnumName<TPosition> kPositionNames[] = {{"poDesigned", TPosition::poDesigned},
                                                  {"poScreenCenter", TPosition::poScreenCenter}};

} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 320, 240);
    SetVisible(false);
    SetColor(clBtnFace);
}

TCustomForm::~TCustomForm() {
    activeControl_ = nullptr;
}

void TCustomForm::SetCaption(const std::string& caption) {
    if (caption == caption_) return; // the window shows it already
    caption_ = caption;
    if (HandleAllocated()) SetWindowTextW(Handle(), Wide(caption_).c_str());
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    formStyle_ = style;
    if (!HandleAllocated()) return;
    // Only the window's layer changes: its windows, their texts, the caret, the selection, the
    // scroll position and the undo history stay as they are.
    constexpr UINT kLayerOnly = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    const HWND window = Handle();
    if (style == TFormStyle::fsStayOnTop) {
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kLayerOnly);
        return;
    }
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kLayerOnly);
    if (!(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
    // Some window systems keep an owned window in the topmost layer it was put in (seen under
    // Wine): it leaves the layer without its owner, and gets the owner back.
    const LONG_PTR owner = GetWindowLongPtrW(window, GWLP_HWNDPARENT);
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, 0);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kLayerOnly);
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, owner);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    int cw = ClientWidth(), ch = ClientHeight();
    borderStyle_ = style;
    SetClientSize(cw, ch);
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!HandleAllocated() || !Visible()) return;
    ShowWindow(Handle(), state == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                         : state == TWindowState::wsMinimized ? SW_MINIMIZE
                                                              : SW_SHOWNORMAL);
}

DWORD TCustomForm::WindowStyle() const {
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
        return WS_POPUP;
    case TFormBorderStyle::bsSingle:
        return WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case TFormBorderStyle::bsDialog:
        return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    case TFormBorderStyle::bsSizeable:
    default:
        return WS_OVERLAPPEDWINDOW;
    }
}

int TCustomForm::ClientWidth() const {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, 0);
    return Width() - (r.right - r.left);
}

int TCustomForm::ClientHeight() const {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, 0);
    return Height() - (r.bottom - r.top);
}

void TCustomForm::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, WindowStyle(), FALSE, 0);
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style = WindowStyle() | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.ExStyle = 0;
    p.Caption = caption_;
    p.WndParent = Application ? Application->Handle() : nullptr;
    p.ClassStyle = CS_DBLCLKS;
}

void TCustomForm::HandleCreated() {
    if (formStyle_ == TFormStyle::fsStayOnTop)
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    FitMonitorResolution();
}

// The layout was scaled for the screen's (the system's) resolution; a window that opens on a
// monitor of another one is told of no change, so it asks (Windows 10 1607 and later).
void TCustomForm::FitMonitorResolution() {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (!Scaled || !dpiForWindow || ppi_ == 0) return;
    const int ppi = static_cast<int>(dpiForWindow(Handle()));
    if (ppi <= 0 || ppi == ppi_) return;
    const TRect now = BoundsRect();
    ScaleToResolution(ppi, TRect::FromBounds(now.Left, now.Top, MulDivRound(now.Width(), ppi, ppi_),
                                             MulDivRound(now.Height(), ppi, ppi_)));
}

void TCustomForm::VisibleChanged() {
    if (!Visible()) {
        if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
        return;
    }
    HandleNeeded();
    const bool first = !shownBefore_;
    if (first) {
        shownBefore_ = true;
        if (windowState_ == TWindowState::wsNormal) KeepOnScreen();
    }
    // The first time, a window in its normal state is shown and painted before it is activated,
    // and only then does a control take the focus: activating a window sets up the keyboard's
    // input context, a noticeable part of start-up. No message comes in between, so no key can
    // go astray.
    const bool paintFirst = first && windowState_ == TWindowState::wsNormal;
    {
        focusDeferred_ = first;
        ScopeExit endDeferral([this] { focusDeferred_ = false; });
        ShowWindow(Handle(), windowState_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                             : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINNOACTIVE
                             : paintFirst                                ? SW_SHOWNA
                                                                         : SW_SHOWNORMAL);
        if (first) RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        // What showing it would have done: activated it, on top.
        if (paintFirst) {
            SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            StartupMark("activated");
        }
    }
    if (first) FocusActiveControl();
}

void TCustomForm::KeepOnScreen() {
    Collected<TRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
    areas.Errors.Rethrow();
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    TPoint p = FitOnScreen(BoundsRect(), areas.Items, ToRect(primary.rcWork));
    if (p.X != Left() || p.Y != Top()) SetBounds(p.X, p.Y, Width(), Height());
}

void TCustomForm::Show() {
    SetVisible(true);
}

TModalResult TCustomForm::ShowModal() {
    CancelMouseCapture();
    HWND previouslyActive = GetActiveWindow();
    HandleNeeded();
    modalResult_ = mrNone;
    modal_ = true;
    {
        TaskWindowsDisabled others(Handle());
        Show();
        SetForegroundWindow(Handle());
        while (modalResult_ == mrNone) {
            if (!Application || !Application->HandleMessage() || Application->Terminated()) {
                modalResult_ = mrCancel;
                break;
            }
        }
        Hide();
    }
    modal_ = false;
    if (previouslyActive && IsWindow(previouslyActive) &&
        (GetActiveWindow() == nullptr || GetActiveWindow() == Handle()))
        SetActiveWindow(previouslyActive);
    if (Application && Application->Terminated()) PostQuitMessage(0); // the outer loop ends too
    return modalResult_;
}
void TCustomForm::Hide() {
    SetVisible(false);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        Hide();
}

void TCustomForm::FocusChanged(TWinControl* control) {
    activeControl_ = control;
}

void TCustomForm::ControlDestroyed(TControl* control) {
    if (activeControl_ == control) activeControl_ = nullptr;
}

TWinControl* TCustomForm::FirstTabStop() const {
    std::vector<TWinControl*> stops;
    CollectTabStops(*this, stops);
    return stops.empty() ? nullptr : stops.front();
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> stops;
    CollectTabStops(*this, stops);
    if (TWinControl* next = NextInCycle(stops, current, forward)) next->SetFocus();
}

void TCustomForm::FocusActiveControl() {
    if (focusDeferred_ || !HandleAllocated() || GetActiveWindow() != Handle()) return;
    TWinControl* target =
        activeControl_ && activeControl_->CanFocus() ? activeControl_ : FirstTabStop();
    if (target) target->SetFocus();
}

LRESULT TCustomForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        if (modal_)
            modalResult_ = mrCancel;
        else
            Close();
        return 0;
    case WM_QUERYENDSESSION:
        return CloseQuery() ? TRUE : FALSE;
    case kDpiChangedMessage: // the window went to a monitor of another resolution
        ScaleToResolution(LOWORD(wParam), ToRect(*reinterpret_cast<const RECT*>(lParam)));
        return 0;
    case WM_ENDSESSION:
        // The session ends: the main form ends the application with it.
        if (wParam && Application && Application->MainForm() == this) Application->Terminate();
        return 0;
    case WM_ACTIVATE: {
        LRESULT r = DefaultHandler(msg, wParam, lParam);
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) FocusActiveControl();
        return r;
    }
    case WM_SETFOCUS:
        FocusActiveControl();
        return 0;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

void TCustomForm::ReadLayoutResource(HMODULE module, const char* resourceName) {
    std::string text;
    if (!FindResourceData(module, resourceName, text))
        throw EResNotFound(std::string("Resource ") + ClassName() + " not found");
    ReadLayoutText(text, module);
}

void TCustomForm::ReadLayoutText(const std::string& text, HMODULE module) {
    LayoutNode root;
    try {
        root = ParseLayout(text);
    } catch (const LayoutSyntaxError& e) {
        throw EReadError(e.what());
    }
    StartupMark("layout parsed");
    LayoutReader reader(*this, [module](const std::string& name) {
        std::string data;
        if (!FindResourceData(module, name.c_str(), data))
            throw EResNotFound("Resource " + name + " not found");
        return data;
    });
    reader.Read(root);
    StartupMark("components read");
    ApplyLayoutScaling();
    StartupMark("scaled");
    reader.Finish();
    StartupMark("layout finished");
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

int TCustomForm::MeasureTextHeight(const TFont& font) {
    WindowDC screen(nullptr);
    SelectedObject selected(screen.Get(), font.Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), L"0", 1, &size);
    return size.cy;
}

void TCustomForm::ApplyLayoutScaling() {
    if (!Scaled) return;
    designFontHeight_ = Font().Height();
    designClient_ = {ClientWidth(), ClientHeight()};
    designLimits_ = {Constraints().MinWidth, Constraints().MinHeight, Constraints().MaxWidth,
                     Constraints().MaxHeight};
    for (TControl* c : Controls()) c->KeepDesign();
    const int measured = ScaleFromDesign(ScreenPixelsPerInch());
    ppi_ = ScreenPixelsPerInch();
    if (measured == TextHeight || TextHeight <= 0) return;
    SetClientSize(MulDivRound(designClient_.X, measured, TextHeight),
                  MulDivRound(designClient_.Y, measured, TextHeight));
}

namespace {
void RealignAll(TWinControl& control) {
    control.Realign();
    for (TControl* c : control.Controls())
        if (auto* windowed = dynamic_cast<TWinControl*>(c)) RealignAll(*windowed);
}
} // namespace

// The window's font at `ppi` (the layout's was made at PixelsPerInch), the height of "0" in it,
// and the controls scaled by that height over the layout's TextHeight; returns the height.
int TCustomForm::ScaleFromDesign(int ppi) {
    // The font's point size stays; its height at `ppi` by the one rule every font follows.
    Font().SetHeight(PixelsPerInch > 0 && PixelsPerInch != ppi
                         ? FontHeightFromSize(FontSizeFromHeight(designFontHeight_, PixelsPerInch), ppi)
                         : designFontHeight_);
    const int measured = MeasureTextHeight(Font());
    const bool same = measured == TextHeight || TextHeight <= 0;
    const int m = same ? 1 : measured, d = same ? 1 : TextHeight;
    Constraints().MinWidth = MulDivRound(designLimits_[0], m, d);
    Constraints().MinHeight = MulDivRound(designLimits_[1], m, d);
    Constraints().MaxWidth = MulDivRound(designLimits_[2], m, d);
    Constraints().MaxHeight = MulDivRound(designLimits_[3], m, d);
    for (TControl* c : std::vector<TControl*>(Controls())) c->ChangeScale(m, d, ppi);
    return measured;
}

void TCustomForm::ScaleToResolution(int ppi, const TRect& bounds) {
    if (!Scaled) return;
    ScaleFromDesign(ppi);
    ppi_ = ppi;
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    // The controls are back at the layout's places: aligned ones and the form's own rules
    // (OnResize) place them for the size again, also when the size stayed.
    RealignAll(*this);
    Resize();
    ResolutionChanged();
    Invalidate();
}

bool TCustomForm::ReadProperty(std::string_view name, const LayoutValue& value,
                               LayoutReader& reader) {
    static const PropertyTable<TCustomForm> properties{
        {"Caption", Set<&TCustomForm::SetCaption>},
        {"ClientWidth", [](TCustomForm& f, const LayoutValue& v,
                           LayoutReader& r) { f.SetClientSize(r.Int(v), f.ClientHeight()); }},
        {"ClientHeight", [](TCustomForm& f, const LayoutValue& v,
                            LayoutReader& r) { f.SetClientSize(f.ClientWidth(), r.Int(v)); }},
        {"BorderStyle", Set<&TCustomForm::SetBorderStyle, ReadEnum<kFormBorderStyleNames>>},
        {"FormStyle", Set<&TCustomForm::SetFormStyle, ReadEnum<kFormStyleNames>>},
        {"WindowState", Set<&TCustomForm::SetWindowState, ReadEnum<kWindowStateNames>>},
        {"Position", Set<&TCustomForm::Position, ReadEnum<kPositionNames>>},
        {"PixelsPerInch", Set<&TCustomForm::PixelsPerInch>},
        {"TextHeight", Set<&TCustomForm::TextHeight>},
        {"Scaled", Set<&TCustomForm::Scaled>},
        {"OldCreateOrder", Set<&TCustomForm::OldCreateOrder>},
        {"Ctl3D", Set<&TCustomForm::Ctl3D>},
        {"OnCreate", Set<&TCustomForm::OnCreate>},
        {"OnCloseQuery", Set<&TCustomForm::OnCloseQuery>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TWinControl::ReadProperty(name, value, reader);
}

} // namespace tk
