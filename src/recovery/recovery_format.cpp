#include "recovery_format.h"

#include "storage/byte_hash.h"

#include <cstring>

namespace recovery {
namespace {

constexpr std::string_view kMark = "PINLETRC";
// The header: mark, version (4), length of what follows (8), its checksum (8); what follows is
// the time (8) and the fields.
constexpr std::size_t kHeaderSize = 8 + 4 + 8 + 8;

enum Tag : std::uint16_t {
    kText = 1,
    kFileName = 2,
    kEncoding = 3,  // form (1), mark (1), code page (4)
    kFileState = 4, // size (8), last write (8), identity (the rest)
};

void PutInteger(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t GetInteger(std::string_view in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return value;
}

void PutField(std::string& out, Tag tag, std::string_view value) {
    PutInteger(out, tag, 2);
    PutInteger(out, value.size(), 8);
    out += value;
}

} // namespace

std::string EncodeRecoveryCopy(const RecoveryCopy& copy) {
    std::string fields;
    PutField(fields, kText, copy.Text);
    if (!copy.FileName.empty()) PutField(fields, kFileName, copy.FileName);
    std::string encoding;
    PutInteger(encoding, copy.EncodingForm, 1);
    PutInteger(encoding, copy.ByteOrderMark ? 1 : 0, 1);
    PutInteger(encoding, copy.CodePage, 4);
    PutField(fields, kEncoding, encoding);
    if (copy.HasFileState) {
        std::string state;
        PutInteger(state, copy.FileSize, 8);
        PutInteger(state, copy.FileLastWrite, 8);
        state += copy.FileIdentity;
        PutField(fields, kFileState, state);
    }
    std::string body;
    PutInteger(body, copy.TakenAt, 8);
    body += fields;
    std::string bytes(kMark);
    PutInteger(bytes, kFormatVersion, 4);
    PutInteger(bytes, body.size(), 8);
    PutInteger(bytes, storage::HashOfBytes(body), 8);
    return bytes + body;
}

DecodeFailure DecodeRecoveryCopy(std::string_view bytes, RecoveryCopy& copy) {
    if (bytes.size() < kMark.size() || bytes.substr(0, kMark.size()) != kMark)
        return DecodeFailure::NotACopy;
    if (bytes.size() < kHeaderSize) return DecodeFailure::CutShort;
    if (GetInteger(bytes, 8, 4) > kFormatVersion) return DecodeFailure::NewerVersion;
    const std::uint64_t length = GetInteger(bytes, 12, 8);
    const std::string_view body = bytes.substr(kHeaderSize);
    if (body.size() < length) return DecodeFailure::CutShort;
    if (body.size() != length || body.size() < 8 || storage::HashOfBytes(body) != GetInteger(bytes, 20, 8))
        return DecodeFailure::Damaged;
    const std::string_view fields = body.substr(8);
    RecoveryCopy read;
    read.TakenAt = GetInteger(body, 0, 8);
    bool hasText = false;
    for (std::size_t at = 0; at < fields.size();) {
        if (fields.size() - at < 10) return DecodeFailure::Damaged;
        const auto tag = static_cast<std::uint16_t>(GetInteger(fields, at, 2));
        const std::uint64_t size = GetInteger(fields, at + 2, 8);
        at += 10;
        if (size > fields.size() - at) return DecodeFailure::Damaged;
        const std::string_view value = fields.substr(at, static_cast<std::size_t>(size));
        at += static_cast<std::size_t>(size);
        switch (tag) {
        case kText:
            read.Text.assign(value);
            hasText = true;
            break;
        case kFileName:
            read.FileName.assign(value);
            break;
        case kEncoding:
            if (value.size() < 6) return DecodeFailure::Damaged;
            read.EncodingForm = static_cast<std::uint8_t>(GetInteger(value, 0, 1));
            read.ByteOrderMark = GetInteger(value, 1, 1) != 0;
            read.CodePage = static_cast<std::uint32_t>(GetInteger(value, 2, 4));
            if (read.EncodingForm > 3) return DecodeFailure::Damaged;
            break;
        case kFileState:
            if (value.size() < 16) return DecodeFailure::Damaged;
            read.HasFileState = true;
            read.FileSize = GetInteger(value, 0, 8);
            read.FileLastWrite = GetInteger(value, 8, 8);
            read.FileIdentity.assign(value.substr(16));
            break;
        default:
            break; // a later version's field
        }
    }
    if (!hasText) return DecodeFailure::Damaged;
    copy = std::move(read);
    return DecodeFailure::None;
}

std::string FirstLine(std::string_view text, std::size_t limit) {
    std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    if (line.size() <= limit) return std::string(line);
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
        --end;
    return std::string(line.substr(0, end)) + "…";
}

} // namespace recovery
