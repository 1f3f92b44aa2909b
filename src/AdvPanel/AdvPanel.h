#pragma once
// The gradient panel: a container with a caption strip, a status bar, a gradient background, a
// border with a drop shadow, and the area it leaves to its children.
#include "AdvPanel/collapse/collapse_steps.h"
#include "AdvPanel/markup/html_pictures.h"
#include "AdvPanel/model/panel_caption.h"
#include "AdvPanel/model/panel_look.h"
#include "AdvPanel/mouse/panel_hit_rules.h"
#include "AdvPanel/paint/panel_text_layout.h"
#include "AdvPanel/model/panel_position.h"
#include "AdvPanel/mouse/panel_release_gate.h"
#include "AdvPanel/model/panel_statusbar.h"
#include "toolkit/controls/extctrls.h"

#include <functional>
#include <memory>
#include <string>

namespace advpanel {

class TAdvPanelSettings;
class TAdvPanelStyler;
struct PanelPaintState;

// The panel's background picture.
class TAdvImage : public tk::TBitmap {
public:
    const char* ClassName() const override { return "TAdvImage"; }
};

using tk::TAnchorEvent;
using tk::TAnchorHintEvent;
using tk::TPaintEvent;

enum class TDragKind { dkDrag, dkDock };
enum class TDragMode { dmManual, dmAutomatic };

using TAnchors = unsigned;
constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;

// The behaviour settings are the panel's own plain fields (CanMove, FixedTop, ...); the look is
// one value that painting reads.
class TCustomAdvPanel : public tk::TCustomPanel, public PanelBehaviour {
public:
    explicit TCustomAdvPanel(tk::TComponent* owner);
    ~TCustomAdvPanel() override;
    const char* ClassName() const override { return "TCustomAdvPanel"; }

    // Owned sub-objects; assigning one copies into it.
    TPanelCaption& Caption() { return *caption_; }
    const TPanelCaption& Caption() const { return *caption_; }
    void SetCaption(const TPanelCaption& v) { caption_->Assign(v); }
    TPanelStatusBar& StatusBar() { return *statusBar_; }
    const TPanelStatusBar& StatusBar() const { return *statusBar_; }
    void SetStatusBar(const TPanelStatusBar& v) { statusBar_->Assign(v); }
    TPanelPosition& Position() { return *position_; }
    const TPanelPosition& Position() const { return *position_; }
    TAutoSize& AutoSize() { return *autoSize_; }
    const TAutoSize& AutoSize() const { return *autoSize_; }
    void SetAutoSize(const TAutoSize& v) { autoSize_->Assign(v); }
    TAdvImage& Background() { return *background_; }
    const TAdvImage& Background() const { return *background_; }
    void SetBackground(const tk::TBitmap& v) { background_->Assign(v); } // repaints

