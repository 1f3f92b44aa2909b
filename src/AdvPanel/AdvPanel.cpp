// The gradient panel's model: creation, settings, the area it leaves to its children, copies,
// sizing to its text, its own position in the store, the caption's shade texture, and the value
// painting reads.
#include "AdvPanel/AdvPanel.h"

#include "AdvPanel/markup/html_render.h"
#include "AdvPanel/paint/panel_paint.h"
#include "AdvPanel/paint/panel_platform.h"
#include "AdvPanel/model/panel_size_rules.h"
#include "AdvPanel/model/panel_settings.h"
#include "AdvPanel/shading/caption_shade.h"
#include "AdvPanel/store/panel_store.h"
#include "AdvPanel/store/panel_store_text.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/base/scope_exit.h"
#include "toolkit/base/win_handles.h"

#include <utility>

namespace advpanel {

TCustomAdvPanel::TCustomAdvPanel(tk::TComponent* owner) : tk::TCustomPanel(owner) {
    background_ = std::make_unique<TAdvImage>();
    caption_ = std::make_unique<TPanelCaption>();
    // Installed in the caption's published events: whatever is assigned there later replaces
    // them.
    caption_->OnChange = [this](tk::TObject*) { Invalidate(); };
    caption_->OnShadeChange = [this](tk::TObject*) { InvalidateCaptionShade(); };
    caption_->OnStateChange = [this](tk::TObject*) { PanelStateChanged(); };
    caption_->OnPositionChange = [this](tk::TObject*) {
        ApplyAutoSize();
        InvalidateCaptionShade();
        Invalidate();
    };
    caption_->Font().SetName("Tahoma");
    background_->OnChange = [this] { Invalidate(); };

    position_ = std::make_unique<TPanelPosition>(*this);
    DoubleBuffered = true;
    shadeBitmap_ = std::make_unique<tk::TBitmap>();
    xpOrLater_ = PlatformIsXPOrLater();

    autoSize_ = std::make_unique<TAutoSize>(*this);
    expandedColor_ = Color();

    statusBar_ = std::make_unique<TPanelStatusBar>();
    statusBar_->OnChange = [this] { Invalidate(); };
    Font().SetName("Tahoma");
    SetParentFont(true);
}

TCustomAdvPanel::~TCustomAdvPanel() {
    // The window goes first, while this class still handles its WM_DESTROY: that is where the
    // position is saved.
    DestroyHandle();
    background_.reset();
    caption_.reset();
    position_.reset();
    shadeBitmap_.reset();
    autoSize_.reset();
    statusBar_.reset();
}

bool TCustomAdvPanel::ThemesActive() const {
    return xpOrLater_ && PlatformThemeActive();
}

std::string TCustomAdvPanel::Version() const {
    constexpr unsigned kVersion = 0x01070000; // bytes from highest: 1, 7, 0, 0
    return std::to_string(kVersion >> 24) + "." + std::to_string((kVersion >> 16) & 0xFF) + "." +
           std::to_string((kVersion >> 8) & 0xFF) + "." + std::to_string(kVersion & 0xFF);
}

void TCustomAdvPanel::SetText(const std::string& v) {
    Text = v;
    Invalidate();
    ApplyAutoSize();
}

void TCustomAdvPanel::SetReference(tk::TComponent*& field, tk::TComponent* value) {
    if (field == value) return;
    tk::TComponent* old = field;
    field = value;
    // Keep the link to the old component while another reference still names it.
    if (old && old != images_ && old != pictureContainer_ && old != popupMenu_ && old != styler_)
        RemoveFreeNotification(old);
    if (value) FreeNotification(value);
}

void TCustomAdvPanel::SetImages(tk::TComponent* v) {
    SetReference(images_, v);
    Invalidate();
}
void TCustomAdvPanel::SetPictureContainer(tk::TComponent* v) {
    SetReference(pictureContainer_, v);
}
void TCustomAdvPanel::SetPopupMenu(tk::TComponent* v) {
    SetReference(popupMenu_, v);
}

void TCustomAdvPanel::SetStyler(TAdvPanelStyler* v) {
    tk::TComponent* field = std::exchange(styler_, nullptr);
    SetReference(field, v);
    styler_ = v;
    if (!Loading() && v) ApplySettings(v->Settings());
}

void TCustomAdvPanel::Notification(tk::TComponent* removed) {
    if (removed == images_) {
        images_ = nullptr;
        Invalidate();
    }
    if (removed == pictureContainer_) pictureContainer_ = nullptr;
    if (removed == popupMenu_) popupMenu_ = nullptr;
    if (removed == styler_) styler_ = nullptr;
    tk::TCustomPanel::Notification(removed);
}

void TCustomAdvPanel::SetPanelHeight(int height) {
    SetHeight(height);
    if (!collaps_ && !collapsing_ && caption_->Position() != TCaptionPosition::cpLeft)
        fullHeight_ = height;
}

void TCustomAdvPanel::SetPanelWidth(int width) {
    SetWidth(width);
    if (!collaps_ && !collapsing_ && caption_->Position() == TCaptionPosition::cpLeft)
        fullHeight_ = width;
}

void TCustomAdvPanel::SetBounds(int left, int top, int width, int height) {
    tk::TCustomPanel::SetBounds(left, top, width, height);
    if (width != lastSize_.X || height != lastSize_.Y) {
        for (tk::TControl* child : Controls())
            child->Invalidate();
        Invalidate();
    }
    lastSize_ = {width, height};
}

void TCustomAdvPanel::Resize() {
    Repaint();
    tk::TCustomPanel::Resize(); // OnResize
    ApplyAutoSize();
}

tk::TRect TCustomAdvPanel::ClientArea() const {
    RECT client{0, 0, Width(), Height()};
    if (HandleAllocated()) GetClientRect(Handle(), &client);
    return tk::ToRect(client);
}

void TCustomAdvPanel::Invalidate() {
    textLayoutValid_ = false;
    tk::TCustomPanel::Invalidate();
}

PanelPaintState TCustomAdvPanel::PaintState() const {
    PanelPaintState s;
    s.Window = HandleAllocated() ? Handle() : nullptr;
    const tk::TRect client = ClientArea();
    s.Frame.Width = client.Width();
    s.Frame.Height = client.Height();
    s.Frame.BorderShadow = look_.BorderShadow;
    s.Frame.BorderWidth = BorderWidth();
    s.Frame.HasBevel =
        BevelInner() != tk::TBevelCut::bvNone || BevelOuter() != tk::TBevelCut::bvNone;
    s.Frame.BevelWidth = BevelWidth();
    s.Frame.CaptionPosition = caption_->Position();
    s.Frame.CaptionHeight = caption_->Height();
    s.Look = look_;
    s.Color = Color();
    s.BevelOuter = BevelOuter();
    s.BevelInner = BevelInner();
    s.Background = background_.get();
    s.ShadeBitmap = &ShadeBitmap();
    s.ThemesActive = ThemesActive();
    s.Collaps = collaps_;
    s.Text = Text;
    s.Font = &Font();
    s.Images = images_;
    s.PictureContainer = pictureContainer_;
    s.PictureCache = pictureCache_.get();
    s.HotBodyAnchor = bodyAnchor_.Hot;
    s.HotCaptionAnchor = captionAnchor_.Hot;
    s.CloseButtonHot = closeButtonHot_;
    s.MinMaxButtonHot = minMaxButtonHot_;
    s.Caption = caption_.get();
    s.StatusBar = statusBar_.get();
    return s;
}

void TCustomAdvPanel::Paint(tk::TCanvas& canvas) {
    textLayout_ = PaintPanel(PaintState(), canvas);
    textLayoutValid_ = true;
    if (OnPaint) OnPaint(this, canvas, ClientArea());
}

tk::TRect TCustomAdvPanel::AlignArea() const {
    PanelFrame frame;
    const tk::TRect client = ClientArea();
    frame.Width = client.Width();
    frame.Height = client.Height();
    frame.CaptionVisible = caption_->Visible();
    frame.CaptionPosition = caption_->Position();
    frame.CaptionHeight = caption_->Height();
    frame.StatusBarVisible = statusBar_->Visible();
    frame.StatusBarHeight = statusBar_->Height();
    return InsetForBorders(AreaInsideStrips(frame));
}

tk::TPoint TCustomAdvPanel::ClientOriginOnScreen() const {
    POINT p{0, 0};
    if (HandleAllocated()) {
        ClientToScreen(Handle(), &p);
        return {p.x, p.y};
    }
    p = {Left(), Top()};
    for (tk::TWinControl* parent = Parent(); parent; parent = parent->Parent()) {
        if (parent->HandleAllocated()) {
            ClientToScreen(parent->Handle(), &p);
            break;
        }
        p.x += parent->Left();
        p.y += parent->Top();
    }
    return {p.x, p.y};
}

void TCustomAdvPanel::Loaded() {
    tk::TCustomPanel::Loaded();
    ResolveReferences();
    if (position_->Save) RestorePosition();
    fixedOrigin_ = ClientOriginOnScreen();
    fixedSize_ = {Width(), Height()};
    normalCursor_ = Cursor();
    expandedColor_ = Color();
    if (styler_) ApplySettings(styler_->Settings());
}

void TCustomAdvPanel::OnSizing(WPARAM, RECT& proposed) {
    const tk::TRect r = KeepFixedSize(tk::ToRect(proposed), fixedSize_, FixedWidth, FixedHeight);
    proposed = {r.Left, r.Top, r.Right, r.Bottom};
    fullHeight_ = caption_->Position() == TCaptionPosition::cpLeft ? r.Width() : r.Height();
    if (r.Width() != Width()) InvalidateCaptionShade();
}

tk::TPoint TCustomAdvPanel::WindowOriginOnScreen() const {
    RECT rc{};
    GetWindowRect(Handle(), &rc);
    return {rc.left, rc.top};
}

// The move loop proposes screen coordinates, child windows included. The edge is held where the
// window is now: without a border that is the client origin, and with one the window does not
// creep by the border's width on every step.
void TCustomAdvPanel::OnMoving(RECT& proposed) {
    fixedOrigin_ = ClientOriginOnScreen();
    const tk::TRect r =
        KeepFixedEdges(tk::ToRect(proposed), WindowOriginOnScreen(), FixedLeft, FixedTop);
    proposed = {r.Left, r.Top, r.Right, r.Bottom};
}

LRESULT TCustomAdvPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kReleaseMessage) {
        // Posted by a close with FreeOnClose; it waits while any handler of this panel runs.
        if (releaseGate_.TryRelease()) delete this;
        return 0;
    }
    GateScope busy(releaseGate_, [this] { PostRelease(); });
    switch (msg) {
    case WM_NCHITTEST:
        return OnHitTest(tk::TCustomPanel::WndProc(msg, wParam, lParam), lParam);
    case WM_SETCURSOR: {
        LRESULT result = tk::TCustomPanel::WndProc(msg, wParam, lParam);
        if (!moveStarted_ || !ShowMoveCursor) return result;
        ::SetCursor(tk::CursorHandle(tk::crSizeAll));
        return TRUE;
    }
    case WM_LBUTTONDBLCLK: {
        LRESULT result = tk::TCustomPanel::WndProc(msg, wParam, lParam);
        OnCaptionDoubleClick(lParam);
        return result;
    }
    case WM_SIZE: {
        LRESULT result = tk::TCustomPanel::WndProc(msg, wParam, lParam);
        if (shadeWidth_ != Width()) InvalidateCaptionShade();
        return result;
    }
    case WM_SIZING:
        OnSizing(wParam, *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_MOVING:
        OnMoving(*reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_EXITSIZEMOVE: {
        LRESULT result = tk::TCustomPanel::WndProc(msg, wParam, lParam);
        if (OnEndMoveSize) OnEndMoveSize(this);
        NotifyGroup();
        return result;
    }
    case WM_DESTROY: {
        LRESULT result = tk::TCustomPanel::WndProc(msg, wParam, lParam);
        // Also when the window is only being re-created.
        if (position_ && position_->Save) SavePosition();
        return result;
    }
    default:
        break;
    }
    return tk::TCustomPanel::WndProc(msg, wParam, lParam);
}

void TCustomAdvPanel::SetChildrenVisible(bool visible) {
    // A copy: showing or hiding a child may re-align the list's owner.
    std::vector<tk::TControl*> children = Controls();
    for (tk::TControl* child : children)
        child->SetVisible(visible);
}

tk::TPersistent* TCustomAdvPanel::SubObject(std::string_view name) {
    if (name == "Caption") return caption_.get();
    if (name == "StatusBar") return statusBar_.get();
    if (name == "Position") return position_.get();
    if (name == "AutoSize") return autoSize_.get();
    if (name == "Background") return background_.get();
    return tk::TCustomPanel::SubObject(name);
}

void TCustomAdvPanel::Assign(const tk::TPersistent& source) {
    const auto* src = tk::AssignSource(*this, source);
    if (!src) return;
    static_cast<PanelBehaviour&>(*this) = *src;
    // The look comes whole, but for the gradient's direction and where the body text goes.
    PanelLook look = src->look_;
    look.GradientDirection = look_.GradientDirection;
    look.Ellipsis = look_.Ellipsis;
    look.Indent = look_.Indent;
    look.TopIndent = look_.TopIndent;
    look.LineSpacing = look_.LineSpacing;
    SetLook(look);
    SetBackground(*src->background_);
    SetBevelInner(src->BevelInner());
    SetBevelOuter(src->BevelOuter());
    SetBevelWidth(src->BevelWidth());
    SetBorderStyle(src->BorderStyle());
    SetCaption(*src->caption_);
    SetColor(src->Color());
    SetCursor(src->Cursor());
    SetEnabled(src->Enabled());
    Font().Assign(src->Font());
    FreeOnClose = src->FreeOnClose;
    SetPanelHeight(src->Height());
    HelpContext = src->HelpContext;
    Hint = src->Hint;
    SetImages(src->images_);
    SetParentColor(src->ParentColor());
    SetParentFont(src->ParentFont());
    ParentShowHint = src->ParentShowHint;
    SetPictureContainer(src->pictureContainer_);
    SetPopupMenu(src->popupMenu_);
    position_->Assign(*src->position_);
    SetStatusBar(*src->statusBar_);
    ShowHint = src->ShowHint;
    TabStop = src->TabStop;
    Tag = src->Tag;
    SetText(src->Text);
    SetVisible(src->Visible());
}

void TCustomAdvPanel::ApplySettings(const TAdvPanelSettings& s) {
    static_cast<PanelBehaviour&>(*this) = s;
    // A styler leaves the gradient's direction, the background picture's place, the ellipsis
    // and the line spacing as they are.
    PanelLook look = s;
    look.GradientDirection = look_.GradientDirection;
    look.BackgroundPosition = look_.BackgroundPosition;
    look.Ellipsis = look_.Ellipsis;
    look.LineSpacing = look_.LineSpacing;
    SetLook(look);
    SetBevelInner(s.BevelInner);
    SetBevelOuter(s.BevelOuter);
    SetBevelWidth(s.BevelWidth);
    SetBorderStyle(s.BorderStyle);
    SetBorderWidth(s.BorderWidth);
    SetCaption(s.Caption());
    SetCollaps(s.Collaps);
    SetColor(s.Color);
    SetCursor(s.Cursor);
    Font().Assign(s.Font());
    ShowHint = s.ShowHint;
    SetStatusBar(s.StatusBar());
}

void TCustomAdvPanel::ApplyAutoSize() {
    if (!autoSize_->Enabled()) return;
    AutoSizeFrame f;
    f.Width = Width();
    f.Height = Height();
    f.SizeWidth = autoSize_->Width;
    f.SizeHeight = autoSize_->Height;
    f.BevelWidth = BevelWidth();
    f.BorderWidth = BorderWidth();
    f.Indent = look_.Indent;
    f.TopIndent = look_.TopIndent;
    f.CaptionPosition = caption_->Position();
    f.CaptionVisible = caption_->Visible();
    f.CaptionHeight = caption_->Height();
    f.StatusBarVisible = statusBar_->Visible();
    f.StatusBarHeight = statusBar_->Height();

    HtmlRenderParams params = PanelTextParams(PaintState(), Text, AutoSizeMeasureRect(f), -1, true);
    params.MeasureOnly = true;
    HtmlRenderResult measured;
    {
        tk::WindowDC screen(nullptr);
        tk::TCanvas canvas(screen.Get());
        canvas.Font.Assign(Font());
        RenderHtmlText(canvas, params, measured);
    }
    AutoSizeResult size = AutoSizeFromText(f, {measured.Width, measured.Height});
    if (size.Width) SetPanelWidth(*size.Width);
    if (size.Height) SetPanelHeight(*size.Height);
    NotifyGroup();
}

void TCustomAdvPanel::NotifyGroup() {
    if (auto* group = dynamic_cast<TAdvPanelGroup*>(Parent())) group->ArrangePanels();
}

void TAdvPanelGroup::ArrangePanels() {
    if (arranging_) return; // a panel placed here notifies the group again
    arranging_ = true;
    tk::ScopeExit endArranging([this] { arranging_ = false; });
    tk::TRect area = AlignArea();
    int top = area.Top;
    std::vector<tk::TControl*> children = Controls();
    for (tk::TControl* child : children) {
        auto* panel = dynamic_cast<TCustomAdvPanel*>(child);
        if (!panel || !panel->Visible()) continue;
        panel->SetBounds(area.Left, top, area.Width(), panel->Height());
        top += panel->Height();
    }
}

void TCustomAdvPanel::SavePosition() {
    const TPanelPosition& p = *position_;
    auto store = OpenPositionStore(p.Location, p.Key, p.Section, true);
    if (!store) return;
    store->WriteInt("Top", Top());
    store->WriteInt("Left", Left());
    store->WriteInt("Height", Height());
    store->WriteInt("FullHeight", fullHeight_);
    store->WriteInt("Width", Width());
    store->WriteText("Collaps", StoreBoolText(collaps_));
}

void TCustomAdvPanel::RestorePosition() {
    const TPanelPosition& p = *position_;
    auto store = OpenPositionStore(p.Location, p.Key, p.Section, false);
    if (!store) return;
    SetTop(store->ReadInt("Top", Top()));
    SetLeft(store->ReadInt("Left", Left()));
    SetPanelHeight(store->ReadInt("Height", Height()));
    SetPanelWidth(store->ReadInt("Width", Width()));
    SetCollaps(store->ReadInt("Collaps", 0) == 1);
    fullHeight_ = store->ReadInt("FullHeight", Height());
}

namespace {

// A new seed for every rebuild: the high-resolution counter, or the tick count without one.
std::uint32_t FreshSeed() {
    LARGE_INTEGER counter{};
    if (QueryPerformanceCounter(&counter)) return static_cast<std::uint32_t>(counter.QuadPart);
    return GetTickCount();
}

// One generator for the program, as the run-time keeps one.
ShadeRandom& ProgramRandom() {
    static ShadeRandom random;
    return random;
}

} // namespace

void TCustomAdvPanel::InvalidateCaptionShade() {
    shadeStale_ = true;
}

const tk::TBitmap& TCustomAdvPanel::ShadeBitmap() const {
    if (shadeStale_) RenderShadeBitmap();
    return *shadeBitmap_;
}

void TCustomAdvPanel::RenderShadeBitmap() const {
    shadeStale_ = false;
    shadeWidth_ = Width();
    const TPanelCaption& c = *caption_;
    CaptionShadeInput input;
    input.Color = static_cast<tk::TColor>(tk::ColorToRGB(c.Color()));
    input.ShadeLight = c.ShadeLight();
    input.ShadeGrain = c.ShadeGrain();
    input.ShadeType = c.ShadeType();
    input.Position = c.Position();
    input.PanelWidth = Width();
    input.PanelHeight = Height();
    input.CaptionHeight = c.Height();
    ShadeRandom& random = ProgramRandom();
    random.Seed(FreshSeed());
    const ShadePixels pixels = RenderCaptionShade(input, random);
    shadeBitmap_->SetPixels(pixels.Width(), pixels.Height(), pixels.Data().data());
}

} // namespace advpanel
