// Renders the caption shade texture into the panel's ShadeBitmap.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/shading/caption_shade.h"

#include <windows.h>

namespace advpanel {
namespace {

// A new seed for every rebuild: the high-resolution counter, or the tick count without one.
std::uint32_t FreshSeed() {
    LARGE_INTEGER counter{};
    if (QueryPerformanceCounter(&counter)) return static_cast<std::uint32_t>(counter.QuadPart);
    return GetTickCount();
}

// One generator for the program, as the run-time keeps one.
ShadeRandom& ProgramRandom() {
    static ShadeRandom random;
    return random;
}

} // namespace

void TCustomAdvPanel::RebuildCaptionShade() {
    const TPanelCaption& c = *caption_;
    CaptionShadeInput input;
    input.Color = static_cast<tk::TColor>(tk::ColorToRGB(c.Color()));
    input.ShadeLight = c.ShadeLight();
    input.ShadeGrain = c.ShadeGrain();
    input.ShadeType = c.ShadeType();
    input.Position = c.Position();
    input.PanelWidth = Width();
    input.PanelHeight = Height();
    input.CaptionHeight = c.Height();
    ShadeRandom& random = ProgramRandom();
    random.Seed(FreshSeed());
    const ShadePixels pixels = RenderCaptionShade(input, random);
    shadeBitmap_->SetPixels(pixels.Width(), pixels.Height(), pixels.Data().data());
}

} // namespace advpanel
