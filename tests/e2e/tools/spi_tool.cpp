// Reads or sets the system's drag-full-windows setting for end-to-end tests:
//   spi_tool get        prints 0 or 1
//   spi_tool set 0|1    sets it as the user's own setting
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "get") == 0) {
        BOOL value = FALSE;
        if (!SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &value, 0)) return 2;
        std::printf("%d\n", value ? 1 : 0);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "set") == 0) {
        UINT value = argv[2][0] == '1' ? 1 : 0;
        return SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, value, nullptr,
                                     SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
                   ? 0
                   : 2;
    }
    std::fprintf(stderr, "usage: spi_tool get | set 0|1\n");
    return 1;
}
