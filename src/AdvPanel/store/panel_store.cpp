#include "AdvPanel/store/panel_store.h"

#include "AdvPanel/store/panel_store_text.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/text/unicode_text.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <cstring>
#include <iterator>
#include <string>

namespace advpanel {
namespace {

// Names, files, sections and keys are UTF-8 inside the program and UTF-16 at each call.
class IniStore final : public PositionStore {
public:
    IniStore(const std::string& file, const std::string& section)
        : file_(file), wideFile_(tk::Wide(file)), section_(tk::Wide(section)) {}

    int ReadInt(const char* name, int fallback) override {
        wchar_t buffer[2048];
        DWORD n =
            GetPrivateProfileStringW(section_.c_str(), tk::Wide(name).c_str(), L"", buffer,
                                     static_cast<DWORD>(std::size(buffer)), wideFile_.c_str());
        return StoreTextToInt(tk::Utf8(std::wstring_view(buffer, n)), fallback);
    }
    void WriteInt(const char* name, int value) override { WriteText(name, StoreIntText(value)); }
    void WriteText(const char* name, const std::string& text) override {
        if (!WritePrivateProfileStringW(section_.c_str(), tk::Wide(name).c_str(),
                                        tk::Wide(text).c_str(), wideFile_.c_str()))
            throw tk::EWriteError("Failed to write '" + std::string(name) + "' to " + file_);
    }

private:
    std::string file_; // for the error message
    std::wstring wideFile_;
    std::wstring section_;
};

class RegistryStore final : public PositionStore {
public:
    explicit RegistryStore(tk::RegistryKey section) : section_(std::move(section)) {}

    int ReadInt(const char* name, int fallback) override {
        if (!section_) return fallback;
        DWORD type = 0;
        BYTE data[512];
        DWORD size = sizeof data;
        if (RegQueryValueExW(section_.Get(), tk::Wide(name).c_str(), nullptr, &type, data, &size) !=
            ERROR_SUCCESS)
            return fallback;
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            DWORD value;
            memcpy(&value, data, sizeof value);
            return static_cast<int>(value);
        }
        if (type == REG_SZ) {
            std::wstring text(size / sizeof(wchar_t), L'\0');
            memcpy(text.data(), data, text.size() * sizeof(wchar_t));
            if (size_t nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
            return StoreTextToInt(tk::Utf8(text), fallback);
        }
        return fallback;
    }

    void WriteInt(const char* name, int value) override {
        // A value someone stored as text stays text.
        DWORD type = 0;
        if (RegQueryValueExW(section_.Get(), tk::Wide(name).c_str(), nullptr, &type, nullptr,
                             nullptr) == ERROR_SUCCESS &&
            type == REG_SZ) {
            WriteText(name, StoreIntText(value));
            return;
        }
        DWORD data = static_cast<DWORD>(value);
        Set(name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }

    void WriteText(const char* name, const std::string& text) override {
        const std::wstring wide = tk::Wide(text);
        Set(name, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
            static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }

private:
    void Set(const char* name, DWORD type, const BYTE* data, DWORD size) {
        if (RegSetValueExW(section_.Get(), tk::Wide(name).c_str(), 0, type, data, size) !=
            ERROR_SUCCESS)
            throw tk::ERegistryException("Failed to set data for '" + std::string(name) + "'");
    }

    tk::RegistryKey section_;
};

std::unique_ptr<PositionStore> OpenRegistryStore(const std::string& key, const std::string& section,
                                                 bool forWriting) {
    HKEY raw = nullptr;
    // The key is opened with full access and created when missing, for reading too.
    if (RegCreateKeyExW(HKEY_CURRENT_USER, tk::Wide(key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS) {
        if (forWriting) throw tk::ERegistryException("Failed to create key " + key);
        return std::make_unique<RegistryStore>(tk::RegistryKey());
    }
    tk::RegistryKey root(raw);
    raw = nullptr;
    const std::wstring wideSection = tk::Wide(section);
    if (forWriting) {
        if (RegCreateKeyExW(root.Get(), wideSection.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
            throw tk::ERegistryException("Failed to create key " + section);
    } else if (RegOpenKeyExW(root.Get(), wideSection.c_str(), 0, KEY_ALL_ACCESS, &raw) !=
               ERROR_SUCCESS) {
        raw = nullptr; // a missing section reads as defaults
    }
    return std::make_unique<RegistryStore>(tk::RegistryKey(raw));
}

} // namespace

std::unique_ptr<PositionStore> OpenPositionStore(TPanelPositionLocation location,
                                                 const std::string& key, const std::string& section,
                                                 bool forWriting) {
    if (key.empty() || section.empty()) return nullptr;
    if (location == TPanelPositionLocation::clInifile)
        return std::make_unique<IniStore>(key, section);
    return OpenRegistryStore(key, section, forWriting);
}

} // namespace advpanel
