#include "glGBtn.h"

#include "toolkit/component_reader.h"

namespace glgbtn {

TglGraphicButton::TglGraphicButton(tk::TComponent* owner) : tk::TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    for (tk::TBitmap& glyph : glyphs_) glyph.OnChange = [this] { Repaint(); };
}

void TglGraphicButton::Paint(tk::TCanvas& canvas) { canvas.Draw(0, 0, CurrentGlyph()); }

bool TglGraphicButton::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                    tk::LayoutReader& reader) {
    if (name == "Transparent") {
        Transparent = reader.Bool(value);
        return true;
    }
    return tk::TGraphicControl::ReadProperty(name, value, reader);
}

tk::TPersistent* TglGraphicButton::SubObject(std::string_view name) {
    if (name == "GlyphActive") return &glyphs_[0];
    if (name == "GlyphPassive") return &glyphs_[1];
    if (name == "GlyphPushed") return &glyphs_[2];
    return tk::TGraphicControl::SubObject(name);
}

} // namespace glgbtn
