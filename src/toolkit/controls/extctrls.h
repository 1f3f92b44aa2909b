#pragma once
// The plain panel: a container that paints bevels and a border of its own colour.
#include "stdctrls.h"
#include "win_control.h"

namespace tk {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

TBevelCut ReadBevelCut(LayoutReader& reader, const LayoutValue& value);

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);
    const char* ClassName() const override { return "TCustomPanel"; }

    TBevelCut BevelInner() const { return bevelInner_; }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    int BevelWidth() const { return bevelWidth_; }
    int BorderWidth() const { return borderWidth_; }
    void SetBevelInner(TBevelCut value);
    void SetBevelOuter(TBevelCut value);
    void SetBevelWidth(int value);
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    bool UseDockManager = true;
    bool Locked = false;
    // The window text, drawn centred by the plain panel.
    std::string Text;

    // `r` shrunk by the border width and then by the bevels that are drawn.
    TRect InsetForBorders(TRect r) const;

protected:
    void CreateParams(TCreateParams& params) override;
    TRect AlignArea() const override { return InsetForBorders(ClientRect()); }
    void Paint(TCanvas& canvas) override;
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;
    // A border or bevel setting changed: children re-align, the panel repaints.
    void BordersChanged();

private:
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
};

} // namespace tk
