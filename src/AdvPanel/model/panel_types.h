#pragma once
// Enumerations of the gradient panel's settings.

namespace advpanel {

enum class TCaptionPosition { cpTop, cpLeft };
enum class TGradientDirection { gdVertical, gdHorizontal };
enum class TCaptionButtonPosition { cbpRight, cbpLeft };
enum class TCaptionShape { csRectangle, csRounded, csSemiRounded };
enum class TShadeType {
    stNormal,
    stNoise,
    stDiagShade,
    stHShade,
    stVShade,
    stHBump,
    stVBump,
    stSoftBump,
    stHardBump,
    stLMetal,
    stRMetal,
    stIRadial,
    stORadial,
    stHShadeInv,
    stVShadeInv,
    stXPCaption,
    stBitmap,
    stBitmapRStretch,
    stBitmapLStretch,
};
enum class TPanelPositionLocation { clRegistry, clInifile };
enum class TBackGroundPosition {
    bpTopLeft,
    bpTopRight,
    bpBottomLeft,
    bpBottomRight,
    bpTiled,
    bpStretched,
    bpCenter,
};
enum class TTextVAlignment { tvaTop, tvaCenter, tvaBottom };

} // namespace advpanel
