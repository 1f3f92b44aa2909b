#include "AdvPanel/shading/caption_shade.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace advpanel;
using tk::RGBColor;
using tk::TColor;

namespace {

// A top caption w wide and h high. With a white caption colour every component of a pixel
// equals its level, so the expectations below are levels.
ShadePixels Shade(TShadeType type, int w, int h, int light = 200, std::uint32_t seed = 1,
                  TColor color = tk::clWhite, int grain = 0) {
    CaptionShadeInput in{color, light, grain, type, TCaptionPosition::cpTop, w, 500, h};
    ShadeRandom random(seed);
    return RenderCaptionShade(in, random);
}

struct Level {
    int X, Y, Value;
};
void ExpectLevels(const ShadePixels& p, std::initializer_list<Level> levels) {
    for (const Level& l : levels)
        EXPECT_EQ(p.Pixel(l.X, l.Y), RGBColor(l.Value, l.Value, l.Value)) << l.X << "," << l.Y;
}

} // namespace

TEST(CaptionShade, RandomStepsTheSeedBeforeEachDraw) {
    ShadeRandom r(1);
    // 1 * 134775813 + 1 = 134775814; * 100 = 13477581400, >> 32 = 3
    EXPECT_EQ(r.Random(100), 3u);
    // 134775814 * 134775813 + 1 = 18164519904586783 = 4229256 * 2^32 + 3698175007; >> 26 = 55
    EXPECT_EQ(r.Random(64), 55u);
    // 3698175007 * 134775813 + 1 mod 2^32 = 870078620; >> 26 = 12
    EXPECT_EQ(r.Random(64), 12u);
    EXPECT_EQ(r.Random(0), 0u); // still steps: 870078620 * 134775813 + 1 mod 2^32
    EXPECT_EQ(r.CurrentSeed(), 1172187917u);
}

TEST(CaptionShade, BitmapSizeFollowsCaptionPositionWithDefaultsForZero) {
    auto top = CaptionShadeSize(TCaptionPosition::cpTop, 300, 200, 30);
    EXPECT_EQ((std::vector{top.BitmapWidth, top.BitmapHeight, top.W, top.H}),
              (std::vector{300, 30, 300, 30}));
    auto zeroTop = CaptionShadeSize(TCaptionPosition::cpTop, 0, 200, 0);
    EXPECT_EQ((std::vector{zeroTop.BitmapWidth, zeroTop.W, zeroTop.H}), (std::vector{0, 100, 20}));
    auto left = CaptionShadeSize(TCaptionPosition::cpLeft, 300, 200, 30);
    EXPECT_EQ((std::vector{left.BitmapWidth, left.BitmapHeight}), (std::vector{30, 200}));
    auto zeroLeft = CaptionShadeSize(TCaptionPosition::cpLeft, 300, 0, 0);
    EXPECT_EQ((std::vector{zeroLeft.W, zeroLeft.H}), (std::vector{20, 100}));
    auto negative = CaptionShadeSize(TCaptionPosition::cpTop, -5, 200, -3);
    EXPECT_EQ((std::vector{negative.BitmapWidth, negative.BitmapHeight, negative.W}),
              (std::vector{0, 0, 100}));
}

TEST(CaptionShade, FlatTypesFillTheWholeBitmapWithTheCaptionColour) {
    const TColor c = RGBColor(10, 20, 30);
    for (TShadeType t : {TShadeType::stNormal, TShadeType::stXPCaption, TShadeType::stBitmap}) {
        ShadePixels p = Shade(t, 7, 3, 200, 1, c);
        EXPECT_EQ(p.Data(), std::vector<TColor>(21, c));
    }
}

