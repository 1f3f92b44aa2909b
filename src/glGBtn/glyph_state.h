#pragma once
// The graphic button's glyph state and how mouse input moves it. No operating system here.

namespace glgbtn {

enum class TGlyphState : unsigned char { Active = 0, Passive = 1, Pushed = 2 };

// What the pixel test of the current glyph found at the pointer.
enum class TGlyphHit {
    NoGlyph, // the current glyph is empty: nothing changes
    Off,     // outside the glyph, or on a pixel of its key colour
    On,      // on a pixel that differs from the key colour
};

enum class TButtonInput {
    Move,       // the pointer moved over the button (or anywhere while it holds the capture)
    LeftPress,  // the left button went down on an enabled button
    OtherPress, // any other press
    Release,    // any button came up
    Leave,      // the pointer left the button's rectangle
};

struct TButtonState {
    TGlyphState Glyph = TGlyphState::Passive;
    bool Held = false;      // a left press pushed the button and no release came yet
    bool OverGlyph = false; // the last pixel test's result
    bool operator==(const TButtonState&) const = default;
};

// The state after one input; `hit` matters for moves only.
TButtonState NextState(TButtonState state, TButtonInput input, TGlyphHit hit = TGlyphHit::NoGlyph);

} // namespace glgbtn
