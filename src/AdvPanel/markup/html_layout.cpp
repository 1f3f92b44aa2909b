#include "AdvPanel/markup/html_layout.h"

#include "AdvPanel/markup/html_markup.h"
#include "toolkit/base/layout_scaling.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace advpanel {
namespace {

enum class Align { Left, Center, Right };
enum class Mode { Measure, Draw };

constexpr int kListIndent = 12;

// Everything a tag can change; copied at the start of each line so that the drawing pass can
// replay the line from the same state as its measuring pass.
struct TextState {
    HtmlFont Font;
    tk::TColor Background = tk::clNone;
    bool Shadow = false, Sub = false, Sup = false, Blink = false, Error = false, Hidden = false;
    bool InAnchor = false;
    int AnchorCount = 0; // anchors met so far, so the current anchor's number counted from 1
    std::string AnchorTarget;
    tk::TColor AnchorSavedColor = tk::clBlack, AnchorSavedBackground = tk::clNone;
    tk::TColor HighlightSavedColor = tk::clBlack, HighlightSavedBackground = tk::clNone;
    int ListLevel = 0;
    Align ParaAlign = Align::Left;
    int ParaIndent = 0;
    tk::TColor ParaColor = tk::clNone, ParaColorTo = tk::clNone;
};

struct ImageBox {
    std::size_t TagPos;
    int X; // from the pass's origin
    int Width, Height;
    bool InAnchor;
};

// What the measuring pass learns about a line.
struct LineInfo {
    std::size_t End = 0;
    int Width = 0;
    int Height = 0; // tallest piece, at least the "gh" height
    int GhHeight = 0;
    int SupExtra = 0, SubExtra = 0;
    int TextShift = 0; // images aligned TOP or MIDDLE move the line's text down
    Align LineAlign = Align::Left;
    int Indent = 0;
    tk::TColor ParaColor = tk::clNone, ParaColorTo = tk::clNone;
    std::vector<ImageBox> Images;
    std::vector<std::size_t> BodyTags; // drawn before anything else on the line
    TextState EndState;
};

struct Pass {
    Pass(Mode mode, const TextState& state, std::size_t pos, int origin)
        : PassMode(mode), St(state), Pos(pos), Origin(origin), X(origin + 1),
          LineStart(origin + 1) {}