    // Properties whose change repaints the panel.
    const PanelLook& Look() const { return look_; }
    void SetLook(const PanelLook& v) { SetAndRepaint(look_, v); }
    tk::TColor ColorTo() const { return look_.ColorTo; }
    void SetColorTo(tk::TColor v) { SetAndRepaint(look_.ColorTo, v); }
    tk::TColor BorderColor() const { return look_.BorderColor; }
    void SetBorderColor(tk::TColor v) { SetAndRepaint(look_.BorderColor, v); }
    bool BorderShadow() const { return look_.BorderShadow; }
    void SetBorderShadow(bool v) { SetAndRepaint(look_.BorderShadow, v); }
    TGradientDirection GradientDirection() const { return look_.GradientDirection; }
    void SetGradientDirection(TGradientDirection v) { SetAndRepaint(look_.GradientDirection, v); }
    bool CanSize() const { return look_.CanSize; }
    void SetCanSize(bool v) { SetAndRepaint(look_.CanSize, v); }
    TBackGroundPosition BackgroundPosition() const { return look_.BackgroundPosition; }
    void SetBackgroundPosition(TBackGroundPosition v) {
        SetAndRepaint(look_.BackgroundPosition, v);
    }
    bool Ellipsis() const { return look_.Ellipsis; }
    void SetEllipsis(bool v) { SetAndRepaint(look_.Ellipsis, v); }
    int Indent() const { return look_.Indent; }
    void SetIndent(int v) { SetAndRepaint(look_.Indent, v); }
    int TopIndent() const { return look_.TopIndent; }
    void SetTopIndent(int v) { SetAndRepaint(look_.TopIndent, v); }
    int LineSpacing() const { return look_.LineSpacing; }
    void SetLineSpacing(int v) { SetAndRepaint(look_.LineSpacing, v); }
    TTextVAlignment TextVAlign() const { return look_.TextVAlign; }
    void SetTextVAlign(TTextVAlignment v) { SetAndRepaint(look_.TextVAlign, v); }
    tk::TColor ShadowColor() const { return look_.ShadowColor; }
    void SetShadowColor(tk::TColor v) { SetAndRepaint(look_.ShadowColor, v); }
    int ShadowOffset() const { return look_.ShadowOffset; }
    void SetShadowOffset(int v) { SetAndRepaint(look_.ShadowOffset, v); }
    tk::TColor URLColor() const { return look_.URLColor; }
    void SetURLColor(tk::TColor v) { SetAndRepaint(look_.URLColor, v); }
    bool Hover() const { return look_.Hover; }
    void SetHover(bool v) { SetAndRepaint(look_.Hover, v); }
    tk::TColor HoverColor() const { return look_.HoverColor; }
    void SetHoverColor(tk::TColor v) { SetAndRepaint(look_.HoverColor, v); }
    tk::TColor HoverFontColor() const { return look_.HoverFontColor; }
    void SetHoverFontColor(tk::TColor v) { SetAndRepaint(look_.HoverFontColor, v); }

    // The body text: repaint, then size to it.
    const std::string& PanelText() const { return Text; }
    void SetText(const std::string& v);

    // References to components the panel does not own; cleared when those are destroyed.
    tk::TComponent* Images() const { return images_; }
    void SetImages(tk::TComponent* v);
    tk::TComponent* PictureContainer() const { return pictureContainer_; }
    void SetPictureContainer(tk::TComponent* v);
    tk::TComponent* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(tk::TComponent* v);
    // The pictures of "RES://" and "FILE://" sources in the panel's texts, loaded once.
    THTMLPictureCache* PictureCache() const { return pictureCache_.get(); }
    TAdvPanelStyler* Styler() const { return styler_; }
    // Applies the styler's settings at once unless loading.
    void SetStyler(TAdvPanelStyler* v);

    // Collapses the panel to its caption strip or expands it again, animated by CollapsSteps
    // and CollapsDelay; an assignment during a running animation only raises OnMinimize or
    // OnMaximize.
    bool Collaps() const { return collaps_; }
    void SetCollaps(bool v);
    bool Collapsing() const { return collapsing_; }
    int FullHeight() const { return fullHeight_; }

    // The panel's own size setters: an expanded panel remembers its full extent.
    void SetPanelHeight(int height);
    void SetPanelWidth(int width);

    // Always "1.7.0.0"; assignments are ignored.
    std::string Version() const;
    void SetVersion(const std::string&) {}

    // Plain fields: they take effect where they are next used.
    bool Buffered = true; // the toolkit's double buffering composes the panel off-screen
    bool FreeOnClose = false;
    // Standard control properties that only matter to docking, dragging and help.
    TAnchors Anchors = akLeft | akTop;
    bool DockSite = false;
    tk::TCursor DragCursor = tk::crDrag;
    TDragKind DragKind = TDragKind::dkDrag;
    TDragMode DragMode = TDragMode::dmManual;
    int HelpContext = 0;

    tk::TNotifyEvent OnCaptionClick, OnCaptionDBlClick, OnClose, OnMinimize, OnMaximize,
        OnEndCollapsExpand, OnEndMoveSize;
    TAnchorEvent OnAnchorClick, OnAnchorEnter, OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    TPaintEvent OnPaint;

