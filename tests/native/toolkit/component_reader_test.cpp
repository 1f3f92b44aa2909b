#include "toolkit/components/component_reader.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events; // what happened, in order

class TSettings : public tk::TPersistent {
public:
    int Height = 20;
    tk::TColor Color = tk::clHighlight; // creation value differs from what a layout omits
    tk::TPersistent Nested;

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& v,
                      tk::LayoutReader& r) override {
        if (name == "Height") Height = r.Int(v);
        else if (name == "Color") Color = r.Color(v);
        else return tk::TPersistent::ReadProperty(name, v, r);
        return true;
    }
    tk::TPersistent* SubObject(std::string_view name) override {
        if (name == "Nested") return &Nested;
        return nullptr;
    }
};

class TThing : public tk::TComponent {
public:
    explicit TThing(tk::TComponent* owner) : tk::TComponent(owner) {}
    ~TThing() override { g_events.push_back("destroy " + Name()); }
    const char* ClassName() const override { return "TThing"; }

    TSettings Settings;
    std::string Text;
    unsigned Flags = 0;
    tk::TNotifyEvent OnClick;
    tk::TComponent* ParentComponent = nullptr;
    bool LoadingWhenRead = false;
    std::string Data;

    void SetParentComponent(tk::TComponent* parent) override { ParentComponent = parent; }

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& v,
                      tk::LayoutReader& r) override {
        LoadingWhenRead = Loading();
        if (name == "Text") Text = r.String(v);
        else if (name == "Flags") Flags = r.Set<unsigned>(v, {{"fA", 1u}, {"fB", 2u}});
        else if (name == "OnClick") OnClick = r.Method<tk::TNotifyEvent>(v);
        else if (name == "Data") Data = r.ResourceData(v);
        else return tk::TComponent::ReadProperty(name, v, r);
        return true;
    }
    tk::TPersistent* SubObject(std::string_view name) override {
        if (name == "Settings") return &Settings;
        return tk::TComponent::SubObject(name);
    }
    void Loaded() override { g_events.push_back("loaded " + Name()); }
};

class TRoot : public TThing {
public:
    TRoot() : TThing(nullptr) {
        SetName("Root");
        methods_.emplace("ThingClick", tk::TNotifyEvent([](tk::TObject*) {}));
        methods_.emplace("CloseQuery", tk::TCloseQueryEvent([](tk::TObject*, bool&) {}));
    }
    const tk::TMethod* FindMethod(std::string_view name) const override {
        auto it = methods_.find(std::string(name));
        return it == methods_.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, tk::TMethod> methods_;
};

std::string LoadNamed(const std::string& name) {
    if (name == "BLOB") return std::string("\0\1\2", 3);
    throw tk::EResNotFound("Resource " + name + " not found");
}

void ReadInto(TRoot& root, const char* text) {
    tk::LayoutReader reader(root, LoadNamed);
    reader.Read(tk::ParseLayout(text));
    reader.Finish();
}

class ComponentReader : public ::testing::Test {
protected:
    void SetUp() override {
        tk::RegisterComponentClass<TThing>("TThing");
        g_events.clear();
    }
};

TEST_F(ComponentReader, BuildsOwnedComponentsWithPropertiesParentsAndPostLoadOrder) {
    {
        TRoot root;
        ReadInto(root, R"(TRoot Root {
            Text = "top"
            TThing a {
                Settings.Height = 30
                Flags = [fA, fB]
                OnClick = ThingClick
                Data = resource "BLOB"
                TThing b { Tag = 7 }
            }
        })");
        ASSERT_EQ(root.Components().size(), 2u);
        auto* a = static_cast<TThing*>(root.FindComponent("a"));
        auto* b = static_cast<TThing*>(root.FindComponent("b"));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(root.Text, "top");
        EXPECT_EQ(a->Owner(), &root);
        EXPECT_EQ(b->Owner(), &root); // everything belongs to the root
        EXPECT_EQ(a->ParentComponent, &root);
        EXPECT_EQ(b->ParentComponent, a); // the enclosing block is the parent
        EXPECT_EQ(a->Settings.Height, 30);
        EXPECT_EQ(a->Settings.Color, tk::clHighlight); // omitted: creation value stays
        EXPECT_EQ(a->Flags, 3u);
        EXPECT_TRUE(static_cast<bool>(a->OnClick));
        EXPECT_EQ(a->Data, std::string("\0\1\2", 3));
        EXPECT_EQ(b->Tag, 7);
        EXPECT_TRUE(a->LoadingWhenRead);
        EXPECT_FALSE(a->Loading());
        EXPECT_EQ(g_events, (std::vector<std::string>{"loaded Root", "loaded a", "loaded b"}));
        g_events.clear();
    }
    // The owner destroys what it owns, the last created first (its own destructor body has run
    // by then).
    EXPECT_EQ(g_events, (std::vector<std::string>{"destroy Root", "destroy b", "destroy a"}));
}

TEST_F(ComponentReader, RejectsWhatTheLayoutCannotMean) {
    const char* bad[] = {
        "TRoot Root { Nothing = 1 }",
        "TRoot Root { Settings.Nothing = 1 }",
        "TRoot Root { Nothing.Height = 1 }",
        "TRoot Root { Settings.Nested.Height = 1 }",
        "TRoot Root { Text = 5 }",
        "TRoot Root { Settings.Height = \"5\" }",
        "TRoot Root { Settings.Color = clNoSuchColour }",
        "TRoot Root { Flags = [fC] }",
        "TRoot Root { OnClick = Missing }",
        "TRoot Root { OnClick = CloseQuery }",
        "TRoot Root { Data = resource \"NONE\" }",
        "TRoot Root { TUnknown x { } }",
        "TRoot Root { TThing x { } TThing x { } }",
    };
    for (const char* text : bad) {
        TRoot root;
        EXPECT_THROW(ReadInto(root, text), tk::Exception) << text;
    }
}

TEST_F(ComponentReader, ColoursComeAsNumbersOrNames) {
    TRoot root;
    ReadInto(root, "TRoot Root { Settings.Color = clNone TThing a { Settings.Color = 13434879 } }");
    EXPECT_EQ(root.Settings.Color, tk::clNone);
    EXPECT_EQ(static_cast<TThing*>(root.FindComponent("a"))->Settings.Color, 13434879);
    TRoot system;
    ReadInto(system, "TRoot Root { Settings.Color = clBtnFace }");
    EXPECT_EQ(static_cast<std::uint32_t>(system.Settings.Color), 0xFF00000Fu);
}

} // namespace
