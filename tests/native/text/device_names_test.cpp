// Device names are told from the name alone, in any folder, case and extension; names that only
// look like them are files.
#include "notetext/device_names.h"

#include <gtest/gtest.h>

namespace {

using notetext::IsDeviceName;

TEST(DeviceNames, ReservedNamesInAnyFolderCaseAndExtensionAreDevices) {
    for (const char* name : {"NUL",
                             "nul",
                             "Nul.txt",
                             "NUL.tar.gz",
                             "nul.",
                             "nul ",
                             "NUL:",
                             "nul .txt",
                             "CON",
                             "PRN",
                             "AUX",
                             "aux.md",
                             "COM1",
                             "com9.txt",
                             "LPT1",
                             "lpt9",
                             "COM\xC2\xB9",
                             "LPT\xC2\xB3.txt",
                             "CONIN$",
                             "conout$",
                             "C:\\notes\\nul.txt",
                             "Z:\\tmp\\COM1.txt",
                             "notes/aux",
                             "C:NUL",
                             "\\\\.\\pipe\\note",
                             "\\\\.\\PhysicalDrive0"})
        EXPECT_TRUE(IsDeviceName(name)) << name;
}

TEST(DeviceNames, NamesThatOnlyLookLikeDevicesAreFiles) {
    for (const char* name : {"",
                             "null",
                             "nul1",
                             "nuls.txt",
                             "COM0",
                             "COM10",
                             "LPT0",
                             "COM",
                             "COMA",
                             "com1x.txt",
                             "CONSOLE",
                             "PRNT",
                             "AUXILIARY.txt",
                             "COM\xC2\xB4",
                             "my nul.txt",
                             "x.nul",
                             "C:\\nul\\note.txt",
                             "C:\\com1.d\\note.txt",
                             "\\\\?\\C:\\note.txt",
                             "note.txt",
                             "\\\\server\\share\\con.d\\x.txt"})
        EXPECT_FALSE(IsDeviceName(name)) << name;
}

} // namespace
