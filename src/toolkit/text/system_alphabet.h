#pragma once
// The system's idea of the characters for a search: its lower case and its letters and digits.
#include "text_search.h"

namespace tk {

// Made once, on first use (about 200 KB), and kept.
const SearchAlphabet& SystemAlphabet();

} // namespace tk
