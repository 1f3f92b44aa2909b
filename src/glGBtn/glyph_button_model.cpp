#include "glyph_button_model.h"

#include <utility>

namespace glgbtn {

void TGlyphButtonModel::SetGlyph(TGlyphState which, TGlyphPixels pixels) {
    glyphs_[static_cast<int>(which)] = std::move(pixels);
}

const TGlyphPixels& TGlyphButtonModel::Pixels(TGlyphState which) const {
    return glyphs_[static_cast<int>(which)];
}

bool TGlyphButtonModel::Move(int x, int y, int buttonWidth, int buttonHeight) {
    return Apply(TButtonInput::Move,
                 GlyphHitTest(Pixels(state_.Glyph), buttonWidth, buttonHeight, x, y));
}

bool TGlyphButtonModel::Press(bool leftOnEnabledButton) {
    return Apply(leftOnEnabledButton ? TButtonInput::LeftPress : TButtonInput::OtherPress);
}

bool TGlyphButtonModel::Release() {
    return Apply(TButtonInput::Release);
}

bool TGlyphButtonModel::Leave() {
    return Apply(TButtonInput::Leave);
}

bool TGlyphButtonModel::Apply(TButtonInput input, TGlyphHit hit) {
    TGlyphState before = state_.Glyph;
    state_ = NextState(state_, input, hit);
    return state_.Glyph != before;
}

} // namespace glgbtn
