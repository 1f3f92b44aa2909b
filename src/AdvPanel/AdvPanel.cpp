#include "AdvPanel.h"

#include "panel_reading.h"

namespace advpanel {

TCustomAdvPanel::TCustomAdvPanel(tk::TComponent* owner) : tk::TCustomPanel(owner) {
    caption_ = std::make_unique<TPanelCaption>();
    caption_->OnChange = [this](tk::TObject*) { Invalidate(); };
    caption_->OnShadeChange = [this](tk::TObject*) { RebuildCaptionShade(); };
    caption_->OnStateChange = [this](tk::TObject*) { PanelStateChanged(); };
    caption_->OnPositionChange = [this](tk::TObject*) {
        RebuildCaptionShade();
        Invalidate();
    };
    caption_->Font().SetName("Tahoma");

    position_ = std::make_unique<TPanelPosition>(*this);
    DoubleBuffered = true;
    autoSize_ = std::make_unique<TAutoSize>(*this);
    expandedColor_ = Color();

    statusBar_ = std::make_unique<TPanelStatusBar>();
    statusBar_->OnChange = [this] { Invalidate(); };
    Font().SetName("Tahoma");
    SetParentFont(true);
}

TCustomAdvPanel::~TCustomAdvPanel() = default;

std::string TCustomAdvPanel::Version() const {
    constexpr unsigned kVersion = 0x01070000; // bytes from highest: 1, 7, 0, 0
    return std::to_string(kVersion >> 24) + "." + std::to_string((kVersion >> 16) & 0xFF) + "." +
           std::to_string((kVersion >> 8) & 0xFF) + "." + std::to_string(kVersion & 0xFF);
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

tk::TRect TCustomAdvPanel::AlignArea() const {
    PanelFrame frame;
    frame.Width = Width();
    frame.Height = Height();
    frame.CaptionVisible = caption_->Visible();
    frame.CaptionPosition = caption_->Position();
    frame.CaptionHeight = caption_->Height();
    frame.StatusBarVisible = statusBar_->Visible();
    frame.StatusBarHeight = statusBar_->Height();
    return InsetForBorders(AreaInsideStrips(frame));
}

void TCustomAdvPanel::Paint(tk::TCanvas& canvas) {
    canvas.BrushColor = Color();
    canvas.FillRect(ClientRect());
}

void TCustomAdvPanel::Loaded() {
    tk::TCustomPanel::Loaded();
    expandedColor_ = Color();
}

bool TCustomAdvPanel::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                   tk::LayoutReader& r) {
    if (name == "Height") SetPanelHeight(r.Int(value));
    else if (name == "Width") SetPanelWidth(r.Int(value));
    else if (name == "FullHeight") fullHeight_ = r.Int(value);
    else if (name == "Version") r.String(value); // read-only: the stored text is ignored
    else if (name == "ColorTo") SetColorTo(r.Color(value));
    else if (name == "BorderColor") SetBorderColor(r.Color(value));
    else if (name == "BorderShadow") SetBorderShadow(r.Bool(value));
    else if (name == "GradientDirection") SetGradientDirection(ReadGradientDirection(r, value));
    else if (name == "CanSize") SetCanSize(r.Bool(value));
    else if (name == "CanMove") CanMove = r.Bool(value);
    else if (name == "AnchorHint") AnchorHint = r.Bool(value);
    else if (name == "AutoHideChildren") AutoHideChildren = r.Bool(value);
    else if (name == "Buffered") Buffered = r.Bool(value);
    else if (name == "CollapsColor") CollapsColor = r.Color(value);
    else if (name == "CollapsDelay") CollapsDelay = r.Int(value);
    else if (name == "CollapsSteps") CollapsSteps = r.Int(value);
    else if (name == "FreeOnClose") FreeOnClose = r.Bool(value);
    else if (name == "Hover") Hover = r.Bool(value);
    else if (name == "HoverColor") HoverColor = r.Color(value);
    else if (name == "HoverFontColor") HoverFontColor = r.Color(value);
    else if (name == "ShowMoveCursor") ShowMoveCursor = r.Bool(value);
    else if (name == "URLColor") URLColor = r.Color(value);
    else if (name == "ShadowColor") ShadowColor = r.Color(value);
    else if (name == "ShadowOffset") ShadowOffset = r.Int(value);
    else if (name == "Text") Text = r.String(value);
    else return tk::TCustomPanel::ReadProperty(name, value, r);
    return true;
}

tk::TPersistent* TCustomAdvPanel::SubObject(std::string_view name) {
    if (name == "Caption") return caption_.get();
    if (name == "StatusBar") return statusBar_.get();
    if (name == "Position") return position_.get();
    if (name == "AutoSize") return autoSize_.get();
    return tk::TCustomPanel::SubObject(name);
}

} // namespace advpanel