TEST(CaptionShade, NoiseAndDiagonalShade) {
    // Seed 1, N = 64: draws 2, 55, 12, 17 (seeds 134775814, 3698175007, 870078620, 1172187917,
    // each >> 26), for (0,0), (0,1), (0,2) (row H: dropped) and (1,0).
    // level = 200 - (r + 128)/2: 200 - 65, 200 - 91, 200 - 72
    ExpectLevels(Shade(TShadeType::stNoise, 3, 2, 200, 1, tk::clWhite, 64),
                 {{0, 0, 135}, {0, 1, 109}, {1, 0, 128}});
    // t = 200 - 255 + 129x/10 + 129y/4, level = 200 - t/2 truncating toward zero:
    // (0,0) t = -55 -> -27; (5,2) t = -55 + 64 + 64 = 73; (9,3) t = -55 + 116 + 96 = 157
    ExpectLevels(Shade(TShadeType::stDiagShade, 10, 4), {{0, 0, 227}, {5, 2, 164}, {9, 3, 122}});
}

TEST(CaptionShade, ShadesAndTheirMirrorImages) {
    // level = 200 - (239(10 - x)/10 + 8)/2: x = 0 -> 123, x = 5 -> 63, x = 9 -> 15
    ShadePixels h = Shade(TShadeType::stHShade, 10, 4);
    ExpectLevels(h, {{0, 3, 77}, {5, 0, 137}, {9, 2, 185}});
    ShadePixels hi = Shade(TShadeType::stHShadeInv, 10, 4);
    ExpectLevels(hi, {{0, 1, 196}}); // the level of x = 10: 200 - 8/2
    for (int x = 1; x < 10; ++x)
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(hi.Pixel(10 - x, y), h.Pixel(x, y));

    // level = 200 - (239y/4 + 8)/4: y = 0 -> 2, y = 1 -> 67/4 = 16, y = 3 -> 187/4 = 46
    ShadePixels v = Shade(TShadeType::stVShade, 10, 4);
    ExpectLevels(v, {{3, 0, 198}, {9, 1, 184}, {0, 3, 154}});
    ShadePixels vi = Shade(TShadeType::stVShadeInv, 10, 4);
    ExpectLevels(vi, {{4, 0, 139}}); // the level of y = 4: 200 - 247/4
    for (int y = 1; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(vi.Pixel(x, 4 - y), v.Pixel(x, y));
}

TEST(CaptionShade, BumpsFollowTheCubeProfile) {
    // P(128) = (2097152/128)/128 = 128; P(-127) = (-2048383/128)/128 = -16002/128 = -125;
    // P(-102) = (-1061208/128)/128 = -8290/128 = -64; P(64) = 16; P(0) = 0.
    // stHBump x = 0: t = 128, v = 128*120/128 + 128 = 248; x = 9: t = -102, v = -60 + 128
    ExpectLevels(Shade(TShadeType::stHBump, 10, 4), {{0, 0, 76}, {5, 3, 136}, {9, 1, 166}});
    // stVBump y = 0: v = -15000/128 + 128 = 11; y = 2: t = 510/4 - 127 = 0
    ExpectLevels(Shade(TShadeType::stVBump, 10, 4), {{4, 0, 195}, {4, 2, 136}});
    // stSoftBump (0,0): (-125 + 128)*120/128 + 128 = 130; (9,0): (-125 - 64)*120/128 + 128
    // = -49, clamped to 8; (0,3): (16 + 128)*120/128 + 128 = 263, clamped to 247
    ExpectLevels(Shade(TShadeType::stSoftBump, 10, 4),
                 {{0, 0, 135}, {5, 2, 136}, {9, 0, 196}, {0, 3, 77}});
}

TEST(CaptionShade, HardBumpRoundsItsEndsAndSurvivesTinyBitmaps) {
    // First pass: y = 0: v = -125*112/128 + 128 = 19; y = 1: t = -64, v = -14 + 128;
    // y = 3: t = 64, v = 14 + 128. Ends: m = min(16, 12/6) = 2, q = 16/4 = 4,
    // e = dy*dy*2/4 + 6 - 2: rows 1 and 2 have e = 4, row 0 has e = 6 (untouched).
    // (11,1): dx = 5 > 4: 200 - (128/2 + 8)/2; (0,2), (1,2): dx + e < 0: 200 - (247 - 64x)/2
    ExpectLevels(Shade(TShadeType::stHardBump, 12, 4), {{0, 0, 191},
                                                        {11, 0, 191},
                                                        {5, 1, 143},
                                                        {5, 3, 129},
                                                        {11, 1, 164},
                                                        {0, 2, 77},
                                                        {1, 2, 109}});
    // Narrower than 6 (m = 0) or one row high (q = 0): the first pass alone.
    ExpectLevels(Shade(TShadeType::stHardBump, 5, 4), {{0, 0, 191}, {4, 0, 191}});
    ExpectLevels(Shade(TShadeType::stHardBump, 12, 1), {{0, 0, 191}, {11, 0, 191}});
}

TEST(CaptionShade, MetalStreaksRunInTheirDirectionAndDarkenUnderTheDiagonalPass) {
    // Seed 3, W = 2000, H = 6. The first streak's draws:
    //   3*134775813 + 1 = 404327440; *2000 = 808654880000 >> 32 = 188 = x0
    //   -> 2235038801; *6 = 13410232806 >> 32 = 3 = y0
    //   -> 3803820438; *3 = 11411461314 >> 32 = 2 = len
    //   -> 1776406511; *40 = 71056260440 >> 32 = 16: level 184
    // No later streak of this seed comes near it. Diagonal pass: t = 200 - blue + 120x/2000
    // + 120y/6 (120x/2000 = 11 here), level = 200 - t/2. Streak pixels: t = 16 + 11 + 20y;
    // white ground: t = -55 + 11 + 20y.
    ExpectLevels(Shade(TShadeType::stLMetal, 2000, 6, 200, 3),
                 {{188, 3, 157}, {189, 4, 147}, {187, 2, 167}, {187, 4, 182}, {189, 2, 202}});
    ExpectLevels(Shade(TShadeType::stRMetal, 2000, 6, 200, 3),
                 {{188, 3, 157}, {187, 4, 147}, {189, 2, 167}, {189, 4, 182}, {187, 2, 202}});
}

TEST(CaptionShade, RadialsMirrorAQuarterAndStayDefinedOnSquares) {
    // W = 10, H = 6: centre (5,3), normalising distance Round(sqrt(25 + 9)) = 6. (0,0): d = 6;
    // (9,5) mirrors (1,1): d = Round(sqrt(20)) = 4, 2/6*200 = 66.7; (8,3) mirrors (2,3): d = 3
    ExpectLevels(Shade(TShadeType::stIRadial, 10, 6),
                 {{5, 3, 200}, {0, 0, 0}, {9, 5, 67}, {8, 3, 100}});
    ExpectLevels(Shade(TShadeType::stORadial, 10, 6), {{5, 3, 0}, {9, 5, 133}, {1, 5, 133}});
    // Squares: 8 x 8 normalises by Round(sqrt(32)) = 6; 1 x 1 has centre = corner and uses 1.
    ExpectLevels(Shade(TShadeType::stIRadial, 8, 8), {{0, 0, 0}, {4, 4, 200}});
    ExpectLevels(Shade(TShadeType::stIRadial, 1, 1), {{0, 0, 200}});
    ExpectLevels(Shade(TShadeType::stORadial, 1, 1), {{0, 0, 0}});
}

TEST(CaptionShade, TintScalesTheColourAndKeepsLowBytesOfLightAndComponents) {
    const TColor c = RGBColor(100, 51, 255);
    // stVShade row 0, level 198: 100*198/255 = 77, 51*198/255 = 39, 255*198/255 = 198
    EXPECT_EQ(Shade(TShadeType::stVShade, 4, 4, 200, 1, c).Pixel(0, 0), RGBColor(77, 39, 198));
    // ShadeLight 300 counts as 44; stHShade x = 0: 44 - 123 = -79;
    // 100*-79/255 = -30 -> 226, 51*-79/255 = -15 -> 241, -79 -> 177
    EXPECT_EQ(Shade(TShadeType::stHShade, 10, 4, 300, 1, c).Pixel(0, 0), RGBColor(226, 241, 177));
    EXPECT_EQ(Shade(TShadeType::stSoftBump, 10, 4, 456).Data(), // 456 = 0x1C8 counts as 200
              Shade(TShadeType::stSoftBump, 10, 4, 200).Data());
}
