#include "AdvPanel/markup/html_markup.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace advpanel {
namespace {

struct Entity {
    std::string_view Name;
    std::string_view Text;
};

// The texts are UTF-8, so are the characters the entities stand for.
constexpr std::array<Entity, 9> kEntities{{
    {"&amp;", "&&"},
    {"&quot;", "\""},
    {"&sect;", "§"},
    {"&permil;", "‰"},
    {"&reg;", "®"},
    {"&copy;", "©"},
    {"&para;", "¶"},
    {"&trade;", "™"},
    {"&euro;", "€"},
}};

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Every entity ends in ";" and no replacement does, so checking the output's end after each ";"
// reaches the same text as replacing over and over, in one pass.
std::string ReplaceEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c != ';') continue;
        for (const Entity& e : kEntities) {
            if (EndsWith(out, e.Name)) {
                out.resize(out.size() - e.Name.size());
                out += e.Text;
                break;
            }
        }
    }
    return out;
}

std::string DropFirstHashTag(std::string text) {
    std::size_t open = text.find("<#");
    if (open == std::string::npos) return text;
    text.erase(open, 2);
    std::size_t close = text.find('>', open);
    if (close != std::string::npos) text.erase(close, 1);
    return text;
}

struct NamedColor {
    std::string_view Name;
    std::uint32_t Value;
};

constexpr std::array<NamedColor, 40> kColorNames{{
    {"CLRED", 0x0000FF},
    {"CLBLACK", 0x000000},
    {"CLBLUE", 0xFF0000},
    {"CLGREEN", 0x008000},
    {"CLAQUA", 0xFFFF00},
    {"CLYELLOW", 0x00FFFF},
    {"CLFUCHSIA", 0xFF00FF},
    {"CLWHITE", 0xFFFFFF},
    {"CLLIME", 0x00FF00},
    {"CLSILVER", 0xC0C0C0},
    {"CLGRAY", 0x808080},
    {"CLOLIVE", 0x008080},
    {"CLNAVY", 0x800000},
    {"CLPURPLE", 0x800080},
    {"CLTEAL", 0x808000},
    {"CLMAROON", 0x000080},
    {"CLBACKGROUND", 0xFF000001},
    {"CLACTIVECAPTION", 0xFF000002},
    {"CLINACTIVECAPTION", 0xFF000003},
    {"CLMENU", 0xFF000004},
    {"CLWINDOW", 0xFF000005},
    {"CLWINDOWFRAME", 0xFF000006},
    {"CLMENUTEXT", 0xFF000007},
    {"CLWINDOWTEXT", 0xFF000008},
    {"CLCAPTIONTEXT", 0xFF000009},
    {"CLACTIVEBORDER", 0xFF00000A},
    {"CLINACTIVEBORDER", 0xFF00000B},
    {"CLAPPWORKSPACE", 0xFF00000C},
    {"CLHIGHLIGHT", 0xFF00000D},
    {"CLHIGHLIGHTTEXT", 0xFF00000E},
    {"CLBTNFACE", 0xFF00000F},
    {"CLBTNSHADOW", 0xFF000010},
    {"CLGRAYTEXT", 0xFF000011},
    {"CLBTNTEXT", 0xFF000012},
    {"CLINACTIVECAPTIONTEXT", 0xFF000013},
    {"CLBTNHIGHLIGHT", 0xFF000014},
    {"CL3DDKSHADOW", 0xFF000015},
    {"CL3DLIGHT", 0xFF000016},
    {"CLINFOTEXT", 0xFF000017},
    {"CLINFOBK", 0xFF000018},
}};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::string PrepareHtmlText(std::string_view text) {
    std::string s = DropFirstHashTag(ReplaceEntities(text));
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\r')
            out += "<BR>";
        else if (c != '\n')
            out += c;
    }
    return out;
}

