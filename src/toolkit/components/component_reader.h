#pragma once
// Applies a parsed layout to a root component: creates the owned components by class name, sets
// their parents and properties while they are flagged as loading, binds handlers by name, and
// finally runs every post-load step.
#include "toolkit/base/colors.h"
#include "component.h"
#include "toolkit/base/exceptions.h"
#include "layout_text.h"

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tk {

using ComponentFactory = TComponent* (*)(TComponent* owner);

// One name of an enumeration's values in a stored layout.
template <typename E> using EnumName = std::pair<std::string_view, E>;

// Registers the classes that stored layouts may name.
void RegisterComponentClass(std::string_view className, ComponentFactory factory);
ComponentFactory FindComponentClass(std::string_view className);

template <typename T> void RegisterComponentClass(std::string_view className) {
    RegisterComponentClass(className,
                           [](TComponent* owner) -> TComponent* { return new T(owner); });
}

class LayoutReader {
public:
    // `loadResource` returns the bytes of a program resource named in the layout.
    using ResourceLoader = std::function<std::string(const std::string& name)>;

    LayoutReader(TComponent& root, ResourceLoader loadResource);

    // Reads the root's properties and creates its components. Everything read stays flagged as
    // loading until Finish().
    void Read(const LayoutNode& rootNode);
    // Clears the loading flags and runs the post-load steps, root first, then in creation order.
    void Finish();

    // Value conversions; each throws EReadError for a value of the wrong kind.
    int Int(const LayoutValue& v) const;
    bool Bool(const LayoutValue& v) const;
    std::string String(const LayoutValue& v) const;
    TColor Color(const LayoutValue& v) const;
    std::string ResourceData(const LayoutValue& v) const;

    template <typename E> E Enum(const LayoutValue& v, std::span<const EnumName<E>> names) const {
        for (const auto& [name, value] : names)
            if (v.ValueKind == LayoutValue::Kind::Identifier && v.Text == name) return value;
        throw Invalid(v);
    }
    template <typename E>
    E Enum(const LayoutValue& v, std::initializer_list<EnumName<E>> names) const {
        return Enum<E>(v, std::span<const EnumName<E>>(names.begin(), names.size()));
    }

    // A set of flags from identifiers; unknown identifiers are errors.
    template <typename Bits>
    Bits Set(const LayoutValue& v,
             std::initializer_list<std::pair<std::string_view, Bits>> names) const {
        if (v.ValueKind != LayoutValue::Kind::Set) throw Invalid(v);
        Bits bits{};
        for (const std::string& item : v.Items) {
            bool found = false;
            for (const auto& [name, bit] : names)
                if (item == name) {
                    bits = static_cast<Bits>(bits | bit);
                    found = true;
                }
            if (!found) throw EReadError("Invalid set element " + item);
        }
        return bits;
    }

    // The root's handler named by an identifier, which must have the slot's type.
    template <typename Handler> Handler Method(const LayoutValue& v) const {
        if (v.ValueKind != LayoutValue::Kind::Identifier) throw Invalid(v);
        const TMethod* method = root_.FindMethod(v.Text);
        if (!method) throw EReadError("Method " + v.Text + " not found");
        if (const Handler* h = std::get_if<Handler>(method)) return *h;
        throw EReadError("Method " + v.Text + " has the wrong parameters");
    }

    const std::vector<TComponent*>& Created() const { return created_; }

private:
    EReadError Invalid(const LayoutValue& v) const;
    void ReadProperties(TComponent& target, const LayoutNode& node);
    void ReadChildren(TComponent& parent, const LayoutNode& node);

    TComponent& root_;
    ResourceLoader loadResource_;
    std::vector<TComponent*> created_;
};

} // namespace tk
