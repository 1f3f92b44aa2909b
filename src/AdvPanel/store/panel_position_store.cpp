// Saving and restoring the panel's own position.
#include "AdvPanel/AdvPanel.h"
#include "AdvPanel/store/panel_store.h"
#include "AdvPanel/store/panel_store_text.h"

namespace advpanel {

void TCustomAdvPanel::SavePosition() {
    const TPanelPosition& p = *position_;
    auto store = OpenPositionStore(p.Location, p.Key, p.Section, true);
    if (!store) return;
    store->WriteInt("Top", Top());
    store->WriteInt("Left", Left());
    store->WriteInt("Height", Height());
    store->WriteInt("FullHeight", fullHeight_);
    store->WriteInt("Width", Width());
    store->WriteText("Collaps", StoreBoolText(collaps_));
}

void TCustomAdvPanel::RestorePosition() {
    const TPanelPosition& p = *position_;
    auto store = OpenPositionStore(p.Location, p.Key, p.Section, false);
    if (!store) return;
    SetTop(store->ReadInt("Top", Top()));
    SetLeft(store->ReadInt("Left", Left()));
    SetPanelHeight(store->ReadInt("Height", Height()));
    SetPanelWidth(store->ReadInt("Width", Width()));
    SetCollaps(store->ReadInt("Collaps", 0) == 1);
    fullHeight_ = store->ReadInt("FullHeight", Height());
}

} // namespace advpanel
