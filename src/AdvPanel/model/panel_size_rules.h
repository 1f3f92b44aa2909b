#pragma once
// The arithmetic of the panel's own areas and sizes: the area it leaves to its children, and, when
// it sizes itself to its text, what rectangle the text is measured in and what width and height
// the panel takes from the measured extent.
#include "AdvPanel/model/panel_types.h"
#include "toolkit/base/geometry.h"

#include <functional>
#include <optional>
#include <string_view>

namespace advpanel {

struct PanelFrame {
    int Width = 0;
    int Height = 0;
    bool CaptionVisible = false;
    TCaptionPosition CaptionPosition = TCaptionPosition::cpTop;
    int CaptionHeight = 20;
    bool StatusBarVisible = false;
    int StatusBarHeight = 18;
};

// The client rectangle with the caption strip and the status bar taken off, before the border
// and bevel insets. A top caption takes rows from the top and the status bar from the bottom; a
// left caption takes columns from the left and the status bar from the right.
tk::TRect AreaInsideStrips(const PanelFrame& frame);

struct TextExtent {
    int Width = 0;
    int Height = 0;
};

// The panel's settings that auto-sizing reads.
struct AutoSizeFrame {
    int Width = 0;
    int Height = 0;
    bool SizeWidth = true;  // AutoSize.Width
    bool SizeHeight = true; // AutoSize.Height
    int BevelWidth = 1;
    int BorderWidth = 0;
    int Indent = 0;
    int TopIndent = 0;
    TCaptionPosition CaptionPosition = TCaptionPosition::cpTop;
    bool CaptionVisible = false;
    int CaptionHeight = 20;
    bool StatusBarVisible = false;
    int StatusBarHeight = 18;
};

// The rectangle the text is laid out in: unbounded in a direction that is sized to the text,
// otherwise the panel's extent less the bevel on both sides.
tk::TRect AutoSizeMeasureRect(const AutoSizeFrame& frame);

struct AutoSizeResult {
    std::optional<int> Width;  // set when the width follows the text
    std::optional<int> Height; // set when the height follows the text
};

// The panel size for a text of the given extent. The bevel width counts whether or not a bevel
// is drawn.
AutoSizeResult AutoSizeFromText(const AutoSizeFrame& frame, TextExtent text);

// Plain text measured line by line (lines end at CR LF): the widest line and the lines' heights
// summed. An empty text has no extent.
TextExtent MeasurePlainLines(std::string_view text, int lineHeight,
                             const std::function<int(std::string_view line)>& lineWidth);

} // namespace advpanel