    Mode PassMode;
    TextState St;
    std::size_t Pos;
    int Origin; // the rectangle's left edge, moved by the line's alignment when drawing
    int X;
    int LineStart; // one pixel right of the origin
    int Top = 0;
    const LineInfo* Line = nullptr; // drawing: what the measuring pass found
    LineInfo Info;                  // measuring: being found
    bool HasContent = false, EndsInSpace = false, Cut = false, Done = false, Captured = false;
    bool AlignTop = false, AlignMiddle = false, Rule = false;
    int TrailingSpace = 0;
    tk::TRect AnchorBox;
    std::vector<tk::TRect> AnchorPieces;
    bool AnchorBoxValid = false, AnchorHasMouse = false;
};

int ParseInt(const std::string& s) {
    long v = std::strtol(s.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(v, -100000, 100000));
}

tk::TRect Union(const tk::TRect& a, const tk::TRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// The next occurrence of one character, remembered: both passes walk each line, and a line walks
// its pieces, so plain searches from every piece would take quadratic time on long texts.
class NextChar {
public:
    explicit NextChar(char c) : c_(c) {}
    std::size_t From(const std::string& text, std::size_t pos) {
        if (pos < from_ || pos > at_) {
            from_ = pos;
            at_ = std::min(text.find(c_, pos), text.size());
        }
        return at_;
    }

private:
    char c_;
    std::size_t from_ = 1, at_ = 0; // nothing remembered yet
};

class HtmlEngine {
public:
    HtmlEngine(HtmlSurface& surface, const HtmlFont& baseFont, tk::TColor blinkColor,
               const HtmlRenderParams& params, HtmlRenderResult& result)
        : surface_(surface), base_(baseFont), blinkColor_(blinkColor), p_(params), r_(result),
          text_(PrepareHtmlText(params.Text)), avail_(params.Rect.Width() - 1) {}

    bool Run();

private:
    int GhHeight(const HtmlFont& f) { return surface_.TextSize(f, "gh").Y; }
    bool Drawing(const Pass& p) const { return p.PassMode == Mode::Draw && !p_.MeasureOnly; }
    bool Colours() const { return !p_.Selected; }

    LineInfo Measure(std::size_t pos, const TextState& start);
    void Draw(std::size_t pos, const TextState& start, const LineInfo& line, int origin, int top);
    int LineStartX(const LineInfo& line) const;
    void RememberAltImage(const LineInfo& line, int origin, int top);
    void Step(Pass& p);
    void Capture(Pass& p);
    void TextPiece(Pass& p);
    void PaintPiece(Pass& p, const std::string& shown, const tk::TRect& r);
    void Tag(Pass& p, std::size_t close);
    void Image(Pass& p, std::string_view tag, std::size_t close);
    void Anchor(Pass& p, std::string_view tag, bool closing);
    void Body(Pass& p, std::string_view tag);
    void Bullet(Pass& p);
    void EndLine(Pass& p, std::size_t next);
    void AnchorPiece(Pass& p, const tk::TRect& r);
    void FlushAnchorBox(Pass& p);
    int LineBottom(const Pass& p) const { return p.Top + p.Line->SupExtra + p.Line->Height; }
    tk::TRect Band(const Pass& p) const;
    std::string FitWithEllipsis(const HtmlFont& f, const std::string& piece, int room);
    std::optional<tk::TPoint> ImageSize(const std::string& src, std::string_view tag);

    HtmlSurface& surface_;
    HtmlFont base_;
    tk::TColor blinkColor_;
    const HtmlRenderParams& p_;
    HtmlRenderResult& r_;
    std::string text_;
    int avail_;
    NextChar nextTag_{'<'}, nextSpace_{' '};
    std::size_t altImagePos_ = std::string::npos;
    bool mouseOverAnchor_ = false;
};

bool HtmlEngine::Run() {
    r_ = {};
    TextState state;
    state.Font = base_;
    int top = p_.Rect.Top;
    std::size_t pos = 0;
    bool anyLine = false;
    while (pos < text_.size()) {
        if (anyLine && !p_.SizeOnly && top + GhHeight(state.Font) > p_.Rect.Bottom) break;
        LineInfo line = Measure(pos, state);
        if (!p_.SizeOnly) {
            int origin = LineStartX(line) - 1;
            RememberAltImage(line, origin, top);
            Draw(pos, state, line, origin, top);
        }
        int advance = line.Height + p_.LineSpacing + line.SupExtra + line.SubExtra;
        top += advance;
        r_.Height += advance;
        r_.Width = std::max(r_.Width, line.Width);
        state = line.EndState;
        pos = line.End;
        anyLine = true;
    }
    if (!anyLine) r_.Height = GhHeight(base_);
    r_.AnchorCount = state.AnchorCount;
    return mouseOverAnchor_;
}

int HtmlEngine::LineStartX(const LineInfo& line) const {
    const tk::TRect& rc = p_.Rect;
    int x = rc.Left + 1;
    if (line.LineAlign == Align::Right && rc.Right - line.Width > x) x = rc.Right - line.Width;
    if (line.LineAlign == Align::Center && (rc.Width() - line.Width) / 2 > 0)
        x = rc.Left + (rc.Width() - line.Width) / 2;
    return x + line.Indent;
}

// An image inside an anchor with the mouse over it is drawn from its ALT source.
void HtmlEngine::RememberAltImage(const LineInfo& line, int origin, int top) {
    int bottom = top + line.SupExtra + line.Height;
    for (const ImageBox& box : line.Images) {
        tk::TRect r{origin + box.X, bottom - box.Height, origin + box.X + box.Width, bottom};
        if (box.InAnchor && r.Contains(p_.Mouse)) altImagePos_ = box.TagPos;
    }
}

LineInfo HtmlEngine::Measure(std::size_t pos, const TextState& start) {
    Pass p(Mode::Measure, start, pos, p_.Rect.Left);
    p.Info.GhHeight = GhHeight(start.Font);
    p.Info.Height = p.Info.GhHeight;
    while (!p.Done && p.Pos < text_.size())
        Step(p);
    if (!p.Captured) Capture(p);
    LineInfo& info = p.Info;
    info.End = p.Pos;
    info.Width = std::max(0, p.X - p.LineStart - p.TrailingSpace);
    if (p.AlignTop)
        info.TextShift = info.Height - info.GhHeight;
    else if (p.AlignMiddle)
        info.TextShift = (info.Height - info.GhHeight) / 2;
    info.EndState = p.St;
    return std::move(info);
}

void HtmlEngine::Draw(std::size_t pos, const TextState& start, const LineInfo& line, int origin,
                      int top) {
    Pass p(Mode::Draw, start, pos, origin);
    p.Top = top;
    p.Line = &line;
    for (std::size_t bodyPos : line.BodyTags) {
        std::size_t close = text_.find('>', bodyPos);
        Body(p, std::string_view(text_).substr(bodyPos + 1, close - bodyPos - 1));
    }
    if (!p_.MeasureOnly && Colours() && line.ParaColor != tk::clNone) {
        if (line.ParaColorTo != tk::clNone)
            surface_.Gradient(Band(p), line.ParaColor, line.ParaColorTo, true);
        else
            surface_.FillRect(Band(p), line.ParaColor);
    }
    while (!p.Done && p.Pos < line.End && p.Pos < text_.size())
        Step(p);
    FlushAnchorBox(p);
    if (p.Rule && !p_.MeasureOnly) {
        int y = LineBottom(p);
        surface_.Polyline({{p_.Rect.Left, y}, {p_.Rect.Right, y}}, tk::clBlack);
    }
}

tk::TRect HtmlEngine::Band(const Pass& p) const {
    const LineInfo& l = *p.Line;
    return {p_.Rect.Left, p.Top, p_.Rect.Right,
            p.Top + l.Height + p_.LineSpacing + l.SupExtra + l.SubExtra};
}

void HtmlEngine::Step(Pass& p) {
    if (text_[p.Pos] != '<') {
        TextPiece(p);
        if (!p.Done) Capture(p);
        return;
    }
    std::size_t close = text_.find('>', p.Pos);
    if (close == std::string::npos) { // a tag without its end ends the text
        p.Pos = text_.size();
        return;
    }
    Tag(p, close);
    if (!p.Done) Capture(p);
}

// The line's alignment, indent and band colours, as the paragraph state stood last on it.
void HtmlEngine::Capture(Pass& p) {
    if (p.PassMode != Mode::Measure) return;
    p.Info.LineAlign = p.St.ParaAlign;
    p.Info.Indent = p.St.ParaIndent;
    p.Info.ParaColor = p.St.ParaColor;
    p.Info.ParaColorTo = p.St.ParaColorTo;
}

void HtmlEngine::EndLine(Pass& p, std::size_t next) {
    Capture(p);
    p.Captured = true;
    p.Done = true;
    p.Pos = next;
    if (p.PassMode == Mode::Measure) r_.PlainText += '\r';
}

void HtmlEngine::TextPiece(Pass& p) {
    std::size_t end = nextTag_.From(text_, p.Pos);
    if (p_.WordWrap) {
        std::size_t space = nextSpace_.From(text_, p.Pos);
        if (space < end) end = space + 1;
    }
    std::string piece = ReplaceLateEntities(std::string_view(text_).substr(p.Pos, end - p.Pos));
    tk::TPoint size = surface_.TextSize(p.St.Font, piece);
    bool hidden = p.St.Hidden;
    int width = hidden ? 0 : size.X;
    bool endsInSpace = !piece.empty() && piece.back() == ' ';
    int trailing = 0;
    if (endsInSpace && !hidden) {
        std::string trimmed = piece.substr(0, piece.find_last_not_of(' ') + 1);
        trailing = width - surface_.TextSize(p.St.Font, trimmed).X;
    }
    if (p.PassMode == Mode::Measure && p_.WordWrap && p.HasContent) {
        bool fits = p.X - p.LineStart + width - trailing < avail_;
        if (!fits && width < avail_ && p.EndsInSpace) {
            p.Done = true; // the piece starts the next line
            return;
        }
    }
    std::string shown = piece;
    if (!p_.WordWrap && !hidden) {
        int room = p_.Rect.Right - p.X;
        if (p.Cut || width > room) {
            shown = p.Cut ? std::string() : FitWithEllipsis(p.St.Font, piece, room);
            width = shown.empty() ? 0 : surface_.TextSize(p.St.Font, shown).X;
            trailing = 0;
            p.Cut = true;
        }
    }
    int offset = size.Y / 4;
    if (p.PassMode == Mode::Measure) {
        p.Info.Height = std::max(p.Info.Height, size.Y);
        if (p.St.Sub) p.Info.SubExtra = std::max(p.Info.SubExtra, offset);
        if (p.St.Sup) p.Info.SupExtra = std::max(p.Info.SupExtra, offset);
        r_.PlainText += VisiblePrefixText(piece);
    } else if (!hidden && width > 0) {
        int bottom =
            LineBottom(p) - p.Line->TextShift + (p.St.Sub ? offset : 0) - (p.St.Sup ? offset : 0);
        tk::TRect r{p.X, bottom - size.Y, p.X + width, bottom};
        if (Drawing(p)) PaintPiece(p, shown, r);
        if (p.St.InAnchor) AnchorPiece(p, r);
    }
    p.X += width;
    p.HasContent = true;
    p.EndsInSpace = endsInSpace;
    p.TrailingSpace = trailing;
    p.Pos = end;
}

void HtmlEngine::PaintPiece(Pass& p, const std::string& shown, const tk::TRect& r) {
    const TextState& st = p.St;
    if (st.Background != tk::clNone) surface_.FillRect(r, st.Background);
    HtmlFont font = st.Font;
    if (st.Blink && !p_.BlinkPhase) font.Color = blinkColor_;
    if (st.Shadow) {
        HtmlFont shadow = font;
        shadow.Color = p_.ShadowColor;
        int d = p_.ShadowOffset;
        surface_.PaintText(shadow, shown, {r.Left + d, r.Top + d, r.Right + d, r.Bottom + d});
    }
    surface_.PaintText(font, shown, r);
    if (st.Error) surface_.Polyline(ErrorZigzag(r.Left, r.Right, r.Bottom), tk::clRed);
}

// The longest start of `piece` that fits in `room` with "..." after it. It is cut only where a
// character starts, never inside a UTF-8 sequence.
std::string HtmlEngine::FitWithEllipsis(const HtmlFont& f, const std::string& piece, int room) {
    static const std::string dots = "...";
    if (room <= 0 || surface_.TextSize(f, dots).X > room) return {};
    std::vector<std::size_t> cuts{0}; // where each character starts, and the end
    for (std::size_t i = 1; i < piece.size(); ++i)
        if ((static_cast<unsigned char>(piece[i]) & 0xC0) != 0x80) cuts.push_back(i);
    cuts.push_back(piece.size());
    std::size_t lo = 0, hi = cuts.size() - 1; // indices into `cuts`
    while (lo < hi) {
        std::size_t mid = (lo + hi + 1) / 2;
        if (surface_.TextSize(f, piece.substr(0, cuts[mid]) + dots).X <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    std::size_t end = cuts[lo];
    if (end > 0 && piece[end - 1] == '&') --end; // never leave a lone prefix before the dots
    return piece.substr(0, end) + dots;
}

void HtmlEngine::AnchorPiece(Pass& p, const tk::TRect& r) {
    p.AnchorBox = p.AnchorBoxValid ? Union(p.AnchorBox, r) : r;
    p.AnchorBoxValid = true;
    p.AnchorPieces.push_back(r);
    if (r.Contains(p_.Mouse) && !mouseOverAnchor_) {
        mouseOverAnchor_ = true;
        p.AnchorHasMouse = true;
        r_.MouseAnchor = p.St.AnchorCount;
        r_.AnchorUnderMouse = p.St.AnchorTarget;
    }
}

// The anchor's pieces on this line are done: keep its box, mark the focus anchor and report the
// mouse anchor's area.
void HtmlEngine::FlushAnchorBox(Pass& p) {
    if (!p.AnchorBoxValid) return;
    const tk::TRect& b = p.AnchorBox;
    r_.AnchorBoxes.push_back({p.St.AnchorCount, p.St.AnchorTarget, b, std::move(p.AnchorPieces)});
    p.AnchorPieces.clear();
    if (Drawing(p) && p.St.AnchorCount - 1 == p_.FocusAnchor)
        surface_.FocusRect({b.Left - 1, b.Top - 1, b.Right + 1, b.Bottom + 1});
    if (p.AnchorHasMouse) r_.MouseAnchorRect = b;
    p.AnchorBoxValid = false;
    p.AnchorHasMouse = false;
}

void HtmlEngine::Tag(Pass& p, std::size_t close) {
    std::string_view tag = std::string_view(text_).substr(p.Pos + 1, close - p.Pos - 1);
    HtmlTag kind = ClassifyTag(tag);
    if (kind.Kind == HtmlTagKind::Image && !kind.Closing) {
        Image(p, tag, close);
        return;
    }
    std::size_t next = close + 1;
    p.Pos = next;
    TextState& st = p.St;
    HtmlFont& f = st.Font;
    bool open = !kind.Closing;
    auto style = [&](unsigned bit) { f.Style = open ? (f.Style | bit) : (f.Style & ~bit); };
    auto attr = [&](std::string_view name) { return UpperCase(TagAttribute(tag, name)); };
    using K = HtmlTagKind;
    switch (kind.Kind) {
    case K::Anchor:
        Anchor(p, tag, kind.Closing);
        break;
    case K::Bold:
        style(kHtmlBold);
        break;
    case K::Italic:
        style(kHtmlItalic);
        break;
    case K::Strike:
        style(kHtmlStrikeOut);
        break;
    case K::Underline:
        style(kHtmlUnderline);
        break;
    case K::Body:
        if (open && p.PassMode == Mode::Measure) p.Info.BodyTags.push_back(next - tag.size() - 2);
        if (!open) f.Color = base_.Color;
        break;
    case K::Break:
        if (open) EndLine(p, next);
        break;
    case K::Blink:
        st.Blink = open;
        if (!open) f.Color = base_.Color;
        break;
    case K::Error:
        st.Error = open;
        break;
    case K::Font:
        if (open) {
            std::string face = attr("FACE");
            if (!face.empty()) f.Name = face;
            bool found = false;
            std::string color = UpperCase(TagAttribute(tag, "COLOR", &found));
            if (found && Colours()) f.Color = HtmlColor(color);
            std::string background = UpperCase(TagAttribute(tag, "BGCOLOR", &found));
            if (found && Colours()) st.Background = HtmlColor(background);
            std::string size = attr("SIZE");
            if (!size.empty()) {
                int points = std::clamp(HtmlFontPoints(ParseInt(size)), 1, 1000);
                f.Height = tk::FontHeightFromSize(points, surface_.PixelsPerInch());
            }
        } else {
            f.Name = base_.Name;
            f.Height = base_.Height;
            f.Color = base_.Color;
            st.Background = tk::clNone;
        }
        break;
    case K::Highlight:
        if (open) {
            st.HighlightSavedColor = f.Color;
            st.HighlightSavedBackground = st.Background;
            if (Colours()) {
                st.Background = tk::clHighlight;
                f.Color = tk::clHighlightText;
            }
        } else {
            f.Color = st.HighlightSavedColor;
            st.Background = st.HighlightSavedBackground;
        }
        break;
    case K::Rule:
        if (open) {
            p.Rule = true;
            EndLine(p, next);
        }
        break;
    case K::Indent:
        if (open && p.X < p.Origin + ParseInt(attr("X"))) {
            p.X = p.Origin + ParseInt(attr("X"));
            p.TrailingSpace = 0;
        }
        break;
    case K::ListItem:
        if (open)
            Bullet(p);
        else
            EndLine(p, next);
        break;
    case K::Paragraph:
        if (open) {
            std::string align = attr("ALIGN");
            if (align == "LEFT") st.ParaAlign = Align::Left;
            if (align == "RIGHT") st.ParaAlign = Align::Right;
            if (align == "CENTER") st.ParaAlign = Align::Center;
            std::string indent = attr("INDENT");
            if (!indent.empty()) st.ParaIndent = std::clamp(ParseInt(indent), 0, 10000);
            bool found = false;
            std::string from = UpperCase(TagAttribute(tag, "BGCOLOR", &found));
            if (found && Colours()) st.ParaColor = HtmlColor(from);
            std::string to = UpperCase(TagAttribute(tag, "BGCOLORTO", &found));
            if (found && Colours()) st.ParaColorTo = HtmlColor(to);
        } else {
            EndLine(p, next);
            st.ParaAlign = Align::Left;
            st.ParaIndent = 0;
            st.ParaColor = st.ParaColorTo = tk::clNone;
        }
        break;
    case K::Rotate:
        f.Escapement = open ? ParseInt(attr("A")) * 10 : 0;
        break;
    case K::Shadow:
        st.Shadow = open;
        break;
    case K::Subscript:
    case K::Superscript:
        if (!open)
            st.Sub = st.Sup = false;
        else if (kind.Kind == K::Subscript)
            st.Sub = true;
        else
            st.Sup = true;
        break;
    case K::List:
        if (open) {
            ++st.ListLevel;
            EndLine(p, next);
        } else if (st.ListLevel > 0) {
            --st.ListLevel;
        } else {
            f.Style &= ~kHtmlUnderline;
        }
        break;
    case K::Hidden:
        st.Hidden = open;
        break;
    case K::Image:
    case K::Unknown:
        break;
    }
}

void HtmlEngine::Anchor(Pass& p, std::string_view tag, bool closing) {
    TextState& st = p.St;
    if (st.InAnchor) {
        FlushAnchorBox(p);
        st.Font.Color = st.AnchorSavedColor;
        st.Background = st.AnchorSavedBackground;
        st.InAnchor = false;
    }
    st.Font.Style &= ~kHtmlUnderline;
    if (closing) return;
    st.InAnchor = true;
    int number = ++st.AnchorCount;
    st.AnchorTarget = QuotedText(tag);
    st.AnchorSavedColor = st.Font.Color;
    st.AnchorSavedBackground = st.Background;
    if (number - 1 == p_.FocusAnchor) r_.FocusTarget = st.AnchorTarget;
    bool hot = number == p_.HotAnchor;
    if (!p_.Hover || hot) {
        st.Font.Style |= kHtmlUnderline;
        if (p_.HoverColor != tk::clNone && Colours()) st.Background = p_.HoverColor;
    }
    if (Colours()) {
        bool hoverFont = hot && p_.Hover && p_.HoverFontColor != tk::clNone;
        st.Font.Color = hoverFont ? p_.HoverFontColor : p_.URLColor;
    }
}

void HtmlEngine::Body(Pass& p, std::string_view tag) {
    if (!Drawing(p) || !Colours()) return;
    const tk::TRect& rc = p_.Rect;
    bool hasFrom = false, hasTo = false;
    tk::TColor from = HtmlColor(UpperCase(TagAttribute(tag, "BGCOLOR", &hasFrom)));
    tk::TColor to = HtmlColor(UpperCase(TagAttribute(tag, "BGCOLORTO", &hasTo)));
    if (hasFrom && hasTo)
        surface_.Gradient(rc, from, to, UpperCase(TagAttribute(tag, "DIR")) == "H");
    else if (hasFrom)
        surface_.FillRect({rc.Left - 2, rc.Top, rc.Right, rc.Bottom}, from);
    std::string picture = TagAttribute(tag, "BACKGROUND");
    if (!picture.empty()) surface_.TilePicture(picture, rc);
}

void HtmlEngine::Bullet(Pass& p) {
    p.X += kListIndent * p.St.ListLevel;
    if (Drawing(p)) {
        HtmlFont symbol = p.St.Font;
        symbol.Name = "Symbol";
        symbol.Charset = kSymbolCharset;
        // U+F0B7, in UTF-8: the bullet where a symbol font keeps it for the W functions.
        const std::string glyph = p.St.ListLevel % 2 == 1 ? "\xEF\x82\xB7" : "o";
        int bottom = LineBottom(p) - p.Line->TextShift;
        tk::TPoint size = surface_.TextSize(symbol, glyph);
        surface_.PaintText(symbol, glyph, {p.X, bottom - size.Y, p.X + kListIndent, bottom});
    }
    p.X += kListIndent;
    p.HasContent = true;
    p.EndsInSpace = false;
    p.TrailingSpace = 0;
}

std::optional<tk::TPoint> HtmlEngine::ImageSize(const std::string& src, std::string_view tag) {
    std::optional<tk::TPoint> own = surface_.PictureSize(src);
    if (!own) return std::nullopt;
    tk::TPoint size = *own;
    int w = ParseInt(UpperCase(TagAttribute(tag, "WIDTH")));
    int h = ParseInt(UpperCase(TagAttribute(tag, "HEIGHT")));
    if (w >= 1 && h >= 1) size = {w, h};
    int ppi = surface_.PixelsPerInch();
    return tk::TPoint{tk::MulDivRound(size.X, ppi, 96), tk::MulDivRound(size.Y, ppi, 96)};
}

void HtmlEngine::Image(Pass& p, std::string_view tag, std::size_t close) {
    std::size_t tagPos = p.Pos;
    std::string src = TagAttribute(tag, "SRC");
    if (p.PassMode == Mode::Draw && tagPos == altImagePos_) {
        std::string alt = TagAttribute(tag, "ALT");
        if (!alt.empty()) src = alt;
    }
    std::optional<tk::TPoint> size = ImageSize(src, tag);
    if (!size) { // nothing to show takes no room
        p.Pos = close + 1;
        return;
    }
    int w = size->X, h = size->Y;
    if (p.PassMode == Mode::Measure) {
        if (p_.WordWrap && p.HasContent && p.X - p.LineStart + w > avail_ && w <= avail_) {
            p.Done = true; // the image starts the next line
            return;
        }
        std::string align = UpperCase(TagAttribute(tag, "ALIGN"));
        p.AlignTop = p.AlignTop || align == "TOP";
        p.AlignMiddle = p.AlignMiddle || align == "MIDDLE";
        p.Info.Height = std::max(p.Info.Height, h);
        p.Info.Images.push_back({tagPos, p.X - p.Origin, w, h, p.St.InAnchor});
    } else {
        int bottom = LineBottom(p);
        tk::TRect r{p.X, bottom - h, p.X + w, bottom};
        if (Drawing(p)) {
            tk::TRect drawn = r;
            if (p_.Print) { // printed pictures grow from their top left corner
                drawn.Right = r.Left + static_cast<int>(w * std::clamp(p_.Scale, 0.0, 100.0));
                drawn.Bottom = r.Top + static_cast<int>(h * std::clamp(p_.Scale, 0.0, 100.0));
            }
            surface_.DrawPicture(src, drawn);
        }
        if (p.St.InAnchor) AnchorPiece(p, r);
    }
    p.X += w;
    p.HasContent = true;
    p.EndsInSpace = false;
    p.TrailingSpace = 0;
    p.Pos = close + 1;
}

} // namespace

bool LayoutHtml(HtmlSurface& surface, const HtmlFont& baseFont, tk::TColor blinkColor,
                const HtmlRenderParams& params, HtmlRenderResult& result) {
    return HtmlEngine(surface, baseFont, blinkColor, params, result).Run();
}

} // namespace advpanel
