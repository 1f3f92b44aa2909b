// The graphic button's state machine, its pixel hit test and the two together.
#include "glGBtn/glyph_button_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using glgbtn::NextState;
using glgbtn::TButtonInput;
using glgbtn::TButtonState;
using glgbtn::TGlyphButtonModel;
using glgbtn::TGlyphHit;
using glgbtn::TGlyphPixels;
using glgbtn::TGlyphState;

constexpr TGlyphState Active = TGlyphState::Active;
constexpr TGlyphState Passive = TGlyphState::Passive;
constexpr TGlyphState Pushed = TGlyphState::Pushed;
constexpr std::uint32_t kKey = 0x00FF00FF;
constexpr std::uint32_t kInk = 0x00123456;

// A glyph drawn from text rows: '#' is an opaque pixel, anything else the key colour, which is
// taken from the bottom-left pixel as the button does.
TGlyphPixels Glyph(std::initializer_list<std::string> rows) {
    TGlyphPixels g;
    g.Height = static_cast<int>(rows.size());
    for (const std::string& row : rows) {
        g.Width = static_cast<int>(row.size());
        for (char c : row)
            g.Colors.push_back(c == '#' ? kInk : kKey);
    }
    g.Key = g.Colors[static_cast<size_t>(g.Width) * static_cast<size_t>(g.Height - 1)];
    return g;
}

TButtonState S(TGlyphState glyph, bool held = false, bool over = false) {
    return {glyph, held, over};
}

// ---- The transition table ----

TEST(GraphicButtonStates, MovesFollowThePixelTestAndTheHeldFlag) {
    EXPECT_EQ(NextState(S(Passive), TButtonInput::Move, TGlyphHit::On), S(Active, false, true));
    EXPECT_EQ(NextState(S(Active, false, true), TButtonInput::Move, TGlyphHit::Off),
              S(Passive, false, false));
    EXPECT_EQ(NextState(S(Pushed, true, true), TButtonInput::Move, TGlyphHit::Off),
              S(Passive, true, false));
    EXPECT_EQ(NextState(S(Passive, true), TButtonInput::Move, TGlyphHit::On),
              S(Pushed, true, true));
    EXPECT_EQ(NextState(S(Pushed, true, true), TButtonInput::Move, TGlyphHit::On),
              S(Pushed, true, true));
    EXPECT_EQ(NextState(S(Active, false, true), TButtonInput::Move, TGlyphHit::On),
              S(Active, false, true));
}

TEST(GraphicButtonStates, AMoveOverAnEmptyGlyphChangesNothing) {
    for (TButtonState s :
         {S(Passive), S(Active, false, true), S(Pushed, true, true), S(Passive, true, false)})
        EXPECT_EQ(NextState(s, TButtonInput::Move, TGlyphHit::NoGlyph), s);
}

TEST(GraphicButtonStates, OnlyALeftPressOnAShowingButtonPushesIt) {
    EXPECT_EQ(NextState(S(Active, false, true), TButtonInput::LeftPress), S(Pushed, true, true));
    // Passive: the press came down on a key-colour pixel (or the glyph is empty).
    EXPECT_EQ(NextState(S(Passive), TButtonInput::LeftPress), S(Passive));
    // Right or middle presses, and presses on a disabled button, change nothing.
    EXPECT_EQ(NextState(S(Active, false, true), TButtonInput::OtherPress), S(Active, false, true));
    EXPECT_EQ(NextState(S(Passive), TButtonInput::OtherPress), S(Passive));
}

TEST(GraphicButtonStates, AReleaseEndsTheHoldAndShowsActiveOnlyAfterPushed) {
    EXPECT_EQ(NextState(S(Pushed, true, true), TButtonInput::Release), S(Active, false, true));
    EXPECT_EQ(NextState(S(Active, false, true), TButtonInput::Release), S(Passive, false, true));
    EXPECT_EQ(NextState(S(Passive, true, false), TButtonInput::Release), S(Passive));
}

TEST(GraphicButtonStates, LeavingTheRectangleRestsTheButtonButKeepsTheHold) {
    EXPECT_EQ(NextState(S(Active, false, true), TButtonInput::Leave).Glyph, Passive);
    EXPECT_EQ(NextState(S(Pushed, true, true), TButtonInput::Leave), S(Passive, true, true));
    EXPECT_EQ(NextState(S(Passive), TButtonInput::Leave), S(Passive));
}

// ---- The pixel hit test ----

TEST(GraphicButtonHitTest, CountsOnlyOpaquePixelsInsideTheGlyphAndTheButton) {
    TGlyphPixels g = Glyph({"..#", ".##", "..."});
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 2, 0), TGlyphHit::On);
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 1, 1), TGlyphHit::On);
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 0, 0), TGlyphHit::Off); // key colour
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 2, 2), TGlyphHit::Off);
    // Outside the glyph on every side, including left of and above it under capture.
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 3, 0), TGlyphHit::Off);
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 2, 3), TGlyphHit::Off);
    EXPECT_EQ(GlyphHitTest(g, 10, 10, -1, 1), TGlyphHit::Off);
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 1, -1), TGlyphHit::Off);
    // The part of the glyph that the button's edge clips away is not there to point at.
    EXPECT_EQ(GlyphHitTest(g, 2, 10, 2, 0), TGlyphHit::Off);
    EXPECT_EQ(GlyphHitTest(g, 10, 1, 1, 1), TGlyphHit::Off);
    EXPECT_EQ(GlyphHitTest(TGlyphPixels{}, 10, 10, 0, 0), TGlyphHit::NoGlyph);
}

