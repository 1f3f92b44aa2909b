#include "AdvPanel/paint/caption_button_geometry.h"

namespace advpanel {
namespace {

bool OnTop(ButtonEnd end) {
    return end.Position == TCaptionPosition::cpTop;
}
bool AtRight(ButtonEnd end) {
    return end.Button == TCaptionButtonPosition::cbpRight;
}

} // namespace

void ShrinkAtButtonEnd(tk::TRect& k, ButtonEnd end, int size) {
    if (OnTop(end)) {
        if (AtRight(end))
            k.Right -= size;
        else
            k.Left += size;
    } else {
        if (AtRight(end))
            k.Top += size;
        else
            k.Bottom -= size;
    }
}

tk::TRect ThemedButtonBox(const tk::TRect& k, ButtonEnd end) {
    if (OnTop(end))
        return AtRight(end) ? tk::TRect{k.Right - 16, k.Top + 4, k.Right - 2, k.Top + 18}
                            : tk::TRect{k.Left + 2, k.Top + 4, k.Left + 16, k.Top + 18};
    return AtRight(end) ? tk::TRect{k.Left + 4, k.Top + 2, k.Left + 18, k.Top + 16}
                        : tk::TRect{k.Left + 4, k.Bottom - 16, k.Left + 18, k.Bottom - 2};
}

tk::TPoint GlyphOrigin(const tk::TRect& k, ButtonEnd end, int glyphWidth, int glyphHeight) {
    if (OnTop(end))
        return AtRight(end) ? tk::TPoint{k.Right - glyphWidth, k.Top + 2}
                            : tk::TPoint{k.Left, k.Top + 2};
    return AtRight(end) ? tk::TPoint{k.Left + 2, k.Top}
                        : tk::TPoint{k.Left + 2, k.Bottom - glyphHeight};
}

std::array<LineSegment, 2> CloseCross(const tk::TRect& k, ButtonEnd end) {
    if (OnTop(end) && AtRight(end))
        return {{{{k.Right - 10, k.Top + 4}, {k.Right - 4, k.Top + 10}},
                 {{k.Right - 4, k.Top + 4}, {k.Right - 10, k.Top + 10}}}};
    if (!OnTop(end) && !AtRight(end))
        return {{{{k.Left + 4, k.Bottom - 4}, {k.Left + 10, k.Bottom - 10}},
                 {{k.Left + 10, k.Bottom - 4}, {k.Left + 4, k.Bottom - 10}}}};
    return {{{{k.Left + 4, k.Top + 4}, {k.Left + 10, k.Top + 10}},
             {{k.Left + 10, k.Top + 4}, {k.Left + 4, k.Top + 10}}}};
}

std::array<tk::TPoint, 3> MinMaxTriangle(const tk::TRect& k, ButtonEnd end, bool collapsed) {
    const int l = k.Left, t = k.Top, r = k.Right, b = k.Bottom;
    if (OnTop(end)) {
        // A downward triangle when collapsed (base at row +5), upward otherwise (base at +8).
        const int base = collapsed ? t + 5 : t + 8, tip = collapsed ? t + 8 : t + 5;
        const int x0 = AtRight(end) ? r - 10 : l + 4;
        return {{{x0, base}, {x0 + 6, base}, {x0 + 3, tip}}};
    }
    // Pointing right when collapsed (base at column +5), left otherwise (base at +8).
    const int base = collapsed ? l + 5 : l + 8, tip = collapsed ? l + 8 : l + 5;
    if (AtRight(end)) return {{{base, t + 10}, {base, t + 4}, {tip, t + 7}}};
    return {{{base, b - 4}, {base, b - 10}, {tip, b - 7}}};
}

tk::TRect CaptionTextRect(tk::TRect k, ButtonEnd end, const CaptionTextLayout& text) {
    const int reserved = 20 * ((text.CloseButton ? 1 : 0) + (text.MinMaxButton ? 1 : 0));
    ShrinkAtButtonEnd(k, end, reserved);
    if (OnTop(end)) {
        k.Bottom = k.Top + text.Height;
        k.Left += text.Indent;
        k.Top += text.TopIndent;
    } else {
        k.Right = k.Left + text.Height;
        k.Bottom -= text.Indent;
        k.Left += text.TopIndent;
    }
    return k;
}

} // namespace advpanel
