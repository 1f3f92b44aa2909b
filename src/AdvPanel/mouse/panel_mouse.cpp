// The panel's mouse handling: the caption as a move handle and the corner as a size grip, the
// caption's close and min/max buttons, caption clicks, anchor presses, and the hover state.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/mouse/panel_shell.h"

#include <windowsx.h>

namespace advpanel {
namespace {

tk::TPoint ClientPoint(HWND hwnd, LPARAM screenPoint) {
    POINT p{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    ScreenToClient(hwnd, &p);
    return {p.x, p.y};
}

void BringToTop(HWND hwnd) {
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace

CaptionButtonLayout TCustomAdvPanel::ButtonLayout(ButtonSizeUse use) const {
    CaptionButtonLayout l;
    l.Position = caption_->Position();
    l.ButtonPosition = caption_->ButtonPosition;
    l.ButtonSize = CaptionButtonSize(use);
    l.CloseButton = caption_->CloseButton();
    l.MinMaxButton = caption_->MinMaxButton();
    l.CaptionHeight = caption_->Height();
    return l;
}

int TCustomAdvPanel::CaptionButtonSize(ButtonSizeUse use) const {
    const TPanelCaption& c = *caption_;
    CaptionButtonGlyphs g;
    g.CloseMinWidth = c.CloseMinGlyph().Width();
    g.CloseMinEmpty = c.CloseMinGlyph().Empty();
    g.CloseMaxEmpty = c.CloseMaxGlyph().Empty();
    g.MinWidth = c.MinGlyph().Width();
    g.MinEmpty = c.MinGlyph().Empty();
    g.MaxWidth = c.MaxGlyph().Width();
    g.MaxEmpty = c.MaxGlyph().Empty();
    g.XPThemed = c.ShadeType() == TShadeType::stXPCaption && ThemesActive();
    return advpanel::CaptionButtonSize(g, use);
}

LRESULT TCustomAdvPanel::OnHitTest(LRESULT result, LPARAM screenPoint) {
    const CaptionButtonLayout layout = ButtonLayout(ButtonSizeUse::HitTest);
    const tk::TPoint p = ClientPoint(Handle(), screenPoint);
    if (caption_->Visible() && InMoveZone(p, ClientRect(), layout)) {
        // A press on a caption anchor stays a press; elsewhere the caption moves the panel.
        if (AnchorAt(p.X, p.Y).Target.empty() && result == HTCLIENT && CanMove) {
            MouseMove(0, p.X, p.Y);
            result = HTCAPTION;
            moveStarted_ = true;
            BringToTop(Handle());
        }
    }
    if (InSizeGrip(p, Width(), Height(), GetSystemMetrics(SM_CXHSCROLL),
                   GetSystemMetrics(SM_CYHSCROLL)) &&
        result == HTCLIENT && canSize_ && !collaps_) {
        BringToTop(Handle());
        result = HTBOTTOMRIGHT;
    }
    return result;
}

void TCustomAdvPanel::OnCaptionDoubleClick(LPARAM clientPoint) {
    const tk::TPoint p{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    if (caption_->Visible() &&
        CaptionDoubleClickArea(ClientRect(), caption_->Position(), caption_->Height())
            .Contains(p) &&
        OnCaptionDBlClick)
        OnCaptionDBlClick(this);
}

void TCustomAdvPanel::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) {
    tk::TCustomPanel::MouseDown(button, shift, x, y);
    const std::string anchor = AnchorAt(x, y).Target;
    if (anchor.empty()) return;
    if (IsShellTarget(anchor))
        OpenWithShell(anchor);
    else if (OnAnchorClick)
        OnAnchorClick(this, anchor);
}

bool TCustomAdvPanel::ReleaseOnCloseButton(tk::TPoint p, bool& toggleOnCaption) {
    if (!caption_->CloseButton() || !CloseButtonRect(ClientRect(), ButtonLayout()).Contains(p))
        return true;
    SetVisible(false);
    if (OnClose) OnClose(this);
    NotifyGroup();
    toggleOnCaption = false;
    if (!FreeOnClose) return true;
    PostRelease();
    return false;
}

void TCustomAdvPanel::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) {
    tk::TCustomPanel::MouseUp(button, shift, x, y);
    bool toggleOnCaption = caption_->MinMaxCaption && caption_->Visible();
    if (!caption_->Visible()) return;
    const tk::TPoint p{x, y};
    if (!ReleaseOnCloseButton(p, toggleOnCaption)) return;
    const CaptionButtonLayout layout = ButtonLayout();
    if (caption_->MinMaxButton() && MinMaxButtonRect(ClientRect(), layout).Contains(p)) {
        toggleOnCaption = false;
        SetCollaps(!collaps_);
    }
    if (!CaptionClickArea(ClientRect(), layout).Contains(p)) return;
    if (toggleOnCaption) SetCollaps(!collaps_);
    if (OnCaptionClick) OnCaptionClick(this);
}

void TCustomAdvPanel::UpdateButtonHover(tk::TPoint p) {
    const CaptionButtonLayout layout = ButtonLayout();
    if (caption_->CloseButtonHoverColor != tk::clNone) {
        const bool hot =
            caption_->CloseButton() && CloseButtonRect(ClientRect(), layout).Contains(p);
        if (hot != closeButtonHot_) {
            closeButtonHot_ = hot;
            Invalidate();
        }
    }
    if (caption_->MinMaxButtonHoverColor != tk::clNone) {
        const bool hot =
            caption_->MinMaxButton() && MinMaxButtonRect(ClientRect(), layout).Contains(p);
        if (hot != minMaxButtonHot_) {
            minMaxButtonHot_ = hot;
            Invalidate();
        }
    }
}

void TCustomAdvPanel::MouseMove(tk::TShiftState shift, int x, int y) {
    tk::TCustomPanel::MouseMove(shift, x, y);
    const AnchorHit hit = AnchorAt(x, y);
    moveStarted_ = false;
    const tk::TPoint p{x, y};
    if (caption_->Visible()) UpdateButtonHover(p);
    if (caption_->Visible() && InCaptionBand(p, caption_->Position(), caption_->Height()))
        TrackCaptionAnchor(hit);
    else
        TrackBodyAnchor(hit);
}

void TCustomAdvPanel::MouseLeave() {
    if (hotBodyAnchor_ >= 0) {
        hotBodyAnchor_ = -1;
        bodyAnchorRect_ = Grown(bodyAnchorRect_);
        if (Hover) InvalidateAnchor(bodyAnchorRect_);
    }
    if (hotCaptionAnchor_ >= 0) {
        hotCaptionAnchor_ = -1;
        captionAnchorRect_ = Grown(captionAnchorRect_);
        if (Hover) InvalidateAnchor(captionAnchorRect_);
    }
    tk::TCustomPanel::MouseLeave(); // OnMouseLeave
    if (closeButtonHot_ || minMaxButtonHot_) {
        closeButtonHot_ = false;
        minMaxButtonHot_ = false;
        Invalidate();
    }
}

void TCustomAdvPanel::PostRelease() {
    if (HandleAllocated()) PostMessageA(Handle(), kReleaseMessage, 0, 0);
}

} // namespace advpanel
