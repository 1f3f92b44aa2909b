#include "note_contrast.h"

#include "toolkit/system/high_contrast.h"

namespace note {

NoteContrast::NoteContrast(advpanel::TAdvPanel& panel, tk::TMemo& memo,
                           std::vector<tk::TLabel*> glyphs, tk::TLabel& pin)
    : panel_(panel), memo_(memo), glyphs_(std::move(glyphs)), pin_(pin) {
    own_.PanelColor = panel.Color();
    own_.CaptionColor = panel.Caption().Color();
    own_.CaptionColorTo = panel.Caption().ColorTo();
    own_.MemoColor = memo.Color();
    own_.MemoText = memo.Font().Color();
    own_.Look = panel.Look();
    for (tk::TLabel* glyph : glyphs_) own_.Glyphs.push_back(glyph->Font().Color());
}

void NoteContrast::Update(bool pinned) {
    const bool on = tk::HighContrastOn();
    if (on != on_) {
        Apply(on, pinned);
        return;
    }
    if (!on) return;
    // The theme's colours are system colours, read when painting: painting again shows new ones.
    memo_.Invalidate();
    panel_.Invalidate();
}

tk::TColor NoteContrast::PinColor(tk::TColor own, bool pinned) {
    ownPin_ = own;
    if (!on_) return own;
    return pinned ? tk::clHighlight : tk::clBtnText;
}

// With the theme: the memo in the window's colours, the body the window's colour without a
// gradient or a shadow, its border in the text colour, the caption strip in the button face's
// colour with the glyphs in its text colour (the pin, while pinned, in the highlight colour).
void NoteContrast::Apply(bool on, bool pinned) {
    if (on) ownPin_ = pin_.Font().Color();
    const tk::TColor ownPin = ownPin_;
    on_ = on;
    advpanel::PanelLook look = own_.Look;
    if (on) {
        look.ColorTo = tk::clNone;
        look.BorderColor = tk::clWindowText;
        look.BorderShadow = false;
    }
    panel_.SetColor(on ? tk::clWindow : own_.PanelColor);
    panel_.SetLook(look);
    panel_.Caption().SetColor(on ? tk::clBtnFace : own_.CaptionColor);
    panel_.Caption().SetColorTo(on ? tk::clNone : own_.CaptionColorTo);
    memo_.SetColor(on ? tk::clWindow : own_.MemoColor);
    memo_.Font().SetColor(on ? tk::clWindowText : own_.MemoText);
    for (size_t i = 0; i < glyphs_.size(); ++i)
        glyphs_[i]->Font().SetColor(on ? tk::clBtnText : own_.Glyphs[i]);
    pin_.Font().SetColor(PinColor(ownPin, pinned));
}

} // namespace note
