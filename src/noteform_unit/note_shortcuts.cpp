#include "note_shortcuts.h"

namespace note {

namespace {
// Virtual-key codes beyond letters and digits.
constexpr unsigned kF3 = 0x72;
constexpr unsigned kNumpad0 = 0x60, kNumpadAdd = 0x6B, kNumpadSubtract = 0x6D;
constexpr unsigned kOemPlus = 0xBB, kOemMinus = 0xBD; // the "=+" and "-_" keys

// The zoom keys: Shift makes no difference (Plus is Shift and = on many keyboards).
NoteCommand ZoomFor(unsigned key) {
    switch (key) {
    case kOemPlus:
    case kNumpadAdd:
        return NoteCommand::ZoomIn;
    case kOemMinus:
    case kNumpadSubtract:
        return NoteCommand::ZoomOut;
    case '0':
    case kNumpad0:
        return NoteCommand::ZoomReset;
    default:
        return NoteCommand::None;
    }
}
} // namespace

NoteCommand CommandFor(const KeyPress& press) {
    if (press.alt) return NoteCommand::None;
    if (!press.ctrl) {
        if (press.key != kF3) return NoteCommand::None;
        return press.shift ? NoteCommand::FindPrevious : NoteCommand::FindNext;
    }
    if (NoteCommand zoom = ZoomFor(press.key); zoom != NoteCommand::None) return zoom;
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
    case 'F':
        return NoteCommand::Find;
    default:
        return NoteCommand::None;
    }
}

} // namespace note
