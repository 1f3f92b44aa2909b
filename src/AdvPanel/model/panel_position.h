#pragma once
// Where a panel keeps its own position, and whether it sizes itself to its text.
#include "AdvPanel/model/panel_types.h"
#include "toolkit/components/component.h"

#include <string>

namespace advpanel {

class TCustomAdvPanel;

class TPanelPosition : public tk::TPersistent {
public:
    explicit TPanelPosition(TCustomAdvPanel& owner) : owner_(owner) {}
    const char* ClassName() const override { return "TPanelPosition"; }
    TCustomAdvPanel& Owner() const { return owner_; }

    bool Save = false;
    std::string Key;
    std::string Section;
    TPanelPositionLocation Location = TPanelPositionLocation::clRegistry;

    // Throws EInvalidCast for a source that is not a position.
    void Assign(const tk::TPersistent& source);

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;

private:
    TCustomAdvPanel& owner_;
};

class TAutoSize : public tk::TPersistent {
public:
    explicit TAutoSize(TCustomAdvPanel& owner) : owner_(owner) {}
    const char* ClassName() const override { return "TAutoSize"; }

    bool Enabled() const { return enabled_; }
    // Turning auto-sizing on sizes the panel at once.
    void SetEnabled(bool value);
    bool Height = true;
    bool Width = true;

    // Enabled through its setter, then Height and Width. Throws EInvalidCast for a source that
    // is not an auto-size object.
    void Assign(const tk::TPersistent& source);

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;

private:
    TCustomAdvPanel& owner_;
    bool enabled_ = false;
};

} // namespace advpanel
