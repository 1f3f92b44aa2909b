#pragma once
// Caption widths of the button kinds, measured once each for the life of the process.
#include "message_kinds.h"

#include <array>
#include <functional>
#include <string>

namespace dialogs {

class ButtonWidthCache {
public:
    // Measures, for each kind in the set not measured yet, its caption; stores that width + 8.
    void Fill(TMsgDlgButtons set, const std::function<int(const std::string& caption)>& measure);
    // Per kind: the stored width, 0 while not measured.
    const std::array<int, kButtonKindCount>& Widths() const { return widths_; }

private:
    std::array<int, kButtonKindCount> widths_{};
};

} // namespace dialogs