std::string ReplaceLateEntities(std::string_view piece) {
    static constexpr std::array<Entity, 3> late{{{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}}};
    std::string out;
    out.reserve(piece.size());
    for (std::size_t i = 0; i < piece.size();) {
        bool replaced = false;
        if (piece[i] == '&') {
            for (const Entity& e : late) {
                if (piece.substr(i, e.Name.size()) == e.Name) {
                    out += e.Text;
                    i += e.Name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += piece[i++];
    }
    return out;
}

std::string VisiblePrefixText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (++i >= text.size()) break;
        }
        out += text[i];
    }
    return out;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string TagAttribute(std::string_view tag, std::string_view name, bool* found) {
    std::string upperTag = UpperCase(tag);
    std::string upperName = UpperCase(name);
    std::size_t at = upperTag.find(' ');
    if (found) *found = false;
    // Only a whole attribute name counts: after a space and before "=", so that COLOR is not
    // found inside BGCOLOR, nor BGCOLOR inside BGCOLORTO.
    for (; at != std::string::npos; at = upperTag.find(upperName, at + 1)) {
        if (at == 0 || upperTag.compare(at, upperName.size(), upperName) != 0) continue;
        char before = upperTag[at - 1];
        if (before != ' ' && before != '\t') continue;
        std::size_t eq = upperTag.find_first_not_of(" \t", at + upperName.size());
        if (eq == std::string::npos || upperTag[eq] != '=') continue;
        if (found) *found = true;
        std::size_t open = tag.find('"', eq);
        if (open == std::string_view::npos) return {};
        std::size_t close = tag.find('"', open + 1);
        if (close == std::string_view::npos) return {};
        return std::string(tag.substr(open + 1, close - open - 1));
    }
    return {};
}

std::string QuotedText(std::string_view tag) {
    std::size_t open = tag.find('"');
    if (open == std::string_view::npos) return {};
    std::size_t close = tag.find('"', open + 1);
    if (close == std::string_view::npos) return {};
    return std::string(tag.substr(open + 1, close - open - 1));
}

tk::TColor HtmlColor(std::string_view value) {
    if (!value.empty() && value[0] == '#') {
        if (value.size() < 7) return tk::clBlack;
        int rgb[3];
        for (std::size_t i = 0; i < 3; ++i) {
            int hi = HexDigit(value[1 + 2 * i]), lo = HexDigit(value[2 + 2 * i]);
            if (hi < 0 || lo < 0) return tk::clBlack;
            rgb[i] = hi * 16 + lo;
        }
        return tk::RGBColor(rgb[0], rgb[1], rgb[2]);
    }
    std::string upper = UpperCase(value);
    for (const NamedColor& c : kColorNames)
        if (upper == c.Name) return static_cast<tk::TColor>(c.Value);
    return tk::clBlack;
}

int HtmlFontPoints(int size) {
    static constexpr int kSizes[] = {8, 10, 12, 14, 16};
    return size >= 1 && size <= 5 ? kSizes[size - 1] : size;
}

HtmlTag ClassifyTag(std::string_view content) {
    HtmlTag tag;
    std::string upper = UpperCase(content);
    std::string_view name = upper;
    if (!name.empty() && name[0] == '/') {
        tag.Closing = true;
        name.remove_prefix(1);
    }
    name = name.substr(0, name.find_first_of(" \t"));
    auto is = [&](std::string_view n) { return name == n; };
    auto starts = [&](std::string_view n) { return name.starts_with(n); };
    using K = HtmlTagKind;
    K kind = K::Unknown;
    if (name.empty()) return tag;
    switch (name[0]) {
    case 'A':
        kind = K::Anchor;
        break;
    case 'B':
        kind = is("B")        ? K::Bold
               : starts("BO") ? K::Body
               : starts("BR") ? K::Break
               : starts("BL") ? K::Blink
                              : K::Unknown;
        break;
    case 'E':
        kind = K::Error;
        break;
    case 'F':
        kind = K::Font;
        break;
    case 'H':
        kind = starts("HI") ? K::Highlight : starts("HR") ? K::Rule : K::Unknown;
        break;
    case 'I':
        kind = is("I")        ? K::Italic
               : starts("IN") ? K::Indent
               : starts("IM") ? K::Image
                              : K::Unknown;
        break;
    case 'L':
        kind = K::ListItem;
        break;
    case 'P':
        kind = K::Paragraph;
        break;
    case 'R':
        kind = K::Rotate;
        break;
    case 'S':
        kind = is("S")         ? K::Strike
               : starts("SH")  ? K::Shadow
               : starts("SUB") ? K::Subscript
               : starts("SUP") ? K::Superscript
                               : K::Unknown;
        break;
    case 'U':
        kind = is("U") ? K::Underline : K::List;
        break;
    case 'Z':
        kind = K::Hidden;
        break;
    default:
        break;
    }
    tag.Kind = kind;
    return tag;
}

PictureSource ClassifyPictureSource(std::string_view src) {
    PictureSource p;
    std::string upper = UpperCase(src);
    auto after = [&](std::size_t n) { return std::string(src.substr(n)); };
    if (upper.starts_with("IDX:")) {
        std::string digits = after(4);
        char* end = nullptr;
        long n = std::strtol(digits.c_str(), &end, 10);
        if (end != digits.c_str() && n >= 0 && n <= 1000000) {
            p.SourceKind = PictureSource::Kind::ImageIndex;
            p.Index = static_cast<int>(n);
        }
    } else if (upper.starts_with("SSYS:")) {
        p = {PictureSource::Kind::SmallSystemIcon, -1, after(5)};
    } else if (upper.starts_with("LSYS:")) {
        p = {PictureSource::Kind::LargeSystemIcon, -1, after(5)};
    } else if (upper.find("://") != std::string::npos) {
        if (upper.starts_with("RES://"))
            p = {PictureSource::Kind::Resource, -1, after(6)};
        else if (upper.starts_with("FILE://"))
            p = {PictureSource::Kind::File, -1, after(7)};
    } else if (!src.empty() && src.find(':') == std::string_view::npos) {
        p = {PictureSource::Kind::Container, -1, std::string(src)};
    }
    return p;
}

std::vector<tk::TPoint> ErrorZigzag(int x1, int x2, int bottom) {
    std::vector<tk::TPoint> points;
    if (x2 <= x1) return points;
    bool up = true;
    for (int x = x1; x < x2; x += 2, up = !up)
        points.push_back({x, up ? bottom - 1 : bottom - 3});
    points.push_back({x2, up ? bottom - 1 : bottom - 3});
    return points;
}

} // namespace advpanel
