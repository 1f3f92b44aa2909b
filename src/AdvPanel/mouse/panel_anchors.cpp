// Anchors in the panel's texts: which one lies under the mouse, the hand cursor and the enter and
// exit events while the mouse moves over them, and their hints.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/paint/panel_paint.h"
#include "AdvPanel/paint/panel_paint_state.h"
#include "toolkit/hints.h"
#include "toolkit/win_handles.h"

namespace advpanel {

TCustomAdvPanel::AnchorHit TCustomAdvPanel::AnchorAt(int x, int y) {
    if (!textLayoutValid_) {
        tk::WindowDC screen(nullptr);
        tk::TCanvas canvas(screen.Get());
        textLayout_ = LayOutPanelTexts(PaintState(), canvas);
        textLayoutValid_ = true;
    }
    const PanelAnchorHit hit =
        FindPanelAnchor(textLayout_, {x, y}, caption_->Visible(), caption_->Position(),
                        caption_->Height());
    if (!hit.Box) return {};
    (hit.InCaption ? hotCaptionAnchor_ : hotBodyAnchor_) = hit.Box->Number;
    return {hit.Box->Target, hit.Box->Rect};
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
        SendMessageA(Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TCustomAdvPanel::EnterAnchor(const AnchorHit& hit) {
    if (Cursor() == normalCursor_ || hit.Target != lastAnchor_) {
        if (AnchorHint) tk::CancelHint();
        SetPanelCursor(tk::crHandPoint);
        if (OnAnchorEnter) OnAnchorEnter(this, hit.Target);
        if (Hover) InvalidateAnchor(hit.Rect);
    }
    lastAnchor_ = hit.Target;
}

void TCustomAdvPanel::TrackCaptionAnchor(const AnchorHit& hit) {
    if (hotBodyAnchor_ != -1) {
        if (Hover) InvalidateAnchor(bodyAnchorRect_);
        hotBodyAnchor_ = -1;
        prevHotBodyAnchor_ = -1;
    }
    if (!hit.Target.empty()) {
        if (hit.Target != lastAnchor_ || hit.Rect != captionAnchorRect_ ||
            hotCaptionAnchor_ == -1) {
            if (!lastAnchor_.empty() && Hover) InvalidateAnchor(captionAnchorRect_);
            if (Hover) InvalidateAnchor(hit.Rect);
            EnterAnchor(hit);
            captionAnchorRect_ = hit.Rect;
        }
    } else if (Cursor() == tk::crHandPoint) {
        SetPanelCursor(normalCursor_);
        if (OnAnchorExit) OnAnchorExit(this, hit.Target); // always empty here
        hotCaptionAnchor_ = -1;
        if (Hover) InvalidateAnchor(captionAnchorRect_);
    }
}

void TCustomAdvPanel::TrackBodyAnchor(const AnchorHit& hit) {
    if (hotCaptionAnchor_ != -1) {
        hotCaptionAnchor_ = -1;
        if (Hover) InvalidateAnchor(captionAnchorRect_);
    }
    if (!hit.Target.empty()) {
        if (hit.Target != lastAnchor_ || hit.Rect != bodyAnchorRect_ || hotBodyAnchor_ == -1 ||
            hotBodyAnchor_ != prevHotBodyAnchor_) {
            bodyAnchorRect_ = Grown(bodyAnchorRect_);
            if (Hover) {
                InvalidateAnchor(bodyAnchorRect_);
                InvalidateAnchor(hit.Rect);
            }
            EnterAnchor(hit);
            bodyAnchorRect_ = hit.Rect;
            prevHotBodyAnchor_ = hotBodyAnchor_;
        }
    } else if (Cursor() == tk::crHandPoint) {
        SetPanelCursor(normalCursor_);
        if (OnAnchorExit) OnAnchorExit(this, hit.Target); // always empty here
        bodyAnchorRect_ = Grown(bodyAnchorRect_);
        hotBodyAnchor_ = -1;
        prevHotBodyAnchor_ = -1;
        if (Hover) InvalidateAnchor(bodyAnchorRect_);
    }
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
