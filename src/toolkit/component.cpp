#include "component.h"

#include "component_reader.h"
#include "exceptions.h"

#include <algorithm>

namespace tk {

void TPersistent::ReadPropertyPath(std::string_view path, const LayoutValue& value,
                                   LayoutReader& reader) {
    size_t dot = path.find('.');
    if (dot == std::string_view::npos) {
        if (!ReadProperty(path, value, reader))
            throw EReadError("Property " + std::string(path) + " does not exist on " +
                             ClassName());
        return;
    }
    TPersistent* sub = SubObject(path.substr(0, dot));
    if (!sub)
        throw EReadError("Property " + std::string(path.substr(0, dot)) + " does not exist on " +
                         ClassName());
    sub->ReadPropertyPath(path.substr(dot + 1), value, reader);
}

bool TPersistent::ReadProperty(std::string_view, const LayoutValue&, LayoutReader&) {
    return false;
}

TPersistent* TPersistent::SubObject(std::string_view) { return nullptr; }

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    // Owned components go first, the last created first.
    while (!components_.empty()) {
        TComponent* child = components_.back();
        delete child; // its destructor removes it from components_
    }
    if (owner_) {
        auto& list = owner_->components_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        owner_->ComponentRemoved(this);
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (TComponent* c : components_)
        if (c->name_ == name) return c;
    return nullptr;
}

void TComponent::EndLoading() {
    loading_ = false;
    Loaded();
}

const TMethod* TComponent::FindMethod(std::string_view) const { return nullptr; }

bool TComponent::ReadProperty(std::string_view name, const LayoutValue& value,
                              LayoutReader& reader) {
    if (name == "Tag") {
        Tag = reader.Int(value);
        return true;
    }
    return TPersistent::ReadProperty(name, value, reader);
}

} // namespace tk