TEST(GraphicButtonHitTest, ComparesWithTheKeyColourExactly) {
    TGlyphPixels g = Glyph({"..", ".."});
    g.Colors[0] = kKey ^ 1; // one step off in red only
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 0, 0), TGlyphHit::On);
    EXPECT_EQ(GlyphHitTest(g, 10, 10, 1, 0), TGlyphHit::Off);
}

// ---- The model: glyphs, state and input together ----

class GraphicButtonModel : public ::testing::Test {
protected:
    void SetAll(const TGlyphPixels& g) {
        for (TGlyphState s : {Active, Passive, Pushed})
            model_.SetGlyph(s, g);
    }
    bool Move(int x, int y) { return model_.Move(x, y, 105, 105); }
    TGlyphButtonModel model_;
};

TEST_F(GraphicButtonModel, HoverPressAndReleaseOverThePicture) {
    SetAll(Glyph({"##", ".."}));
    EXPECT_TRUE(Move(0, 0));
    EXPECT_EQ(model_.Glyph(), Active);
    EXPECT_FALSE(Move(1, 0)); // still over the picture: nothing to draw again
    EXPECT_TRUE(model_.Press(true));
    EXPECT_EQ(model_.State(), S(Pushed, true, true));
    EXPECT_TRUE(model_.Release());
    EXPECT_EQ(model_.State(), S(Active, false, true));
    EXPECT_TRUE(model_.Leave());
    EXPECT_EQ(model_.Glyph(), Passive);
}

TEST_F(GraphicButtonModel, WithoutGlyphsTheButtonNeverLeavesPassive) {
    EXPECT_FALSE(Move(5, 5));
    EXPECT_FALSE(model_.Press(true));
    EXPECT_FALSE(Move(6, 6));
    EXPECT_FALSE(model_.Release());
    EXPECT_FALSE(model_.Leave());
    EXPECT_EQ(model_.State(), S(Passive));
}

TEST_F(GraphicButtonModel, APressOnAKeyColourPixelDoesNotPush) {
    SetAll(Glyph({"#.", ".."}));
    Move(1, 0);
    EXPECT_FALSE(model_.Press(true));
    EXPECT_EQ(model_.State(), S(Passive));
    // Not held either: moving onto the picture now only activates it.
    Move(0, 0);
    EXPECT_EQ(model_.Glyph(), Active);
}

TEST_F(GraphicButtonModel, TestsTheGlyphOfTheCurrentState) {
    model_.SetGlyph(Passive, Glyph({"#..", "..."}));
    model_.SetGlyph(Active, Glyph({"###", "###", "###", "..."}));
    model_.SetGlyph(Pushed, Glyph({"#.", ".."}));
    // In Passive only the Passive glyph counts, even where the Active one is opaque.
    EXPECT_FALSE(Move(2, 0));
    EXPECT_EQ(model_.Glyph(), Passive);
    EXPECT_TRUE(Move(0, 0));
    EXPECT_EQ(model_.Glyph(), Active);
    // Once Active, the larger Active glyph decides.
    EXPECT_FALSE(Move(2, 2));
    EXPECT_EQ(model_.Glyph(), Active);
    model_.Press(true);
    // Pushed: the small Pushed glyph decides, so the same point is now off the picture.
    EXPECT_TRUE(Move(1, 0));
    EXPECT_EQ(model_.State(), S(Passive, true, false));
}

TEST_F(GraphicButtonModel, ARightPressDoesNotPushAndItsReleaseRestsTheButton) {
    SetAll(Glyph({"##", ".."}));
    Move(0, 0);
    EXPECT_FALSE(model_.Press(false));
    EXPECT_EQ(model_.State(), S(Active, false, true));
    EXPECT_TRUE(model_.Release());
    EXPECT_EQ(model_.Glyph(), Passive);
    // The next move decides again.
    EXPECT_TRUE(Move(1, 0));
    EXPECT_EQ(model_.Glyph(), Active);
}

TEST_F(GraphicButtonModel, DraggingOffThePictureOnAnySideRestsAndDraggingBackPushes) {
    SetAll(Glyph({"###", "###", "###", "..."}));
    const int offPoints[][2] = {{-1, 1}, {1, -1}, {3, 1}, {1, 3}, {-20, -20}, {200, 200}};
    for (const auto& p : offPoints) {
        SCOPED_TRACE(std::to_string(p[0]) + "," + std::to_string(p[1]));
        Move(1, 1);
        model_.Press(true);
        ASSERT_EQ(model_.Glyph(), Pushed);
        EXPECT_TRUE(Move(p[0], p[1]));
        EXPECT_EQ(model_.State(), S(Passive, true, false));
        EXPECT_TRUE(Move(1, 1));
        EXPECT_EQ(model_.Glyph(), Pushed);
        Move(p[0], p[1]);
        // Released off the picture: the button stays at rest.
        EXPECT_FALSE(model_.Release());
        EXPECT_EQ(model_.State(), S(Passive));
    }
}

} // namespace
