#include "recovery_format.h"

#include "storage/byte_hash.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>
#include <new>

namespace recovery {
namespace {

constexpr std::string_view kMark = "PINLETRC";
// The longest field other than the text that a copy of ours holds (a file name, an identity).
constexpr std::uint64_t kLongestSmallField = 64 * 1024;
// How much of the text the first line is read from: one byte past what it shows tells whether
// it goes on.
constexpr std::size_t kFirstLineBytes = 61;
// The pieces the text is converted and the body checked in.
constexpr std::size_t kPiece = 256 * 1024;

enum Tag : std::uint16_t {
    kText = 1,
    kFileName = 2,
    kEncoding = 3,  // form (1), mark (1), code page (4), line breaks (1; absent: CR LF)
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

std::string FieldHead(Tag tag, std::uint64_t size) {
    std::string head;
    PutInteger(head, tag, 2);
    PutInteger(head, size, 8);
    return head;
}

// The body's bytes on their way out, counted and hashed.
class BodyOutput : public CopyOutput {
public:
    explicit BodyOutput(CopyOutput& out) : out_(out) {}
    void Append(std::string_view bytes) override {
        hash_.Add(bytes);
        size_ += bytes.size();
        out_.Append(bytes);
    }
    void Field(Tag tag, std::string_view value) {
        Append(FieldHead(tag, value.size()));
        Append(value);
    }
    std::uint64_t Size() const { return size_; }
    std::uint64_t Hash() const { return hash_.Value(); }

private:
    CopyOutput& out_;
    storage::ByteHash hash_;
    std::uint64_t size_ = 0;
};

class StringOutput : public CopyOutput {
public:
    void Append(std::string_view bytes) override { bytes_ += bytes; }
    std::string bytes_;
};

class StringInput : public CopyInput {
public:
    explicit StringInput(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() override { return bytes_.size(); }
    bool ReadAt(std::uint64_t offset, char* to, std::size_t count) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
        std::copy_n(bytes_.data() + offset, count, to);
        return true;
    }

private:
    std::string_view bytes_;
};

// Reads `count` bytes at `offset` into a string; false when they could not be read.
bool ReadSmall(CopyInput& input, std::uint64_t offset, std::size_t count, std::string& bytes) {
    bytes.assign(count, '\0');
    return input.ReadAt(offset, bytes.data(), count);
}

// Whether the body of `length` bytes after the header hashes to `expected`, read a piece at a
// time.
bool BodyHashes(CopyInput& input, std::uint64_t length, std::uint64_t expected) {
    storage::ByteHash hash;
    std::string piece(kPiece, '\0');
    for (std::uint64_t at = 0; at < length;) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, length - at));
        if (!input.ReadAt(kCopyHeaderSize + at, piece.data(), count)) return false;
        hash.Add(std::string_view(piece.data(), count));
        at += count;
    }
    return hash.Value() == expected;
}

} // namespace

std::uint64_t Utf16CopyText::Utf8Size() const {
    return tk::Utf8LengthOfUtf16<wchar_t>(text_);
}

void Utf16CopyText::WriteTo(CopyOutput& out) const {
    std::string piece;
    for (std::size_t at = 0; at < text_.size();) {
        std::size_t end = std::min(text_.size(), at + kPiece);
        // A surrogate pair stays in one piece.
        if (end < text_.size() && static_cast<std::uint16_t>(text_[end - 1]) >= 0xD800 &&
            static_cast<std::uint16_t>(text_[end - 1]) < 0xDC00)
            ++end;
        piece.clear();
        tk::AppendUtf8FromUtf16<wchar_t>(piece, text_.substr(at, end - at), false);
        out.Append(piece);
        at = end;
    }
}

std::string WriteRecoveryCopy(const RecoveryCopy& fields, const CopyText& text, CopyOutput& out) {
    out.Append(std::string(kCopyHeaderSize, '\0'));
    BodyOutput body(out);
    std::string time;
    PutInteger(time, fields.TakenAt, 8);
    body.Append(time);
    body.Append(FieldHead(kText, text.Utf8Size()));
    text.WriteTo(body);
    if (!fields.FileName.empty()) body.Field(kFileName, fields.FileName);
    std::string encoding;
    PutInteger(encoding, fields.EncodingForm, 1);
    PutInteger(encoding, fields.ByteOrderMark ? 1 : 0, 1);
    PutInteger(encoding, fields.CodePage, 4);
    PutInteger(encoding, fields.LineBreaks, 1);
    body.Field(kEncoding, encoding);
    if (fields.HasFileState) {
        std::string state;
        PutInteger(state, fields.FileSize, 8);
        PutInteger(state, fields.FileLastWrite, 8);
        state += fields.FileIdentity;
        body.Field(kFileState, state);
    }
    std::string header(kMark);
    PutInteger(header, kFormatVersion, 4);
    PutInteger(header, body.Size(), 8);
    PutInteger(header, body.Hash(), 8);
    return header;
}

