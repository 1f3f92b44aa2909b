#pragma once
// The graphic button's behaviour without drawing: the pixels of its three glyphs, its state,
// and the input that changes it. No operating system here.
#include "glyph_hit.h"
#include "glyph_state.h"

#include <array>

namespace glgbtn {

class TGlyphButtonModel {
public:
    const TButtonState& State() const { return state_; }
    TGlyphState Glyph() const { return state_.Glyph; }

    void SetGlyph(TGlyphState which, TGlyphPixels pixels);
    const TGlyphPixels& Pixels(TGlyphState which) const;

    // Each returns whether the glyph state changed, so that the button must be drawn again.
    // A move is tested against the glyph of the current state.
    bool Move(int x, int y, int buttonWidth, int buttonHeight);
    bool Press(bool leftOnEnabledButton);
    bool Release();
    bool Leave();

private:
    bool Apply(TButtonInput input, TGlyphHit hit = TGlyphHit::NoGlyph);

    std::array<TGlyphPixels, 3> glyphs_;
    TButtonState state_;
};

} // namespace glgbtn
