#include "support/image_files.h"

#include <fstream>

namespace wintest {
namespace {

void PutWord(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void PutDWord(std::string& s, unsigned v) {
    PutWord(s, v & 0xFFFF);
    PutWord(s, v >> 16);
}

// A bottom-up BITMAPINFOHEADER followed by 32-bit pixels of one colour.
std::string InfoAndPixels(int w, int h, int headerHeight, COLORREF color) {
    std::string s;
    PutDWord(s, 40);
    PutDWord(s, static_cast<unsigned>(w));
    PutDWord(s, static_cast<unsigned>(headerHeight));
    PutWord(s, 1);
    PutWord(s, 32);
    for (int i = 0; i < 6; ++i)
        PutDWord(s, 0);
    for (int i = 0; i < w * h; ++i) {
        s += static_cast<char>(GetBValue(color));
        s += static_cast<char>(GetGValue(color));
        s += static_cast<char>(GetRValue(color));
        s += static_cast<char>(0xFF);
    }
    return s;
}

} // namespace

std::string BmpFile(int w, int h, COLORREF color, unsigned pixelOffset) {
    std::string s = "BM";
    PutDWord(s, static_cast<unsigned>(54 + w * h * 4));
    PutDWord(s, 0);
    PutDWord(s, pixelOffset);
    return s + InfoAndPixels(w, h, h, color);
}

std::string IcoFile(int size, COLORREF color) {
    std::string image = InfoAndPixels(size, size, size * 2, color);
    image += std::string(static_cast<size_t>(size) * 4, '\0'); // the AND mask: all shown
    std::string s;
    PutWord(s, 0);
    PutWord(s, 1);
    PutWord(s, 1);
    s += static_cast<char>(size);
    s += static_cast<char>(size);
    s += '\0';
    s += '\0';
    PutWord(s, 1);
    PutWord(s, 32);
    PutDWord(s, static_cast<unsigned>(image.size()));
    PutDWord(s, 22);
    return s + image;
}

std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace wintest
