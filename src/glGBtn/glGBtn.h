#pragma once
// A windowless button drawn from three bitmaps: resting, hovered and pressed. Only the pixels of
// the shown bitmap that differ from its key colour count as the button under the mouse.
#include "glyph_button_model.h"
#include "toolkit/controls/controls.h"

namespace glgbtn {

class TglGraphicButton : public tk::TGraphicControl {
public:
    explicit TglGraphicButton(tk::TComponent* owner);
    const char* ClassName() const override { return "TglGraphicButton"; }

    const tk::TBitmap& GlyphActive() const { return Glyph(TGlyphState::Active); }
    const tk::TBitmap& GlyphPassive() const { return Glyph(TGlyphState::Passive); }
    const tk::TBitmap& GlyphPushed() const { return Glyph(TGlyphState::Pushed); }
    // Each copies the image into the button's own bitmap and repaints the button at once.
    void SetGlyphActive(const tk::TBitmap& image) { SetGlyph(TGlyphState::Active, image); }
    void SetGlyphPassive(const tk::TBitmap& image) { SetGlyph(TGlyphState::Passive, image); }
    void SetGlyphPushed(const tk::TBitmap& image) { SetGlyph(TGlyphState::Pushed, image); }

    TGlyphState State() const { return model_.Glyph(); }
    bool Held() const { return model_.State().Held; }
    // Read at each painting; changing it draws nothing by itself.
    bool Transparent = true;

    void Paint(tk::TCanvas& canvas) override;
    // Leaving repaints; entering changes nothing: the next move decides by the pixels.
    void MouseLeave() override;

protected:
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;

    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;
    tk::TPersistent* SubObject(std::string_view name) override;

private:
    const tk::TBitmap& Glyph(TGlyphState which) const { return glyphs_[static_cast<int>(which)]; }
    void SetGlyph(TGlyphState which, const tk::TBitmap& image);
    void GlyphChanged(TGlyphState which);
    void ReadStaleGlyphs();

    tk::TBitmap glyphs_[3];
    TGlyphButtonModel model_;
    unsigned staleGlyphs_ = 0; // one bit per glyph whose pixels the model has not read yet
};

} // namespace glgbtn
