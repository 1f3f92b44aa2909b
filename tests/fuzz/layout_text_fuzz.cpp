// Fuzz target: the layout text parser must either build a tree or report a syntax error, for
// any input, without crashing, overflowing or exhausting the stack.
#include "toolkit/components/layout_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        tk::LayoutNode root = tk::ParseLayout(
            std::string_view(reinterpret_cast<const char*>(data), size));
        (void)root;
    } catch (const tk::LayoutSyntaxError&) {
    }
    return 0;
}
