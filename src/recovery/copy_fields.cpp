#include "copy_fields.h"

#include "toolkit/text/hex_digits.h"

#include <cctype>
#include <cstdlib>

namespace recovery {
namespace {

// The identity as "<volume, 8 hex digits>:<index, 16 hex digits>:<final path>".
std::string PackIdentity(const storage::FileStamp& stamp) {
    return tk::HexDigits(stamp.volume, 8) + ":" + tk::HexDigits(stamp.index, 16) + ":" +
           stamp.finalPath;
}

bool IsHex(const std::string& text, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i)
        if (i >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

void UnpackIdentity(const std::string& packed, storage::FileStamp& stamp) {
    if (packed.size() < 26 || !IsHex(packed, 0, 8) || packed[8] != ':' || !IsHex(packed, 9, 16) ||
        packed[25] != ':')
        return;
    stamp.volume = static_cast<std::uint32_t>(std::strtoul(packed.substr(0, 8).c_str(), nullptr, 16));
    stamp.index = std::strtoull(packed.substr(9, 16).c_str(), nullptr, 16);
    stamp.finalPath = packed.substr(26);
}

} // namespace

RecoveryCopy CopyFieldsOf(const NoteFileState& state) {
    RecoveryCopy copy;
    copy.FileName = state.FileName;
    copy.EncodingForm = static_cast<std::uint8_t>(state.Encoding.Form);
    copy.ByteOrderMark = state.Encoding.ByteOrderMark;
    copy.CodePage = state.Encoding.CodePage;
    copy.LineBreaks = static_cast<std::uint8_t>(state.Encoding.Breaks);
    if (state.Stamp) {
        copy.HasFileState = true;
        copy.FileSize = state.Stamp->size;
        copy.FileLastWrite = state.Stamp->lastWrite;
        copy.FileIdentity = PackIdentity(*state.Stamp);
    }
    return copy;
}

NoteFileState NoteFileStateOf(const RecoveryCopy& copy) {
    NoteFileState state;
    state.FileName = copy.FileName;
    // A form this version does not know is read as ANSI, the note's own default.
    if (copy.EncodingForm <= static_cast<std::uint8_t>(notetext::EncodingForm::Utf16BE))
        state.Encoding.Form = static_cast<notetext::EncodingForm>(copy.EncodingForm);
    state.Encoding.ByteOrderMark =
        copy.ByteOrderMark && state.Encoding.Form != notetext::EncodingForm::Ansi;
    state.Encoding.CodePage = copy.CodePage;
    if (copy.LineBreaks <= static_cast<std::uint8_t>(notetext::LineBreak::Cr))
        state.Encoding.Breaks = static_cast<notetext::LineBreak>(copy.LineBreaks);
    if (copy.HasFileState) {
        storage::FileStamp stamp;
        stamp.size = copy.FileSize;
        stamp.lastWrite = copy.FileLastWrite;
        UnpackIdentity(copy.FileIdentity, stamp);
        state.Stamp = stamp;
    }
    return state;
}

} // namespace recovery
