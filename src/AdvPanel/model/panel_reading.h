#pragma once
// Reading the gradient panel's enumerations from a stored layout.
#include "AdvPanel/model/panel_size_rules.h"
#include "AdvPanel/model/panel_types.h"
#include "toolkit/components/component_reader.h"

namespace advpanel {

TGradientDirection ReadGradientDirection(tk::LayoutReader& r, const tk::LayoutValue& v);
TCaptionPosition ReadCaptionPosition(tk::LayoutReader& r, const tk::LayoutValue& v);
TCaptionButtonPosition ReadButtonPosition(tk::LayoutReader& r, const tk::LayoutValue& v);
TCaptionShape ReadCaptionShape(tk::LayoutReader& r, const tk::LayoutValue& v);
TShadeType ReadShadeType(tk::LayoutReader& r, const tk::LayoutValue& v);
TPanelPositionLocation ReadPositionLocation(tk::LayoutReader& r, const tk::LayoutValue& v);
TBackGroundPosition ReadBackgroundPosition(tk::LayoutReader& r, const tk::LayoutValue& v);
TTextVAlignment ReadTextVAlignment(tk::LayoutReader& r, const tk::LayoutValue& v);

} // namespace advpanel
