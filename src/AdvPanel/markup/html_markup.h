#pragma once
// Text-level rules of the panel's mini-markup: preparing the raw text, reading tag attributes
// and colours, naming picture sources. No drawing and no operating system here.
#include "toolkit/base/colors.h"
#include "toolkit/base/geometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace advpanel {

// Replaces the character entities (again on what a replacement produced, until none is left),
// drops the first "<#" together with the first ">" after it, turns every carriage return into
// "<BR>" and removes line feeds. "&amp;" becomes "&&", which the text drawing shows as one
// ampersand. "&nbsp;", "&lt;" and "&gt;" stay: they are replaced piece by piece when drawn, so
// they can never open a tag.
std::string PrepareHtmlText(std::string_view text);

// Replaces "&nbsp;", "&lt;" and "&gt;" in one piece of text.
std::string ReplaceLateEntities(std::string_view piece);

// The characters the text drawing shows for `text` with prefix processing on: "&&" shows one
// ampersand, a single "&" underlines the next character and is not shown itself.
std::string VisiblePrefixText(std::string_view text);

std::string UpperCase(std::string_view text);

// The value of attribute `name` in a tag: the text between the first two double quotes after
// `name="` (the name found regardless of letter case, as a whole word after the tag's own name);
// empty when the attribute or its quotes are missing. `found` tells whether the attribute occurs.
std::string TagAttribute(std::string_view tag, std::string_view name, bool* found = nullptr);

// A colour value of the markup: "#RRGGBB" (hexadecimal, either letter case) or a colour name
// ("clRed", "clBtnFace", ...) in any letter case. Anything else is black.
// The text between the first two double quotes of a tag (an anchor's target).
std::string QuotedText(std::string_view tag);

tk::TColor HtmlColor(std::string_view value);

// The point size a font tag's SIZE asks for: 1 to 5 are 8, 10, 12, 14 and 16 points, any other
// number is that many points.
int HtmlFontPoints(int size);

enum class HtmlTagKind {
    Unknown,
    Anchor,
    Bold,
    Body,
    Break,
    Blink,
    Error,
    Font,
    Highlight,
    Rule,
    Italic,
    Indent,
    Image,
    ListItem,
    Paragraph,
    Rotate,
    Strike,
    Shadow,
    Subscript,
    Superscript,
    Underline,
    List,
    Hidden
};

struct HtmlTag {
    HtmlTagKind Kind = HtmlTagKind::Unknown;
    bool Closing = false;
};

// Recognises a tag (the text between "<" and ">") by the first letters of its name, in any
// letter case.
HtmlTag ClassifyTag(std::string_view content);

// Where an image's picture comes from.
struct PictureSource {
    enum class Kind {
        None,
        ImageIndex,
        SmallSystemIcon,
        LargeSystemIcon,
        Container,
        Resource,
        File
    };
    Kind SourceKind = Kind::None;
    int Index = -1;   // ImageIndex
    std::string Name; // the path, container name or resource name
};
PictureSource ClassifyPictureSource(std::string_view src);

// The red zigzag that marks an error under a piece from x1 to x2 along row `bottom`, in steps
// of two pixels.
std::vector<tk::TPoint> ErrorZigzag(int x1, int x2, int bottom);

} // namespace advpanel
