#include "toolkit/components/property_table.h"

#include <gtest/gtest.h>

namespace {

using tk::LayoutValue;

enum class Side { Left, Right };
constexpr tk::EnumName<Side> kSideNames[] = {{"sLeft", Side::Left}, {"sRight", Side::Right}};

struct Target {
    int Width = 0;
    bool Shown = false;
    tk::TColor Color = tk::clNone;
    std::string Caption;
    Side Edge = Side::Left;
    void SetCaption(const std::string& caption) { Caption = "[" + caption + "]"; }
};

LayoutValue Integer(long long n) {
    return {LayoutValue::Kind::Integer, n, {}, {}};
}
LayoutValue Identifier(std::string text) {
    return {LayoutValue::Kind::Identifier, 0, std::move(text), {}};
}

TEST(PropertyTable, EachNameReachesItsOwnSetterReadByItsTypeAndUnknownNamesAreLeftToTheBase) {
    static const tk::PropertyTable<Target> properties{
        {"Width", tk::Set<&Target::Width>},
        {"Shown", tk::Set<&Target::Shown>},
        {"Color", tk::Set<&Target::Color, &tk::LayoutReader::Color>},
        {"Caption", tk::Set<&Target::SetCaption>},
        {"Edge", tk::Set<&Target::Edge, tk::ReadEnum<kSideNames>>},
    };
    tk::TComponent root(nullptr);
    tk::LayoutReader reader(root, {});
    Target t;
    EXPECT_TRUE(properties.Apply(t, "Width", Integer(7), reader));
    EXPECT_TRUE(properties.Apply(t, "Shown", Identifier("True"), reader));
    EXPECT_TRUE(properties.Apply(t, "Color", Identifier("clBtnFace"), reader));
    EXPECT_TRUE(properties.Apply(t, "Caption", {LayoutValue::Kind::String, 0, "Hi", {}}, reader));
    EXPECT_TRUE(properties.Apply(t, "Edge", Identifier("sRight"), reader));
    EXPECT_FALSE(properties.Apply(t, "Height", Integer(9), reader));
    EXPECT_EQ(t.Width, 7);
    EXPECT_TRUE(t.Shown);
    EXPECT_EQ(t.Color, tk::clBtnFace);
    EXPECT_EQ(t.Caption, "[Hi]");
    EXPECT_EQ(t.Edge, Side::Right);
    // A value of the wrong kind is refused as before.
    EXPECT_THROW(properties.Apply(t, "Width", Identifier("wide"), reader), tk::EReadError);
}

} // namespace
