#pragma once
// An invisible image that hands its owner's window to the system's own move or size loop.
#include "click_targets.h"
#include "toolkit/controls/stdctrls.h"

namespace wndact {

class TWndActImage : public tk::TImage {
public:
    explicit TWndActImage(tk::TComponent* owner);
    const char* ClassName() const override { return "TWndActImage"; }

    // Stored as an ordinal, so that an out-of-range value acts as atNone.
    TClickTargets ClickTarget = TClickTargets::atCaption;
    bool ShowWndContent = false;

protected:
    bool ReadProperty(std::string_view name, const tk::LayoutValue& value,
                      tk::LayoutReader& reader) override;

private:
    void WindowAction(tk::TObject* sender, tk::TMouseButton button, tk::TShiftState shift, int x,
                      int y);
};

} // namespace wndact
