#pragma once
// The note under a high-contrast theme: the system's colours instead of its own look, while the
// theme is on; its own look again when it is turned off.
#include "AdvPanel/AdvPanel.h"
#include "toolkit/controls/stdctrls.h"

#include <vector>

namespace note {

class NoteContrast {
public:
    // Takes the layout's colours of the panel, the memo and the glyphs; `pin` is one of the
    // glyphs, whose colour follows the pin state.
    NoteContrast(advpanel::TAdvPanel& panel, tk::TMemo& memo, std::vector<tk::TLabel*> glyphs,
                 tk::TLabel& pin);

    bool On() const { return on_; }
    // Reads the setting and paints accordingly; the system's colours may have changed as well.
    void Update(bool pinned);
    // The pin glyph's colour: `own` (the note's own for the state, kept for when the theme is
    // turned off) unless the theme is on.
    tk::TColor PinColor(tk::TColor own, bool pinned);

private:
    struct OwnLook {
        tk::TColor PanelColor, CaptionColor, CaptionColorTo, MemoColor, MemoText;
        advpanel::PanelLook Look;
        std::vector<tk::TColor> Glyphs;
    };
    void Apply(bool on, bool pinned);

    advpanel::TAdvPanel& panel_;
    tk::TMemo& memo_;
    std::vector<tk::TLabel*> glyphs_;
    tk::TLabel& pin_;
    OwnLook own_;
    tk::TColor ownPin_ = 0; // the pin's own colour for its state
    bool on_ = false;
};

} // namespace note
