#pragma once
// Names that the system takes for devices rather than files, told from the name alone: a note
// must never open one (a serial port can keep a read waiting for ever, and NUL swallows a save).
#include <string_view>

namespace notetext {

// Whether `path` leads to a device by its name alone: a path in the device namespace ("\\.\"),
// or one whose last part is a reserved device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to
// LPT9, with superscript 1 to 3 too; CONIN$, CONOUT$), in any case, with or without an extension
// and with trailing blanks, full stops or a colon, in whatever folder. The system opens the
// device for each of these ("C:\notes\nul.txt" is NUL). The path is UTF-8.
bool IsDeviceName(std::string_view path);

} // namespace notetext
