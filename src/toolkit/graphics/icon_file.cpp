#include "icon_file.h"

namespace tk {
namespace {

unsigned Word(std::string_view d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) |
           static_cast<unsigned>(static_cast<unsigned char>(d[at + 1])) << 8;
}
std::size_t DWord(std::string_view d, std::size_t at) {
    return Word(d, at) | static_cast<std::size_t>(Word(d, at + 2)) << 16;
}

} // namespace

std::optional<IconImageEntry> BestIconImage(std::string_view data) {
    constexpr std::size_t kHeader = 6, kEntry = 16;
    if (data.size() < kHeader || Word(data, 0) != 0 || Word(data, 2) != 1) return std::nullopt;
    std::size_t count = Word(data, 4);
    if (count == 0 || data.size() < kHeader + count * kEntry) return std::nullopt;
    std::optional<IconImageEntry> best;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t at = kHeader + i * kEntry;
        IconImageEntry e;
        e.Width = static_cast<unsigned char>(data[at]) ? static_cast<unsigned char>(data[at]) : 256;
        e.Height = static_cast<unsigned char>(data[at + 1])
                       ? static_cast<unsigned char>(data[at + 1])
                       : 256;
        e.BitCount = static_cast<int>(Word(data, at + 6));
        e.Size = DWord(data, at + 8);
        e.Offset = DWord(data, at + 12);
        if (e.Size == 0 || e.Offset > data.size() || e.Size > data.size() - e.Offset) continue;
        bool better =
            !best || e.Width * e.Height > best->Width * best->Height ||
            (e.Width * e.Height == best->Width * best->Height && e.BitCount > best->BitCount);
        if (better) best = e;
    }
    return best;
}

} // namespace tk
