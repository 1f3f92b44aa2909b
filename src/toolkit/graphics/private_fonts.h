#pragma once
// Fonts of the program's own, and asking the system which font it really selects.
#include "graphics.h"

#include <windows.h>

namespace tk {

// Makes the font stored in `module` under `resourceName` usable by this process alone, once;
// it stays until the program ends. False when it is missing or the system refuses it.
bool UsePrivateFont(HMODULE module, const char* resourceName);

// Whether `font`, as the system selects it, draws `character` itself: the selected face is the
// one the font names, and it has a glyph for the character.
bool DrawsCharacter(const TFont& font, char character);

} // namespace tk
