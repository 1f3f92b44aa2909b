#pragma once
// The note's shortcut keys: which of its commands a key press stands for.

namespace note {

enum class NoteCommand {
    None,
    Save,
    SaveAs,
    Open,
    Pin,
    Close,
    ZoomIn,
    ZoomOut,
    ZoomReset,
    Find,
    FindNext,
    FindPrevious,
    NewNote
};

struct KeyPress {
    unsigned key = 0; // virtual-key code: 'A' to 'Z' for letters
    bool ctrl = false, shift = false, alt = false;
};

// Ctrl+S save, Ctrl+Shift+S save as, Ctrl+O open, Ctrl+T pin, Ctrl+W close, Ctrl+N a new note,
// Ctrl+F find; F3 and Shift+F3 find the next and the previous; Ctrl with Plus or = (Shift or not, main keys or the
// number pad) zooms in, with Minus out, with 0 back to 100 %. Anything else, and Ctrl with Alt
// (AltGr, which types letters on many keyboards), stands for no command.
NoteCommand CommandFor(const KeyPress& press);

} // namespace note
