#pragma once
// The text form of a stored window layout: a tree of components with property values.
//
//   # comment
//   TForm1 Form1 {
//       Left = 809
//       Caption = "Form1"            strings take \" \\ and \xHH escapes
//       Font.Style = [fsBold]         sets of identifiers
//       GlyphActive = resource "BTN"  data kept as a separate program resource
//       OnClick = Label1Click         identifiers: enums, booleans, colours, handlers
//       TLabel Label1 { ... }         owned components, in creation order
//   }
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

struct LayoutValue {
    enum class Kind { Integer, String, Identifier, Set, Resource };
    Kind ValueKind = Kind::Integer;
    long long Integer = 0;
    std::string Text;               // String, Identifier and Resource
    std::vector<std::string> Items; // Set
};

struct LayoutProperty {
    std::string Path; // dotted: "Caption.Font.Name"
    LayoutValue Value;
    int Line = 0;
};

struct LayoutNode {
    std::string ClassName;
    std::string Name;
    std::vector<LayoutProperty> Properties;
    std::vector<LayoutNode> Children;
    int Line = 0;
};

class LayoutSyntaxError : public std::runtime_error {
public:
    LayoutSyntaxError(int line, const std::string& what);
    int Line() const { return line_; }

private:
    int line_;
};

// Parses a whole layout: exactly one root component. Throws LayoutSyntaxError.
LayoutNode ParseLayout(std::string_view text);

} // namespace tk
