#include "dialog_text.h"

#include "access_keys.h"

namespace dialogs {

std::string DialogClipboardText(const std::string& title, const std::string& message,
                                const std::vector<std::string>& captions) {
    const std::string divider = std::string(27, '-') + "\r\n";
    std::string buttons;
    for (const std::string& caption : captions)
        buttons += WithoutAmpersands(caption) + "   ";
    return divider + title + "\r\n" + divider + message + "\r\n" + divider + buttons + "\r\n" +
           divider;
}

} // namespace dialogs
