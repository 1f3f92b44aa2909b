#include "glGBtn.h"

#include "draw_glyph.h"
#include "toolkit/components/component_reader.h"

namespace glgbtn {

TglGraphicButton::TglGraphicButton(tk::TComponent* owner) : tk::TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    for (TGlyphState which : {TGlyphState::Active, TGlyphState::Passive, TGlyphState::Pushed})
        glyphs_[static_cast<int>(which)].OnChange = [this, which] { GlyphChanged(which); };
}

void TglGraphicButton::SetGlyph(TGlyphState which, const tk::TBitmap& image) {
    glyphs_[static_cast<int>(which)].Assign(image);
}

// The pixel hit test reads a changed glyph's pixels when the mouse next comes: a button that is
// never under the mouse (a hidden one) never decodes its glyphs.
void TglGraphicButton::GlyphChanged(TGlyphState which) {
    staleGlyphs_ |= 1u << static_cast<int>(which);
    Repaint();
}

void TglGraphicButton::ReadStaleGlyphs() {
    for (TGlyphState which : {TGlyphState::Active, TGlyphState::Passive, TGlyphState::Pushed})
        if (staleGlyphs_ & (1u << static_cast<int>(which)))
            model_.SetGlyph(which, ReadGlyphPixels(Glyph(which)));
    staleGlyphs_ = 0;
}

void TglGraphicButton::Paint(tk::TCanvas& canvas) {
    const tk::TBitmap& glyph = Glyph(State());
    if (glyph.Empty()) return;
    DrawGlyph(canvas.Handle(), glyph, 0, 0, GlyphKeyColor(glyph), Transparent,
              Enabled() ? TGlyphDrawStyle::Normal : TGlyphDrawStyle::Disabled);
}

// The button's own handling follows the event for presses, moves and releases (the click has
// come before the release already), and precedes it for leaving. A state change repaints the
// button's rectangle of its parent at once, so the parent's background comes first and the
// controls above the button stay on top.
void TglGraphicButton::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) {
    tk::TGraphicControl::MouseDown(button, shift, x, y);
    ReadStaleGlyphs();
    if (model_.Press(button == tk::TMouseButton::mbLeft && Enabled())) Repaint();
}

void TglGraphicButton::MouseMove(tk::TShiftState shift, int x, int y) {
    tk::TGraphicControl::MouseMove(shift, x, y);
    ReadStaleGlyphs();
    if (model_.Move(x, y, Width(), Height())) Repaint();
}

void TglGraphicButton::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) {
    tk::TGraphicControl::MouseUp(button, shift, x, y);
    if (model_.Release()) Repaint();
}

void TglGraphicButton::MouseLeave() {
    if (model_.Leave()) Repaint();
    tk::TGraphicControl::MouseLeave();
}

bool TglGraphicButton::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                    tk::LayoutReader& reader) {
    if (name == "Transparent") {
        Transparent = reader.Bool(value);
        return true;
    }
    return tk::TGraphicControl::ReadProperty(name, value, reader);
}

tk::TPersistent* TglGraphicButton::SubObject(std::string_view name) {
    if (name == "GlyphActive") return &glyphs_[static_cast<int>(TGlyphState::Active)];
    if (name == "GlyphPassive") return &glyphs_[static_cast<int>(TGlyphState::Passive)];
    if (name == "GlyphPushed") return &glyphs_[static_cast<int>(TGlyphState::Pushed)];
    return tk::TGraphicControl::SubObject(name);
}

} // namespace glgbtn
