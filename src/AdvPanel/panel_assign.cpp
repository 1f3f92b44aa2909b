// Copying settings into a panel: from another panel, and from a styler's or group's settings.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/panel_settings.h"
#include "toolkit/exceptions.h"

namespace advpanel {

void TCustomAdvPanel::Assign(const tk::TPersistent& source) {
    const auto* src = dynamic_cast<const TCustomAdvPanel*>(&source);
    if (!src) throw tk::EInvalidCast();
    if (src == this) return;
    AnchorHint = src->AnchorHint;
    AutoHideChildren = src->AutoHideChildren;
    SetBackground(*src->background_);
    SetBackgroundPosition(src->backgroundPosition_);
    SetBevelInner(src->BevelInner());
    SetBevelOuter(src->BevelOuter());
    SetBevelWidth(src->BevelWidth());
    SetBorderColor(src->borderColor_);
    SetBorderShadow(src->borderShadow_);
    SetBorderStyle(src->BorderStyle());
    CanMove = src->CanMove;
    SetCanSize(src->canSize_);
    SetCaption(*src->caption_);
    CollapsColor = src->CollapsColor;
    CollapsDelay = src->CollapsDelay;
    CollapsSteps = src->CollapsSteps;
    SetColor(src->Color());
    SetColorTo(src->colorTo_);
    SetCursor(src->Cursor());
    SetEnabled(src->Enabled());
    Font().Assign(src->Font());
    FixedTop = src->FixedTop;
    FixedLeft = src->FixedLeft;
    FixedHeight = src->FixedHeight;
    FixedWidth = src->FixedWidth;
    FreeOnClose = src->FreeOnClose;
    SetPanelHeight(src->Height());
    HelpContext = src->HelpContext;
    Hint = src->Hint;
    Hover = src->Hover;
    HoverColor = src->HoverColor;
    HoverFontColor = src->HoverFontColor;
    SetImages(src->images_);
    SetParentColor(src->ParentColor());
    SetParentFont(src->ParentFont());
    ParentShowHint = src->ParentShowHint;
    SetPictureContainer(src->pictureContainer_);
    SetPopupMenu(src->popupMenu_);
    position_->Assign(*src->position_);
    SetStatusBar(*src->statusBar_);
    SetShadowColor(src->shadowColor_);
    SetShadowOffset(src->shadowOffset_);
    ShowHint = src->ShowHint;
    ShowMoveCursor = src->ShowMoveCursor;
    TabStop = src->TabStop;
    Tag = src->Tag;
    SetText(src->Text);
    SetTextVAlign(src->textVAlign_);
    SetURLColor(src->urlColor_);
    SetVisible(src->Visible());
}

void TCustomAdvPanel::ApplySettings(const TAdvPanelSettings& s) {
    AnchorHint = s.AnchorHint;
    AutoHideChildren = s.AutoHideChildren;
    SetBevelInner(s.BevelInner);
    SetBevelOuter(s.BevelOuter);
    SetBevelWidth(s.BevelWidth);
    SetBorderColor(s.BorderColor);
    SetBorderShadow(s.BorderShadow);
    SetBorderStyle(s.BorderStyle);
    SetBorderWidth(s.BorderWidth);
    CanMove = s.CanMove;
    SetCanSize(s.CanSize);
    SetCaption(s.Caption());
    SetCollaps(s.Collaps);
    CollapsColor = s.CollapsColor;
    CollapsDelay = s.CollapsDelay;
    CollapsSteps = s.CollapsSteps;
    SetColor(s.Color);
    SetColorTo(s.ColorTo);
    SetCursor(s.Cursor);
    Font().Assign(s.Font());
    FixedTop = s.FixedTop;
    FixedLeft = s.FixedLeft;
    FixedHeight = s.FixedHeight;
    FixedWidth = s.FixedWidth;
    Hover = s.Hover;
    HoverColor = s.HoverColor;
    HoverFontColor = s.HoverFontColor;
    SetIndent(s.Indent);
    SetShadowColor(s.ShadowColor);
    SetShadowOffset(s.ShadowOffset);
    ShowHint = s.ShowHint;
    ShowMoveCursor = s.ShowMoveCursor;
    SetStatusBar(s.StatusBar());
    SetTextVAlign(s.TextVAlign);
    SetTopIndent(s.TopIndent);
    SetURLColor(s.URLColor);
}

} // namespace advpanel
