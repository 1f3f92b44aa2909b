// Collapsing the panel to its caption strip and expanding it again, with an optional animation
// that processes pending messages between its steps.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/collapse/collapse_steps.h"
#include "toolkit/forms/application.h"
#include "toolkit/base/scope_exit.h"

namespace advpanel {

CollapseFrame TCustomAdvPanel::MakeCollapseFrame() const {
    CollapseFrame f;
    f.Position = caption_->Position();
    f.CaptionHeight = caption_->Height();
    f.StatusBarHeight = statusBar_->Visible() ? statusBar_->Height() : 0;
    f.BorderWidth = BorderWidth();
    f.Steps = CollapsSteps;
    return f;
}

int TCustomAdvPanel::Extent() const {
    return caption_->Position() == TCaptionPosition::cpLeft ? Width() : Height();
}

void TCustomAdvPanel::SetExtent(int extent) {
    if (caption_->Position() == TCaptionPosition::cpLeft)
        SetPanelWidth(extent);
    else
        SetPanelHeight(extent);
}

void TCustomAdvPanel::AnimationStep(int extent) {
    SetExtent(extent);
    if (tk::Application) tk::Application->ProcessMessages();
    NotifyGroup();
    Sleep(static_cast<DWORD>(CollapsDelay > 0 ? CollapsDelay : 0));
}

void TCustomAdvPanel::Collapse() {
    const CollapseFrame f = MakeCollapseFrame();
    fullHeight_ = Extent();
    if (AutoHideChildren) SetChildrenVisible(false);
    expandedColor_ = Color();
    if (f.Steps > 0) {
        SetColor(CollapsColor);
        const int step = CollapseStep(f, Extent());
        for (int i = 0; i < f.Steps; ++i)
            AnimationStep(Extent() - step);
    }
    SetExtent(CollapsedExtent(f));
}

void TCustomAdvPanel::Expand() {
    const CollapseFrame f = MakeCollapseFrame();
    if (f.Steps > 0) {
        SetColor(expandedColor_);
        const int step = ExpandStep(f, fullHeight_);
        for (int i = 0; i < f.Steps; ++i)
            AnimationStep(Extent() + step);
    }
    SetExtent(fullHeight_);
    if (AutoHideChildren) SetChildrenVisible(true);
}

void TCustomAdvPanel::SetCollaps(bool v) {
    if (collaps_ && !v && OnMaximize) OnMaximize(this);
    if (v && !collaps_ && OnMinimize) OnMinimize(this);
    if (collapsing_) return;
    if (v != collaps_) {
        // The animation hands messages out: the panel must outlive it even if it is closed.
        GateScope busy(releaseGate_, [this] { PostRelease(); });
        collapsing_ = true;
        tk::ScopeExit endCollapsing([this] { collapsing_ = false; });
        collaps_ = v;
        if (!Loading()) {
            if (v)
                Collapse();
            else
                Expand();
            NotifyGroup();
        }
    }
    PanelStateChanged();
    if (OnEndCollapsExpand) OnEndCollapsExpand(this);
}

} // namespace advpanel
