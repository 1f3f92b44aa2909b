#include "AdvPanel/model/panel_reading.h"

namespace advpanel {

TGradientDirection ReadGradientDirection(tk::LayoutReader& r, const tk::LayoutValue& v) {
    return r.Enum<TGradientDirection>(v, {{"gdVertical", TGradientDirection::gdVertical},
                                          {"gdHorizontal", TGradientDirection::gdHorizontal}});
}

TCaptionPosition ReadCaptionPosition(tk::LayoutReader& r, const tk::LayoutValue& v) {
    return r.Enum<TCaptionPosition>(
        v, {{"cpTop", TCaptionPosition::cpTop}, {"cpLeft", TCaptionPosition::cpLeft}});
}

TCaptionButtonPosition ReadButtonPosition(tk::LayoutReader& r, const tk::LayoutValue& v) {
    return r.Enum<TCaptionButtonPosition>(v, {{"cbpRight", TCaptionButtonPosition::cbpRight},
                                              {"cbpLeft", TCaptionButtonPosition::cbpLeft}});
}

TCaptionShape ReadCaptionShape(tk::LayoutReader& r, const tk::LayoutValue& v) {
    return r.Enum<TCaptionShape>(v, {{"csRectangle", TCaptionShape::csRectangle},
                                     {"csRounded", TCaptionShape::csRounded},
                                     {"csSemiRounded", TCaptionShape::csSemiRounded}});
}

TShadeType ReadShadeType(tk::LayoutReader& r, const tk::LayoutValue& v) {
    using S = TShadeType;
    return r.Enum<S>(v, {{"stNormal", S::stNormal},
                         {"stNoise", S::stNoise},
                         {"stDiagShade", S::stDiagShade},
                         {"stHShade", S::stHShade},
                         {"stVShade", S::stVShade},
                         {"stHBump", S::stHBump},
                         {"stVBump", S::stVBump},
                         {"stSoftBump", S::stSoftBump},
                         {"stHardBump", S::stHardBump},
                         {"stLMetal", S::stLMetal},
                         {"stRMetal", S::stRMetal},
                         {"stIRadial", S::stIRadial},
                         {"stORadial", S::stORadial},
                         {"stHShadeInv", S::stHShadeInv},
                         {"stVShadeInv", S::stVShadeInv},
                         {"stXPCaption", S::stXPCaption},
                         {"stBitmap", S::stBitmap},
                         {"stBitmapRStretch", S::stBitmapRStretch},
                         {"stBitmapLStretch", S::stBitmapLStretch}});
}

TPanelPositionLocation ReadPositionLocation(tk::LayoutReader& r, const tk::LayoutValue& v) {
    return r.Enum<TPanelPositionLocation>(v, {{"clRegistry", TPanelPositionLocation::clRegistry},
                                              {"clInifile", TPanelPositionLocation::clInifile}});
}

TBackGroundPosition ReadBackgroundPosition(tk::LayoutReader& r, const tk::LayoutValue& v) {
    using B = TBackGroundPosition;
    return r.Enum<B>(v, {{"bpTopLeft", B::bpTopLeft},
                         {"bpTopRight", B::bpTopRight},
                         {"bpBottomLeft", B::bpBottomLeft},
                         {"bpBottomRight", B::bpBottomRight},
                         {"bpTiled", B::bpTiled},
                         {"bpStretched", B::bpStretched},
                         {"bpCenter", B::bpCenter}});
}

TTextVAlignment ReadTextVAlignment(tk::LayoutReader& r, const tk::LayoutValue& v) {
    return r.Enum<TTextVAlignment>(v, {{"tvaTop", TTextVAlignment::tvaTop},
                                       {"tvaCenter", TTextVAlignment::tvaCenter},
                                       {"tvaBottom", TTextVAlignment::tvaBottom}});
}

} // namespace advpanel
