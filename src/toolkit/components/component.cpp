#include "component.h"

#include "component_reader.h"
#include "toolkit/base/exceptions.h"

#include <algorithm>

namespace tk {

void TPersistent::ReadPropertyPath(std::string_view path, const LayoutValue& value,
                                   LayoutReader& reader) {
    size_t dot = path.find('.');
    if (dot == std::string_view::npos) {
        if (!ReadProperty(path, value, reader))
            throw EReadError("Property " + std::string(path) + " does not exist on " + ClassName());
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

TPersistent* TPersistent::SubObject(std::string_view) {
    return nullptr;
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& list = other->freeNotifies_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        other->Notification(this);
    }
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

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) != freeNotifies_.end()) return;
    freeNotifies_.push_back(other);
    other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    auto& mine = freeNotifies_;
    mine.erase(std::remove(mine.begin(), mine.end(), other), mine.end());
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
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

const TMethod* TComponent::FindMethod(std::string_view) const {
    return nullptr;
}

bool TComponent::ReadProperty(std::string_view name, const LayoutValue& value,
                              LayoutReader& reader) {
    if (name == "Tag") {
        Tag = reader.Int(value);
        return true;
    }
    return TPersistent::ReadProperty(name, value, reader);
}

} // namespace tk
