#include "layout_text.h"

#include <cctype>

namespace tk {

LayoutSyntaxError::LayoutSyntaxError(int line, const std::string& what)
    : std::runtime_error("Layout line " + std::to_string(line) + ": " + what), line_(line) {}

namespace {

constexpr int kMaxDepth = 64;
constexpr long long kMaxMagnitude = 0xFFFFFFFFLL; // 32-bit values, signed or unsigned

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    LayoutNode ParseRoot() {
        SkipBlank();
        LayoutNode root = ParseComponent(0);
        SkipBlank();
        if (!AtEnd()) Fail("text after the root component");
        return root;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    [[noreturn]] void Fail(const std::string& what) const { throw LayoutSyntaxError(line_, what); }

    char Next() {
        char c = text_[pos_++];
        if (c == '\n') ++line_;
        return c;
    }

    // Skips white space (line breaks included) and comments.
    void SkipBlank() {
        while (!AtEnd()) {
            char c = Peek();
            if (c == '#') {
                while (!AtEnd() && Peek() != '\n')
                    Next();
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                Next();
            } else {
                return;
            }
        }
    }

    static bool IsWordChar(char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    }

    std::string Word(const char* what) {
        SkipBlank();
        size_t start = pos_;
        while (!AtEnd() && IsWordChar(Peek()))
            Next();
        if (start == pos_) Fail(std::string("expected ") + what);
        return std::string(text_.substr(start, pos_ - start));
    }

    void Expect(char c) {
        SkipBlank();
        if (Peek() != c) Fail(std::string("expected '") + c + "'");
        Next();
    }

    LayoutNode ParseComponent(int depth) {
        LayoutNode node;
        node.Line = line_;
        node.ClassName = Word("a class name");
        node.Name = Word("a component name");
        Expect('{');
        ParseBodyInto(node, depth);
        return node;
    }

    void ParseBodyInto(LayoutNode& node, int depth) {
        if (depth > kMaxDepth) Fail("components nested too deeply");
        for (;;) {
            SkipBlank();
            if (AtEnd()) Fail("missing '}'");
            if (Peek() == '}') {
                Next();
                return;
            }
            int line = line_;
            std::string first = Word("a property or class name");
            SkipBlank();
            if (Peek() == '=') {
                Next();
                node.Properties.push_back({first, ParseValue(), line});
            } else {
                // Not a property: `first` was the class name of a nested component.
                LayoutNode child;
                child.Line = line;
                child.ClassName = first;
                child.Name = Word("a component name");
                Expect('{');
                ParseBodyInto(child, depth + 1);
                node.Children.push_back(std::move(child));
            }
        }
    }

    LayoutValue ParseValue() {
        SkipBlank();
        char c = Peek();
        LayoutValue v;
        if (c == '"') {
            v.ValueKind = LayoutValue::Kind::String;
            v.Text = ParseString();
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            v.ValueKind = LayoutValue::Kind::Integer;
            v.Integer = ParseInteger();
        } else if (c == '[') {
            v.ValueKind = LayoutValue::Kind::Set;
            v.Items = ParseSet();
        } else {
            std::string word = Word("a value");
            if (word == "resource") {
                SkipBlank();
                if (Peek() != '"') Fail("expected a resource name in quotes");
                v.ValueKind = LayoutValue::Kind::Resource;
                v.Text = ParseString();
            } else {
                v.ValueKind = LayoutValue::Kind::Identifier;
                v.Text = word;
            }
        }
        return v;
    }

    long long ParseInteger() {
        bool negative = false;
        if (Peek() == '-') {
            negative = true;
            Next();
        }
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("expected digits");
        long long value = 0;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek()))) {
            value = value * 10 + (Next() - '0');
            if (value > kMaxMagnitude) Fail("number out of range");
        }
        if (IsWordChar(Peek())) Fail("unexpected character after a number");
        return negative ? -value : value;
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    std::string ParseString() {
        Next(); // opening quote
        std::string out;
        for (;;) {
            if (AtEnd() || Peek() == '\n') Fail("unterminated string");
            char c = Next();
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (AtEnd()) Fail("unterminated string");
            char e = Next();
            if (e == '"' || e == '\\') {
                out += e;
            } else if (e == 'x') {
                int hi = AtEnd() ? -1 : HexDigit(Next());
                int lo = AtEnd() ? -1 : HexDigit(Next());
                if (hi < 0 || lo < 0) Fail("bad \\x escape");
                out += static_cast<char>(hi * 16 + lo);
            } else {
                Fail("unknown escape");
            }
        }
    }

    std::vector<std::string> ParseSet() {
        Next(); // '['
        std::vector<std::string> items;
        SkipBlank();
        if (Peek() == ']') {
            Next();
            return items;
        }
        for (;;) {
            items.push_back(Word("a set element"));
            SkipBlank();
            if (Peek() == ']') {
                Next();
                return items;
            }
            Expect(',');
        }
    }
};

} // namespace

LayoutNode ParseLayout(std::string_view text) {
    return Parser(text).ParseRoot();
}

} // namespace tk
