#include "component_reader.h"

#include <cstdint>
#include <map>

namespace tk {
namespace {

std::map<std::string, ComponentFactory, std::less<>>& Registry() {
    static std::map<std::string, ComponentFactory, std::less<>> registry;
    return registry;
}

} // namespace

void RegisterComponentClass(std::string_view className, ComponentFactory factory) {
    Registry()[std::string(className)] = factory;
}

ComponentFactory FindComponentClass(std::string_view className) {
    auto it = Registry().find(className);
    return it == Registry().end() ? nullptr : it->second;
}

LayoutReader::LayoutReader(TComponent& root, ResourceLoader loadResource)
    : root_(root), loadResource_(std::move(loadResource)) {}

void LayoutReader::Read(const LayoutNode& rootNode) {
    root_.BeginLoading();
    created_.push_back(&root_);
    ReadProperties(root_, rootNode);
    ReadChildren(root_, rootNode);
}

void LayoutReader::Finish() {
    for (TComponent* c : created_)
        c->EndLoading();
}

void LayoutReader::ReadProperties(TComponent& target, const LayoutNode& node) {
    for (const LayoutProperty& p : node.Properties) {
        try {
            target.ReadPropertyPath(p.Path, p.Value, *this);
        } catch (const EReadError& e) {
            throw EReadError("Error reading " + node.Name + "." + p.Path + " (line " +
                             std::to_string(p.Line) + "): " + e.Message());
        }
    }
}

void LayoutReader::ReadChildren(TComponent& parent, const LayoutNode& node) {
    for (const LayoutNode& childNode : node.Children) {
        ComponentFactory factory = FindComponentClass(childNode.ClassName);
        if (!factory) throw EReadError("Class " + childNode.ClassName + " not found");
        if (root_.FindComponent(childNode.Name))
            throw EReadError("A component named " + childNode.Name + " already exists");
        TComponent* child = factory(&root_);
        child->SetName(childNode.Name);
        child->BeginLoading();
        created_.push_back(child);
        child->SetParentComponent(&parent);
        ReadProperties(*child, childNode);
        ReadChildren(*child, childNode);
    }
}

EReadError LayoutReader::Invalid(const LayoutValue& v) const {
    std::string shown =
        v.ValueKind == LayoutValue::Kind::Integer ? std::to_string(v.Integer) : v.Text;
    return EReadError("Invalid property value " + shown);
}

int LayoutReader::Int(const LayoutValue& v) const {
    if (v.ValueKind != LayoutValue::Kind::Integer) throw Invalid(v);
    // Values up to 0xFFFFFFFF are stored 32-bit patterns (colours); they wrap into an int.
    return static_cast<int>(static_cast<std::uint32_t>(v.Integer));
}

bool LayoutReader::Bool(const LayoutValue& v) const {
    return Enum<bool>(v, {{"True", true}, {"False", false}});
}

std::string LayoutReader::String(const LayoutValue& v) const {
    if (v.ValueKind != LayoutValue::Kind::String) throw Invalid(v);
    return v.Text;
}

TColor LayoutReader::Color(const LayoutValue& v) const {
    if (v.ValueKind == LayoutValue::Kind::Integer) return static_cast<TColor>(Int(v));
    if (v.ValueKind == LayoutValue::Kind::Identifier)
        if (auto c = ColorFromIdent(v.Text)) return *c;
    throw Invalid(v);
}

std::string LayoutReader::ResourceData(const LayoutValue& v) const {
    if (v.ValueKind != LayoutValue::Kind::Resource) throw Invalid(v);
    return loadResource_(v.Text);
}

} // namespace tk
