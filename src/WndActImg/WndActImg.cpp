#include "WndActImg.h"

#include "toolkit/components/component_reader.h"
#include "toolkit/controls/win_control.h"

namespace wndact {

TWndActImage::TWndActImage(tk::TComponent* owner) : tk::TImage(owner) {
    // Installed here, before a layout applies its values: binding another handler replaces it.
    OnMouseDown = [this](tk::TObject* sender, tk::TMouseButton button, tk::TShiftState shift,
                         int x, int y) { WindowAction(sender, button, shift, x, y); };
}

// Starts the system's move or size loop for the owner's window, with the drag-full-windows
// setting switched to ShowWndContent for the time of the loop. Every button acts alike.
void TWndActImage::WindowAction(tk::TObject*, tk::TMouseButton, tk::TShiftState, int, int) {
    auto* ownerControl = dynamic_cast<tk::TWinControl*>(Owner());
    if (!ownerControl || !ownerControl->HandleAllocated()) return;
    HWND target = ownerControl->Handle();

    BOOL userSetting = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &userSetting, 0);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, ShowWndContent ? 1 : 0, nullptr, 0);
    ReleaseCapture();
    SendMessageW(target, WM_NCLBUTTONDOWN,
                 static_cast<WPARAM>(HitTestCodeFor(static_cast<int>(ClickTarget))), 0);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, userSetting ? 1 : 0, nullptr, 0);
}

bool TWndActImage::ReadProperty(std::string_view name, const tk::LayoutValue& value,
                                tk::LayoutReader& reader) {
    if (name == "ClickTarget") {
        using T = TClickTargets;
        ClickTarget = reader.Enum<T>(value, {{"atCaption", T::atCaption},
                                             {"atBorderTop", T::atBorderTop},
                                             {"atBorderRight", T::atBorderRight},
                                             {"atBorderBottom", T::atBorderBottom},
                                             {"atBorderLeft", T::atBorderLeft},
                                             {"atCornerTopRight", T::atCornerTopRight},
                                             {"atCornerTopLeft", T::atCornerTopLeft},
                                             {"atCornerBottonRight", T::atCornerBottonRight},
                                             {"atCornerBottomLeft", T::atCornerBottomLeft},
                                             {"atNone", T::atNone}});
    } else if (name == "ShowWndContent") {
        ShowWndContent = reader.Bool(value);
    } else {
        return tk::TImage::ReadProperty(name, value, reader);
    }
    return true;
}

} // namespace wndact
