#include "file_dialog_rules.h"

namespace tk {

std::string FilterForSystem(const std::string& filter) {
    std::string out = filter;
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

std::string ExtensionForSystem(const std::string& defaultExt) {
    size_t start = defaultExt.find_first_not_of('.');
    return start == std::string::npos ? std::string() : defaultExt.substr(start);
}

std::wstring PathFromTypedName(const std::wstring& folder, const std::wstring& typed,
                               const std::wstring& extension) {
    std::wstring path;
    const bool fromDrive = typed.size() >= 2 && typed[1] == L':';
    if (fromDrive || typed.rfind(L"\\\\", 0) == 0)
        path = typed;
    else if (!typed.empty() && typed[0] == L'\\')
        path = folder.substr(0, 2) + typed;
    else
        path = folder.empty() || folder.back() == L'\\' ? folder + typed : folder + L"\\" + typed;
    // The name's extension: after its last period, with no blank or folder separator after it.
    size_t dot = path.find_last_of(L".\\ ");
    bool hasExtension = dot != std::wstring::npos && path[dot] == L'.';
    if (!hasExtension && !extension.empty()) path += L"." + extension;
    return path;
}

TPoint FileDialogPlace(const TRect& monitor, int dialogWidth, int dialogHeight) {
    return {monitor.Left + (monitor.Width() - dialogWidth) / 2,
            monitor.Top + (monitor.Height() - dialogHeight) / 3};
}

} // namespace tk
