#include "note_shortcuts.h"

namespace note {

NoteCommand CommandFor(const KeyPress& press) {
    if (!press.ctrl || press.alt) return NoteCommand::None;
    if (press.shift) return press.key == 'S' ? NoteCommand::SaveAs : NoteCommand::None;
    switch (press.key) {
    case 'S':
        return NoteCommand::Save;
    case 'O':
        return NoteCommand::Open;
    case 'T':
        return NoteCommand::Pin;
    case 'W':
        return NoteCommand::Close;
    case 'N':
        return NoteCommand::NewNote;
    default:
        return NoteCommand::None;
    }
}

} // namespace note
