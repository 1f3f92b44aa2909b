#pragma once
// Picture files made in memory for tests: one-colour 32-bit BMP and ICO images, and where to
// write them.
#include <windows.h>

#include <string>

namespace wintest {

// A whole BMP file of w x h pixels in one colour; `pixelOffset` is the stored offset of the
// pixels (54 when the file is sound).
std::string BmpFile(int w, int h, COLORREF color, unsigned pixelOffset = 54);
// A whole ICO file holding one square 32-bit image of one colour.
std::string IcoFile(int size, COLORREF color);

// `name` in the temporary folder.
std::string TempPath(const std::string& name);
void WriteFile(const std::string& path, const std::string& bytes);

} // namespace wintest