    // Private state that painting and mouse handling share with this model.
    bool ThemesActive() const;
    bool XPOrLater() const { return xpOrLater_; }
    tk::TColor ExpandedColor() const { return expandedColor_; }
    tk::TPoint FixedOrigin() const { return fixedOrigin_; }
    tk::TPoint FixedSize() const { return fixedSize_; }
    tk::TPoint LastSize() const { return lastSize_; }
    tk::TCursor NormalCursor() const { return normalCursor_; }
    // The caption's shade texture, rendered when first asked for after a change.
    const tk::TBitmap& ShadeBitmap() const;
    bool MoveStarted() const { return moveStarted_; }
    bool CloseButtonHot() const { return closeButtonHot_; }
    bool MinMaxButtonHot() const { return minMaxButtonHot_; }
    int HotBodyAnchor() const { return bodyAnchor_.Hot; }
    int HotCaptionAnchor() const { return captionAnchor_.Hot; }
    const std::string& LastAnchor() const { return lastAnchor_; }
    tk::TRect BodyAnchorRect() const { return bodyAnchor_.Rect; }
    tk::TRect CaptionAnchorRect() const { return captionAnchor_.Rect; }

    // The side of the caption's close and min/max buttons.
    int CaptionButtonSize(ButtonSizeUse use = ButtonSizeUse::Other) const;
    // Where the caption's buttons lie with the panel's current settings.
    CaptionButtonLayout ButtonLayout(ButtonSizeUse use = ButtonSizeUse::Other) const;

    // The anchor under a client point: its target (empty for none), its rectangle and number
    // (counted from 1), and whether the point lies in the shown caption's band. A plain look-up:
    // only the mouse tracking makes an anchor hot. It reads where the last painting laid the
    // texts out, so only what is shown answers; after a change that painting has not caught up
    // with, the texts are laid out once as the next painting will lay them out.
    struct AnchorHit {
        std::string Target;
        tk::TRect Rect;
        int Number = -1;
        bool InCaption = false;
    };
    AnchorHit AnchorAt(int x, int y) const;

    // An anchor's hint shows the anchor's target (OnAnchorHint may change it) beside the cursor.
    int HintShow(tk::THintInfo& info) override;
    void MouseLeave() override;

    // Has ShadeBitmap rendered anew from the caption's shade settings when it is next asked for
    // (painting asks): a panel whose settings change several times, as a stored layout is
    // read, renders it once. The noise and metal textures differ from one rendering to the next.
    void InvalidateCaptionShade();
    // Called when the caption is shown or hidden; a panel group re-arranges its panels.
    virtual void PanelStateChanged() {}

    // Asks the panel group this panel lies on, if any, to re-arrange its panels.
    void NotifyGroup();
    // Sizes the panel to its text when AutoSize.Enabled is set.
    void ApplyAutoSize();
    // Write / read Top, Left, Height, FullHeight, Width and Collaps in the position store;
    // nothing when Position.Key or Position.Section is empty.
    void SavePosition();
    void RestorePosition();
    void SetChildrenVisible(bool visible);
    void ApplySettings(const TAdvPanelSettings& settings);
    // Copies another panel's settings; throws EInvalidCast for a source that is not a panel.
    void Assign(const tk::TPersistent& source);

    void SetBounds(int left, int top, int width, int height) override;
    // Also drops the texts' layout kept from the last painting.
    void Invalidate() override;

    // Everything painting reads from the panel.
    PanelPaintState PaintState() const;

protected:
    tk::TRect AlignArea() const override;
    void Paint(tk::TCanvas& canvas) override;
    void Loaded() override;
    void Resize() override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Notification(tk::TComponent* removed) override;
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;
    tk::TPersistent* SubObject(std::string_view name) override;

private:
    template <typename T> void SetAndRepaint(T& field, const T& value) {
        if (tk::StoreChanged(field, value)) Invalidate();
    }
    void SetReference(tk::TComponent*& field, tk::TComponent* value);
    void ResolveReferences();
    // The window's own client rectangle: the one area the panel paints in, lays its children out
    // in and answers the mouse in. A bsSingle border takes a pixel off every side.
    tk::TRect ClientArea() const;
    tk::TPoint ClientOriginOnScreen() const;
    tk::TPoint WindowOriginOnScreen() const;
    void OnSizing(WPARAM edge, RECT& proposed);
    void OnMoving(RECT& proposed);
    LRESULT OnHitTest(LRESULT toolkitResult, LPARAM screenPoint);
    void OnCaptionDoubleClick(LPARAM clientPoint);

