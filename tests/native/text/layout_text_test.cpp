#include "toolkit/components/layout_text.h"

#include <gtest/gtest.h>

#include <string>

using tk::LayoutNode;
using tk::LayoutSyntaxError;
using tk::LayoutValue;
using tk::ParseLayout;

TEST(LayoutText, ReadsEveryKindOfValueAndNestedComponents) {
    LayoutNode root = ParseLayout(R"(# a comment
TForm1 Form1 {
    Left = 809
    Top = -5
    Caption = "Form1"
    Font.Style = [fsBold, fsItalic]
    Empty = []
    Color = clWindow
    Big = 4294967295
    TLabel Label1 {
        Hint = "Jegyzet ment\xE9se \"x\" \\"
        Glyph = resource "BTN"
    }
    TMemo Memo1 { }
})");
    EXPECT_EQ(root.ClassName, "TForm1");
    EXPECT_EQ(root.Name, "Form1");
    ASSERT_EQ(root.Properties.size(), 7u);
    EXPECT_EQ(root.Properties[0].Path, "Left");
    EXPECT_EQ(root.Properties[0].Value.Integer, 809);
    EXPECT_EQ(root.Properties[0].Line, 3);
    EXPECT_EQ(root.Properties[1].Value.Integer, -5);
    EXPECT_EQ(root.Properties[2].Value.ValueKind, LayoutValue::Kind::String);
    EXPECT_EQ(root.Properties[2].Value.Text, "Form1");
    EXPECT_EQ(root.Properties[3].Path, "Font.Style");
    EXPECT_EQ(root.Properties[3].Value.Items, (std::vector<std::string>{"fsBold", "fsItalic"}));
    EXPECT_TRUE(root.Properties[4].Value.Items.empty());
    EXPECT_EQ(root.Properties[5].Value.ValueKind, LayoutValue::Kind::Identifier);
    EXPECT_EQ(root.Properties[6].Value.Integer, 4294967295LL);

    ASSERT_EQ(root.Children.size(), 2u);
    const LayoutNode& label = root.Children[0];
    EXPECT_EQ(label.ClassName, "TLabel");
    EXPECT_EQ(label.Properties[0].Value.Text, "Jegyzet ment\xE9se \"x\" \\");
    EXPECT_EQ(label.Properties[1].Value.ValueKind, LayoutValue::Kind::Resource);
    EXPECT_EQ(label.Properties[1].Value.Text, "BTN");
    EXPECT_EQ(root.Children[1].Name, "Memo1");
    EXPECT_TRUE(root.Children[1].Properties.empty());
}

TEST(LayoutText, ReportsTheLineOfEachSyntaxError) {
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"TForm1 Form1 {\n  Left = \n}", 3},              // value missing before '}'
        {"TForm1 Form1 {\n  Caption = \"open\n}", 2},     // unterminated string
        {"TForm1 Form1 {\n  X = \"\\q\"\n}", 2},          // unknown escape
        {"TForm1 Form1 {\n  X = \"\\x4\"\n}", 2},         // short hex escape
        {"TForm1 Form1 {\n  X = 4294967296\n}", 2},       // beyond 32 bits
        {"TForm1 Form1 {\n  X = 12ab\n}", 2},             // junk after a number
        {"TForm1 Form1 {\n  X = [a b]\n}", 2},            // set without comma
        {"TForm1 Form1 {\n  TLabel L {\n", 3},            // missing closing braces
        {"TForm1 Form1 { }\nTForm1 Second { }", 2},       // two roots
        {"", 1},                                          // no root
    };
    for (const Case& c : cases) {
        try {
            ParseLayout(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const LayoutSyntaxError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text << " -> " << e.what();
        }
    }
}

TEST(LayoutText, RefusesNestingBeyondTheLimitWithoutExhaustingTheStack) {
    std::string deep = "TForm1 F {";
    for (int i = 0; i < 100; ++i) deep += " T c" + std::to_string(i) + " {";
    deep += std::string(101, '}');
    EXPECT_THROW(ParseLayout(deep), LayoutSyntaxError);
}
