#include "AdvPanel/store/panel_store.h"

#include "AdvPanel/store/panel_store_text.h"
#include "toolkit/exceptions.h"
#include "toolkit/win_handles.h"

#include <windows.h>

namespace advpanel {
namespace {

class IniStore final : public PositionStore {
public:
    IniStore(std::string file, std::string section)
        : file_(std::move(file)), section_(std::move(section)) {}

    int ReadInt(const char* name, int fallback) override {
        char buffer[2048];
        DWORD n = GetPrivateProfileStringA(section_.c_str(), name, "", buffer, sizeof buffer,
                                           file_.c_str());
        return StoreTextToInt(std::string_view(buffer, n), fallback);
    }
    void WriteInt(const char* name, int value) override { WriteText(name, StoreIntText(value)); }
    void WriteText(const char* name, const std::string& text) override {
        if (!WritePrivateProfileStringA(section_.c_str(), name, text.c_str(), file_.c_str()))
            throw tk::EWriteError("Failed to write '" + std::string(name) + "' to " + file_);
    }

private:
    std::string file_;
    std::string section_;
};

class RegistryStore final : public PositionStore {
public:
    explicit RegistryStore(tk::RegistryKey section) : section_(std::move(section)) {}

    int ReadInt(const char* name, int fallback) override {
        if (!section_) return fallback;
        DWORD type = 0;
        BYTE data[256];
        DWORD size = sizeof data;
        if (RegQueryValueExA(section_.Get(), name, nullptr, &type, data, &size) != ERROR_SUCCESS)
            return fallback;
        if (type == REG_DWORD && size == sizeof(DWORD)) {
            DWORD value;
            memcpy(&value, data, sizeof value);
            return static_cast<int>(value);
        }
        if (type == REG_SZ) {
            std::string_view text(reinterpret_cast<const char*>(data), size);
            if (size_t nul = text.find('\0'); nul != std::string_view::npos)
                text = text.substr(0, nul);
            return StoreTextToInt(text, fallback);
        }
        return fallback;
    }

    void WriteInt(const char* name, int value) override {
        // A value someone stored as text stays text.
        DWORD type = 0;
        if (RegQueryValueExA(section_.Get(), name, nullptr, &type, nullptr, nullptr) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            WriteText(name, StoreIntText(value));
            return;
        }
        DWORD data = static_cast<DWORD>(value);
        Set(name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    }

    void WriteText(const char* name, const std::string& text) override {
        Set(name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
            static_cast<DWORD>(text.size() + 1));
    }

private:
    void Set(const char* name, DWORD type, const BYTE* data, DWORD size) {
        if (RegSetValueExA(section_.Get(), name, 0, type, data, size) != ERROR_SUCCESS)
            throw tk::ERegistryException("Failed to set data for '" + std::string(name) + "'");
    }

    tk::RegistryKey section_;
};

std::unique_ptr<PositionStore> OpenRegistryStore(const std::string& key, const std::string& section,
                                                 bool forWriting) {
    HKEY raw = nullptr;
    // The key is opened with full access and created when missing, for reading too.
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
        if (forWriting) throw tk::ERegistryException("Failed to create key " + key);
        return std::make_unique<RegistryStore>(tk::RegistryKey());
    }
    tk::RegistryKey root(raw);
    raw = nullptr;
    if (forWriting) {
        if (RegCreateKeyExA(root.Get(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &raw, nullptr) != ERROR_SUCCESS)
            throw tk::ERegistryException("Failed to create key " + section);
    } else if (RegOpenKeyExA(root.Get(), section.c_str(), 0, KEY_ALL_ACCESS, &raw) !=
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
