// The panel's mouse handling: the caption as a move handle and the corner as a size grip, the
// caption's close and min/max buttons, caption clicks, anchors (the hand cursor, enter and exit
// events, presses and hints) and the hover state.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/mouse/panel_shell.h"
#include "AdvPanel/paint/panel_paint.h"
#include "AdvPanel/paint/panel_paint_state.h"
#include "toolkit/controls/hints.h"
#include "toolkit/base/win_handles.h"

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
    if (caption_->Visible() && InMoveZone(p, ClientArea(), layout)) {
        // A press on a caption anchor stays a press; elsewhere the caption moves the panel.
        if (AnchorAt(p.X, p.Y).Target.empty() && result == HTCLIENT && CanMove) {
            MouseMove(0, p.X, p.Y);
            result = HTCAPTION;
            moveStarted_ = true;
            BringToTop(Handle());
        }
    }
    const tk::TRect client = ClientArea();
    if (InSizeGrip(p, client.Width(), client.Height(), GetSystemMetrics(SM_CXHSCROLL),
                   GetSystemMetrics(SM_CYHSCROLL)) &&
        result == HTCLIENT && look_.CanSize && !collaps_) {
        BringToTop(Handle());
        result = HTBOTTOMRIGHT;
    }
    return result;
}

void TCustomAdvPanel::OnCaptionDoubleClick(LPARAM clientPoint) {
    const tk::TPoint p{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    if (caption_->Visible() &&
        CaptionDoubleClickArea(ClientArea(), caption_->Position(), caption_->Height())
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
    if (!caption_->CloseButton() || !CloseButtonRect(ClientArea(), ButtonLayout()).Contains(p))
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
    if (caption_->MinMaxButton() && MinMaxButtonRect(ClientArea(), layout).Contains(p)) {
        toggleOnCaption = false;
        SetCollaps(!collaps_);
    }
    if (!CaptionClickArea(ClientArea(), layout).Contains(p)) return;
    if (toggleOnCaption) SetCollaps(!collaps_);
    if (OnCaptionClick) OnCaptionClick(this);
}

// A button with a hover colour is hot while the mouse is over it; a change repaints.
void TCustomAdvPanel::UpdateButtonHover(tk::TPoint p) {
    const CaptionButtonLayout layout = ButtonLayout();
    const tk::TRect client = ClientArea();
    auto follow = [&](bool& hot, tk::TColor hoverColor, bool shown, const tk::TRect& button) {
        if (hoverColor == tk::clNone) return;
        if (tk::StoreChanged(hot, shown && button.Contains(p))) Invalidate();
    };
    follow(closeButtonHot_, caption_->CloseButtonHoverColor, caption_->CloseButton(),
           CloseButtonRect(client, layout));
    follow(minMaxButtonHot_, caption_->MinMaxButtonHoverColor, caption_->MinMaxButton(),
           MinMaxButtonRect(client, layout));
}

void TCustomAdvPanel::MouseMove(tk::TShiftState shift, int x, int y) {
    tk::TCustomPanel::MouseMove(shift, x, y);
    const AnchorHit hit = AnchorAt(x, y);
    moveStarted_ = false;
    if (caption_->Visible()) UpdateButtonHover({x, y});
    if (hit.InCaption)
        TrackAnchor(captionAnchor_, bodyAnchor_, hit);
    else
        TrackAnchor(bodyAnchor_, captionAnchor_, hit);
}

void TCustomAdvPanel::MouseLeave() {
    ClearHotAnchor(bodyAnchor_);
    ClearHotAnchor(captionAnchor_);
    tk::TCustomPanel::MouseLeave(); // OnMouseLeave
    if (closeButtonHot_ || minMaxButtonHot_) {
        closeButtonHot_ = false;
        minMaxButtonHot_ = false;
        Invalidate();
    }
}

void TCustomAdvPanel::PostRelease() {
    if (HandleAllocated()) PostMessageW(Handle(), kReleaseMessage, 0, 0);
}

TCustomAdvPanel::AnchorHit TCustomAdvPanel::AnchorAt(int x, int y) const {
    if (!textLayoutValid_) {
        tk::WindowDC screen(nullptr);
        tk::TCanvas canvas(screen.Get());
        textLayout_ = LayOutPanelTexts(PaintState(), canvas);
        textLayoutValid_ = true;
    }
    const PanelAnchorHit hit = FindPanelAnchor(textLayout_, {x, y}, caption_->Visible(),
                                               caption_->Position(), caption_->Height());
    if (!hit.Box) return {{}, {}, -1, hit.InCaption};
    return {hit.Box->Target, hit.Box->Rect, hit.Box->Number, hit.InCaption};
}

void TCustomAdvPanel::InvalidateAnchor(const tk::TRect& r) {
    if (!HandleAllocated()) return;
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    InvalidateRect(Handle(), &rc, TRUE);
}

void TCustomAdvPanel::SetPanelCursor(tk::TCursor cursor) {
    SetCursor(cursor);
    if (!HandleAllocated()) return;
    // Shown at once when the mouse is over the panel, not only at its next move.
    POINT pt;
    if (GetCursorPos(&pt) && WindowFromPoint(pt) == Handle())
        SendMessageW(Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TCustomAdvPanel::EnterAnchor(const AnchorHit& hit) {
    if (Cursor() == normalCursor_ || hit.Target != lastAnchor_) {
        if (AnchorHint) tk::CancelHint();
        SetPanelCursor(tk::crHandPoint);
        if (OnAnchorEnter) OnAnchorEnter(this, hit.Target);
        if (look_.Hover) InvalidateAnchor(hit.Rect);
    }
    lastAnchor_ = hit.Target;
}

// An anchor is entered when the mouse comes onto another target, another box of it (an anchor
// that wraps has one per line) or back onto it after it stopped being hot. With Hover the old and
// the new box are painted again.
void TCustomAdvPanel::TrackAnchor(AnchorTrack& track, AnchorTrack& other, const AnchorHit& hit) {
    ClearHotAnchor(other);
    if (!hit.Target.empty()) {
        const bool entered =
            hit.Target != lastAnchor_ || hit.Rect != track.Rect || hit.Number != track.Hot;
        track.Hot = hit.Number;
        if (!entered) return;
        if (look_.Hover) {
            InvalidateAnchor(Grown(track.Rect)); // the box that was hot
            InvalidateAnchor(hit.Rect);
        }
        EnterAnchor(hit);
        track.Rect = hit.Rect;
    } else if (Cursor() == tk::crHandPoint) {
        SetPanelCursor(normalCursor_);
        if (OnAnchorExit) OnAnchorExit(this, hit.Target); // always empty here
        ClearHotAnchor(track);
    }
}

// An anchor's box is painted again a pixel larger on every side: its focus frame lies there.
void TCustomAdvPanel::ClearHotAnchor(AnchorTrack& track) {
    if (track.Hot == -1) return;
    track.Hot = -1;
    track.Rect = Grown(track.Rect);
    if (look_.Hover) InvalidateAnchor(track.Rect);
}

int TCustomAdvPanel::HintShow(tk::THintInfo& info) {
    if (!AnchorHint) return 0;
    std::string anchor = AnchorAt(info.CursorPos.X, info.CursorPos.Y).Target;
    if (anchor.empty()) return 0; // the panel's own Hint, as usual
    if (OnAnchorHint) OnAnchorHint(this, anchor);
    POINT cursor{info.CursorPos.X, info.CursorPos.Y};
    if (HandleAllocated()) ClientToScreen(Handle(), &cursor);
    info.HintPos = AnchorHintPos({cursor.x, cursor.y});
    info.HintStr = anchor;
    return 0;
}

} // namespace advpanel
