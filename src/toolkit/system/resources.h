#pragma once
// Program resources stored as raw data (RCDATA).
#include <windows.h>

#include <string>

namespace tk {

// Copies the RCDATA resource `name` of `module` into `data`; false when there is none.
bool FindResourceData(HMODULE module, const char* name, std::string& data);

} // namespace tk
