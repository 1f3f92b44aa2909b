#include "AdvPanel/panel_settings.h"

namespace advpanel {

TAdvPanelSettings::TAdvPanelSettings() {
    caption_.OnChange = [this](tk::TObject*) {
        if (OnChange) OnChange(this);
    };
}

} // namespace advpanel
