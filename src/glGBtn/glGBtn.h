#pragma once
// A windowless button drawn from three bitmaps: resting, hovered and pressed.
#include "toolkit/controls.h"

namespace glgbtn {

enum class TGlyphState : unsigned char { Active = 0, Passive = 1, Pushed = 2 };

class TglGraphicButton : public tk::TGraphicControl {
public:
    explicit TglGraphicButton(tk::TComponent* owner);
    const char* ClassName() const override { return "TglGraphicButton"; }

    tk::TBitmap& GlyphActive() { return glyphs_[0]; }
    tk::TBitmap& GlyphPassive() { return glyphs_[1]; }
    tk::TBitmap& GlyphPushed() { return glyphs_[2]; }
    TGlyphState State() const { return state_; }
    bool Transparent = true;

    void Paint(tk::TCanvas& canvas) override;

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;
    tk::TPersistent* SubObject(std::string_view name) override;

private:
    tk::TBitmap& CurrentGlyph() { return glyphs_[static_cast<int>(state_)]; }

    tk::TBitmap glyphs_[3];
    TGlyphState state_ = TGlyphState::Passive;
};

} // namespace glgbtn