    // Mouse handling (mouse/panel_mouse.cpp).
    void UpdateButtonHover(tk::TPoint p);
    // Returns false when the panel is closed and about to be destroyed: nothing may touch it.
    bool ReleaseOnCloseButton(tk::TPoint p, bool& toggleOnCaption);
    void SetPanelCursor(tk::TCursor cursor);
    // The hot anchor of one text the mouse tracks, the body's or the caption's: its number
    // (-1: none) and the rectangle invalidated for it.
    struct AnchorTrack {
        int Hot = -1;
        tk::TRect Rect;
    };
    void InvalidateAnchor(const tk::TRect& r);
    // Follows the mouse over the anchors of one text; the other text's anchor stops being hot.
    void TrackAnchor(AnchorTrack& track, AnchorTrack& other, const AnchorHit& hit);
    void EnterAnchor(const AnchorHit& hit);
    void ClearHotAnchor(AnchorTrack& track);
    // FreeOnClose: the panel is destroyed from a message of its own, once the mouse message that
    // closed it and any running animation of its own have returned.
    void PostRelease();

    // Collapse and expand (collapse/panel_collapse.cpp).
    CollapseFrame MakeCollapseFrame() const;
    int Extent() const;
    void SetExtent(int extent);
    void Collapse();
    void Expand();
    void AnimationStep(int extent);

    // Created and destroyed in this order (see the constructor and destructor).
    std::unique_ptr<TAdvImage> background_;
    std::unique_ptr<TPanelCaption> caption_;
    std::unique_ptr<TPanelPosition> position_;
    void RenderShadeBitmap() const;
    std::unique_ptr<tk::TBitmap> shadeBitmap_;
    mutable bool shadeStale_ = true;
    mutable int shadeWidth_ = -1; // the panel's width the texture was rendered at
    std::unique_ptr<TAutoSize> autoSize_;
    std::unique_ptr<TPanelStatusBar> statusBar_;
    std::unique_ptr<THTMLPictureCache> pictureCache_ = std::make_unique<THTMLPictureCache>();

    PanelLook look_;

    tk::TComponent* images_ = nullptr;
    tk::TComponent* pictureContainer_ = nullptr;
    tk::TComponent* popupMenu_ = nullptr;
    TAdvPanelStyler* styler_ = nullptr;
    // Names of referenced components read from a layout, resolved after loading.
    std::string imagesName_, pictureContainerName_, popupMenuName_, stylerName_;

    bool collaps_ = false;
    int fullHeight_ = 0;
    tk::TColor expandedColor_ = tk::clBtnFace;
    bool collapsing_ = false;
    bool moveStarted_ = false;
    bool closeButtonHot_ = false;
    bool minMaxButtonHot_ = false;
    tk::TCursor normalCursor_ = 0;
    tk::TPoint fixedOrigin_{0, 0};
    tk::TPoint fixedSize_{0, 0};
    tk::TPoint lastSize_{-1, -1};
    bool xpOrLater_ = false;
    AnchorTrack bodyAnchor_;
    AnchorTrack captionAnchor_;
    std::string lastAnchor_;
    ReleaseGate releaseGate_;
    // Where the last painting laid the texts out; a look-up that finds it out of date lays them
    // out the same way.
    mutable PanelTextLayout textLayout_;
    mutable bool textLayoutValid_ = false;
    // Posted to the panel's own window to destroy a panel closed with FreeOnClose.
    static constexpr UINT kReleaseMessage = WM_USER + 1;
};

class TAdvPanel : public TCustomAdvPanel {
public:
    using TCustomAdvPanel::TCustomAdvPanel;
    const char* ClassName() const override { return "TAdvPanel"; }
};

// A panel that stacks the panels placed on it one below the other.
class TAdvPanelGroup : public TAdvPanel {
public:
    using TAdvPanel::TAdvPanel;
    const char* ClassName() const override { return "TAdvPanelGroup"; }

    // Places the visible panels on it one below the other, each as wide as the group.
    void ArrangePanels();
    void PanelStateChanged() override { ArrangePanels(); }

private:
    bool arranging_ = false;
};

} // namespace advpanel
