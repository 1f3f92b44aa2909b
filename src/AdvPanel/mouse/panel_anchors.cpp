// Anchors in the panel's texts: which one lies under the mouse, the hand cursor and the enter and
// exit events while the mouse moves over them, and their hints.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/markup/html_render.h"
#include "toolkit/hints.h"
#include "toolkit/win_handles.h"

namespace advpanel {
namespace {

struct RenderOutcome {
    bool OverAnchor = false;
    HtmlRenderResult Result;
};

RenderOutcome Render(const tk::TFont& font, HtmlRenderParams& params) {
    RenderOutcome out;
    params.MeasureOnly = true;
    tk::WindowDC screen(nullptr);
    tk::TCanvas canvas(screen.Get());
    canvas.Font.Assign(font);
    out.OverAnchor = RenderHtmlText(canvas, params, out.Result);
    return out;
}

} // namespace

TCustomAdvPanel::AnchorHit TCustomAdvPanel::AnchorAt(int x, int y) {
    AnchorTextFrame f;
    f.Width = Width();
    f.Height = Height();
    f.HasBevel = BevelInner() != tk::TBevelCut::bvNone || BevelOuter() != tk::TBevelCut::bvNone;
    f.BevelWidth = BevelWidth();
    f.BorderShadow = borderShadow_;
    f.BorderWidth = BorderWidth();
    f.Indent = indent_;
    f.TopIndent = topIndent_;
    f.VAlign = textVAlign_;
    f.CaptionVisible = caption_->Visible();
    f.CaptionPosition = caption_->Position();
    f.CaptionHeight = caption_->Height();
    f.CaptionIndent = caption_->Indent();
    f.CaptionTopIndent = caption_->TopIndent();

    int textHeight = 0;
    if (textVAlign_ != TTextVAlignment::tvaTop) {
        HtmlRenderParams measure;
        measure.Text = Text;
        measure.Rect = AnchorTextArea(f);
        textHeight = Render(Font(), measure).Result.Height;
    }

    HtmlRenderParams params;
    params.Mouse = {x, y};
    params.URLColor = urlColor_;
    const bool inCaption =
        f.CaptionVisible && InCaptionBand({x, y}, f.CaptionPosition, f.CaptionHeight);
    if (inCaption) {
        // Only a caption on top shows its text.
        if (f.CaptionPosition != TCaptionPosition::cpTop) return {};
        params.Text = caption_->Text();
        params.Rect = CaptionTextRect(f, textHeight);
        const RenderOutcome out = Render(caption_->Font(), params);
        if (!out.OverAnchor) return {};
        hotCaptionAnchor_ = out.Result.MouseAnchor;
        return {out.Result.AnchorUnderMouse, out.Result.MouseAnchorRect};
    }
    params.Text = Text;
    params.Rect = BodyTextRect(f, textHeight);
    params.LineSpacing = lineSpacing_;
    params.Images = images_;
    params.PictureContainer = pictureContainer_;
    const RenderOutcome out = Render(Font(), params);
    if (!out.OverAnchor) return {};
    hotBodyAnchor_ = out.Result.MouseAnchor;
    return {out.Result.AnchorUnderMouse, out.Result.MouseAnchorRect};
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
