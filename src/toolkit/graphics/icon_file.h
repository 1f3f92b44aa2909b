#pragma once
// Reading the directory of an icon (.ico) file image, without the operating system.
#include <cstddef>
#include <optional>
#include <string_view>

namespace tk {

struct IconImageEntry {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    std::size_t Offset = 0; // of the image's bytes in the file image
    std::size_t Size = 0;
};

// The largest image of an icon file image (the deepest colour among equals); none when the data
// is not an icon file or no entry lies wholly inside it.
std::optional<IconImageEntry> BestIconImage(std::string_view data);

} // namespace tk
