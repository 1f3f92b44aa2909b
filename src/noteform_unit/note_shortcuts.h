#pragma once
// The note's shortcut keys: which of its commands a key press with Ctrl stands for.

namespace note {

enum class NoteCommand { None, Save, SaveAs, Open, Pin, Close, NewNote };

struct KeyPress {
    unsigned key = 0; // virtual-key code: 'A' to 'Z' for letters
    bool ctrl = false, shift = false, alt = false;
};

// Ctrl+S save, Ctrl+Shift+S save as, Ctrl+O open, Ctrl+T pin, Ctrl+W close, Ctrl+N a new note;
// anything else, and
// Ctrl with Alt (AltGr, which types letters on many keyboards), stands for no command.
NoteCommand CommandFor(const KeyPress& press);

} // namespace note
