// Sizing the panel to its text, and the panel group that stacks its panels.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/panel_autosize_rules.h"
#include "AdvPanel/markup/html_render.h"
#include "toolkit/win_handles.h"

namespace advpanel {

void TCustomAdvPanel::ApplyAutoSize() {
    if (!autoSize_->Enabled()) return;
    AutoSizeFrame f;
    f.Width = Width();
    f.Height = Height();
    f.SizeWidth = autoSize_->Width;
    f.SizeHeight = autoSize_->Height;
    f.BevelWidth = BevelWidth();
    f.BorderWidth = BorderWidth();
    f.Indent = indent_;
    f.TopIndent = topIndent_;
    f.CaptionPosition = caption_->Position();
    f.CaptionVisible = caption_->Visible();
    f.CaptionHeight = caption_->Height();
    f.StatusBarVisible = statusBar_->Visible();
    f.StatusBarHeight = statusBar_->Height();

    HtmlRenderParams params;
    params.Text = Text;
    params.Rect = AutoSizeMeasureRect(f);
    params.MeasureOnly = true;
    params.Images = images_;
    params.PictureContainer = pictureContainer_;
    params.PictureCache = pictureCache_.get();
    params.LineSpacing = lineSpacing_;
    params.ShadowOffset = shadowOffset_;
    params.Hover = Hover;
    params.URLColor = urlColor_;
    params.HoverColor = HoverColor;
    params.HoverFontColor = HoverFontColor;
    params.ShadowColor = shadowColor_;
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
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{arranging_ = true};
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

} // namespace advpanel
