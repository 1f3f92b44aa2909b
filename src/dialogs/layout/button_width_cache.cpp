#include "button_width_cache.h"

namespace dialogs {

void ButtonWidthCache::Fill(TMsgDlgButtons set,
                            const std::function<int(const std::string&)>& measure) {
    for (TMsgDlgBtn kind : ButtonsIn(set)) {
        int& width = widths_[static_cast<size_t>(kind)];
        if (width == 0) width = measure(ButtonKind(kind).Caption) + 8;
    }
}

} // namespace dialogs
