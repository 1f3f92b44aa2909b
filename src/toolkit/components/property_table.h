#pragma once
// Stored properties read through one table per class: each property's name with the setter that
// reads its value into the object. A class's ReadProperty applies its own table and leaves the
// names it does not know to its base class:
//
//     static const PropertyTable<TLabel> properties{
//         {"Caption", Set<&TLabel::SetCaption>},
//         {"WordWrap", Set<&TLabel::WordWrap>},
//         {"Alignment", Set<&TLabel::Alignment, ReadEnum<kAlignmentNames>>},
//     };
//     return properties.Apply(*this, name, value, reader) ||
//            TGraphicControl::ReadProperty(name, value, reader);
//
// Set<member> assigns a field or calls a one-argument setter with the value read by the type it
// takes: bool, int, a string, or a handler bound by name. Another reading goes second: a
// LayoutReader member (&LayoutReader::Color), ReadEnum<names> for an enumeration, or a function
// (LayoutReader&, const LayoutValue&) returning the value. Anything else is a lambda of the
// setter's shape.
#include "component_reader.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tk {

template <typename T> class PropertyTable {
public:
    using Setter = void (*)(T& target, const LayoutValue& value, LayoutReader& reader);
    struct Property {
        std::string_view Name;
        Setter Set;
    };

    PropertyTable(std::initializer_list<Property> properties) : properties_(properties) {}

    // Sets the property `name` of `target`; false when this table has no such property.
    bool Apply(T& target, std::string_view name, const LayoutValue& value,
               LayoutReader& reader) const {
        for (const Property& property : properties_)
            if (property.Name == name) {
                property.Set(target, value, reader);
                return true;
            }
        return false;
    }

private:
    std::vector<Property> properties_;
};

namespace property_detail {

// The type a member takes: a field's type, or the one parameter of a setter.
template <typename Member> struct TakenBy;
template <typename C, typename F> struct TakenBy<F C::*> { using Type = F; };
template <typename C, typename R, typename A> struct TakenBy<R (C::*)(A)> {
    using Type = std::decay_t<A>;
};

template <typename V> V ReadByType(const LayoutValue& value, LayoutReader& reader) {
    if constexpr (std::is_same_v<V, bool>)
        return reader.Bool(value);
    else if constexpr (std::is_same_v<V, int>)
        return reader.Int(value);
    else if constexpr (std::is_same_v<V, std::string>)
        return reader.String(value);
    else
        return reader.Method<V>(value);
}

} // namespace property_detail

// A reading for a table: the enumeration value that `Names`, an array of EnumName, names.
template <const auto& Names> auto ReadEnum(LayoutReader& reader, const LayoutValue& value) {
    using E = typename std::remove_cvref_t<decltype(Names[0])>::second_type;
    return reader.Enum<E>(value, Names);
}

// A setter for a table: `Member` (a field or a one-argument setter) given the value read by
// `Read`, or by the type it takes when no reading is given.
template <auto Member, auto Read = nullptr, typename T>
void Set(T& target, const LayoutValue& value, LayoutReader& reader) {
    using V = typename property_detail::TakenBy<decltype(Member)>::Type;
    using R = decltype(Read);
    V read = [&]() -> V {
        if constexpr (std::is_null_pointer_v<R>)
            return property_detail::ReadByType<V>(value, reader);
        else if constexpr (std::is_member_function_pointer_v<R>)
            return (reader.*Read)(value);
        else
            return Read(reader, value);
    }();
    if constexpr (std::is_member_function_pointer_v<decltype(Member)>)
        (target.*Member)(std::move(read));
    else
        target.*Member = std::move(read);
}

} // namespace tk