std::string EncodeRecoveryCopy(const RecoveryCopy& copy) {
    StringOutput out;
    const std::string header = WriteRecoveryCopy(copy, Utf8CopyText(copy.Text), out);
    out.bytes_.replace(0, header.size(), header);
    return std::move(out.bytes_);
}

DecodeFailure ReadCopyOutline(CopyInput& input, CopyOutline& outline) {
    const std::uint64_t size = input.Size();
    std::string header;
    if (!ReadSmall(input, 0, static_cast<std::size_t>(std::min<std::uint64_t>(size, kCopyHeaderSize)),
                   header))
        return DecodeFailure::CutShort;
    if (header.size() < kMark.size() || header.substr(0, kMark.size()) != kMark)
        return DecodeFailure::NotACopy;
    if (header.size() < kCopyHeaderSize) return DecodeFailure::CutShort;
    if (GetInteger(header, 8, 4) > kFormatVersion) return DecodeFailure::NewerVersion;
    const std::uint64_t length = GetInteger(header, 12, 8);
    const std::uint64_t body = size - kCopyHeaderSize;
    if (body < length) return DecodeFailure::CutShort;
    if (body != length || body < 8) return DecodeFailure::Damaged;
    if (!BodyHashes(input, body, GetInteger(header, 20, 8))) return DecodeFailure::Damaged;

    CopyOutline read;
    std::string value;
    if (!ReadSmall(input, kCopyHeaderSize, 8, value)) return DecodeFailure::CutShort;
    read.Fields.TakenAt = GetInteger(value, 0, 8);
    bool hasText = false;
    for (std::uint64_t at = kCopyHeaderSize + 8; at < size;) {
        if (size - at < 10) return DecodeFailure::Damaged;
        std::string head;
        if (!ReadSmall(input, at, 10, head)) return DecodeFailure::CutShort;
        const auto tag = static_cast<std::uint16_t>(GetInteger(head, 0, 2));
        const std::uint64_t fieldSize = GetInteger(head, 2, 8);
        at += 10;
        if (fieldSize > size - at) return DecodeFailure::Damaged;
        if (tag == kText) {
            read.TextAt = at;
            read.TextSize = fieldSize;
            hasText = true;
            const auto first = static_cast<std::size_t>(std::min<std::uint64_t>(fieldSize, kFirstLineBytes));
            if (!ReadSmall(input, at, first, value)) return DecodeFailure::CutShort;
            read.FirstLine = FirstLine(value);
        } else if (tag == kFileName || tag == kEncoding || tag == kFileState) {
            if (fieldSize > kLongestSmallField) return DecodeFailure::Damaged;
            if (!ReadSmall(input, at, static_cast<std::size_t>(fieldSize), value))
                return DecodeFailure::CutShort;
            if (tag == kFileName) {
                read.Fields.FileName = value;
            } else if (tag == kEncoding) {
                if (value.size() < 6) return DecodeFailure::Damaged;
                read.Fields.EncodingForm = static_cast<std::uint8_t>(GetInteger(value, 0, 1));
                read.Fields.ByteOrderMark = GetInteger(value, 1, 1) != 0;
                read.Fields.CodePage = static_cast<std::uint32_t>(GetInteger(value, 2, 4));
                if (value.size() >= 7)
                    read.Fields.LineBreaks = static_cast<std::uint8_t>(GetInteger(value, 6, 1));
                if (read.Fields.EncodingForm > 3 || read.Fields.LineBreaks > 2)
                    return DecodeFailure::Damaged;
            } else {
                if (value.size() < 16) return DecodeFailure::Damaged;
                read.Fields.HasFileState = true;
                read.Fields.FileSize = GetInteger(value, 0, 8);
                read.Fields.FileLastWrite = GetInteger(value, 8, 8);
                read.Fields.FileIdentity = value.substr(16);
            }
        } // a later version's field is passed over
        at += fieldSize;
    }
    if (!hasText) return DecodeFailure::Damaged;
    outline = std::move(read);
    return DecodeFailure::None;
}

bool ReadCopyText(CopyInput& input, const CopyOutline& outline, std::string& text) {
    if (outline.TextSize > text.max_size()) throw std::bad_alloc();
    std::string read(static_cast<std::size_t>(outline.TextSize), '\0');
    if (!input.ReadAt(outline.TextAt, read.data(), read.size())) return false;
    text = std::move(read);
    return true;
}

DecodeFailure DecodeRecoveryCopy(std::string_view bytes, RecoveryCopy& copy) {
    StringInput input(bytes);
    CopyOutline outline;
    if (DecodeFailure failure = ReadCopyOutline(input, outline); failure != DecodeFailure::None)
        return failure;
    if (!ReadCopyText(input, outline, outline.Fields.Text)) return DecodeFailure::CutShort;
    copy = std::move(outline.Fields);
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
