// Fuzz target: a note file's encoding. On every input: what is recognised as UTF-8 is UTF-8 by
// the reference table; UTF-16 that decodes encodes back to exactly its bytes; and any UTF-8 text
// goes to UTF-16 and back unchanged.
#include "notetext/text_encoding.h"
#include "reference/utf8_reference.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const notetext::TextEncoding encoding = notetext::RecogniseEncoding(bytes);
    const std::string_view mark = encoding.ByteOrderMark
                                      ? notetext::ByteOrderMarkOf(encoding.Form)
                                      : std::string_view();
    const std::string_view content = std::string_view(bytes).substr(mark.size());
    switch (encoding.Form) {
    case notetext::EncodingForm::Utf8:
        if (!ReferenceIsUtf8(content)) std::abort();
        break;
    case notetext::EncodingForm::Utf16LE:
    case notetext::EncodingForm::Utf16BE: {
        const bool bigEndian = encoding.Form == notetext::EncodingForm::Utf16BE;
        std::string text;
        if (notetext::DecodeUtf16(content, bigEndian, text)) {
            if (!ReferenceIsUtf8(text)) std::abort();
            if (notetext::EncodeUtf16(text, bigEndian) != content) std::abort();
        }
        break;
    }
    case notetext::EncodingForm::Ansi:
        break;
    }
    if (ReferenceIsUtf8(bytes)) {
        for (bool bigEndian : {false, true}) {
            std::string back;
            if (!notetext::DecodeUtf16(notetext::EncodeUtf16(bytes, bigEndian), bigEndian, back) ||
                back != bytes)
                std::abort();
        }
    }
    return 0;
}
