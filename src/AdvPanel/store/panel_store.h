#pragma once
// The place a panel keeps its position: a registry key under HKEY_CURRENT_USER or an INI file.
// A store is opened for one save or restore and closed at its end.
#include "AdvPanel/model/panel_types.h"

#include <memory>
#include <string>

namespace advpanel {

class PositionStore {
public:
    virtual ~PositionStore() = default;
    // The stored number, or `fallback` when the value is missing or not a number.
    virtual int ReadInt(const char* name, int fallback) = 0;
    virtual void WriteInt(const char* name, int value) = 0;
    virtual void WriteText(const char* name, const std::string& text) = 0;
};

// Opens the store named by `key` and `section`; nullptr when either is empty. Reading never
// creates the section; writing does, and throws ERegistryException when it cannot.
std::unique_ptr<PositionStore> OpenPositionStore(TPanelPositionLocation location,
                                                 const std::string& key, const std::string& section,
                                                 bool forWriting);

} // namespace advpanel
