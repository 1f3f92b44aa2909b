#include "glyph_state.h"

namespace glgbtn {

TButtonState NextState(TButtonState s, TButtonInput input, TGlyphHit hit) {
    switch (input) {
    case TButtonInput::Move:
        if (hit == TGlyphHit::NoGlyph) break;
        s.OverGlyph = hit == TGlyphHit::On;
        if (!s.OverGlyph)
            s.Glyph = TGlyphState::Passive;
        else
            s.Glyph = s.Held ? TGlyphState::Pushed : TGlyphState::Active;
        break;
    case TButtonInput::LeftPress:
        // Only a button that shows the pointer over its picture can be pushed.
        if (s.Glyph != TGlyphState::Passive) {
            s.Held = true;
            s.Glyph = TGlyphState::Pushed;
        }
        break;
    case TButtonInput::OtherPress:
        break;
    case TButtonInput::Release:
        s.Held = false;
        s.Glyph = s.Glyph == TGlyphState::Pushed ? TGlyphState::Active : TGlyphState::Passive;
        break;
    case TButtonInput::Leave:
        s.Glyph = TGlyphState::Passive;
        break;
    }
    return s;
}

} // namespace glgbtn
