#pragma once
// Objects, persistent objects with readable properties, and components with owners.
#include "toolkit/base/events.h"
#include "toolkit/base/exceptions.h"
#include "layout_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace tk {

class LayoutReader;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    virtual const char* ClassName() const { return "TObject"; }
};

// An object whose properties a stored layout can set, including through dotted paths into its
// owned sub-objects ("Caption.Font.Name").
class TPersistent : public TObject {
public:
    const char* ClassName() const override { return "TPersistent"; }

    // Applies one property; throws EReadError when the path names nothing.
    void ReadPropertyPath(std::string_view path, const LayoutValue& value, LayoutReader& reader);

protected:
    // Returns false when this class (and its bases) has no such property.
    virtual bool ReadProperty(std::string_view name, const LayoutValue& value,
                              LayoutReader& reader);
    // The owned sub-object published under `name`, or nullptr.
    virtual TPersistent* SubObject(std::string_view name);
};

// An Assign's source as the assigning class: null when it is the target itself (nothing to copy);
// EInvalidCast for a source of another class.
template <typename T> const T* AssignSource(const T& target, const TPersistent& source) {
    const auto* typed = dynamic_cast<const T*>(&source);
    if (!typed) throw EInvalidCast();
    return typed == &target ? nullptr : typed;
}

// Stores `value` in `field`; true when that changed it, so that a setter notifies only then.
template <typename T> bool StoreChanged(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

// A component: a named object with an owner that destroys it, a loading flag while a stored
// layout is applied, and a post-load step.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    TComponent* FindComponent(std::string_view name) const;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    int Tag = 0;

    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    // Clears the loading flag and runs the post-load step.
    void EndLoading();

    // Called by the layout reader with the component whose block encloses this one.
    virtual void SetParentComponent(TComponent*) {}

    // Both components are told (through Notification) when the other one is destroyed, so that
    // references between components that do not own each other can be cleared.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // Handlers published by this component for layout binding (forms publish theirs).
    virtual const TMethod* FindMethod(std::string_view name) const;

protected:
    // Post-load processing, after every stored property has been applied.
    virtual void Loaded() {}
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;
    // Called on the owner when an owned component is destroyed.
    virtual void ComponentRemoved(TComponent*) {}
    // Called when a component linked by FreeNotification is being destroyed.
    virtual void Notification(TComponent*) {}

private:
    TComponent* owner_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    bool loading_ = false;
};

} // namespace tk
