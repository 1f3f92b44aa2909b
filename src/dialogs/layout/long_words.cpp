#include "long_words.h"

namespace dialogs {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the character after the one starting at `at` starts: UTF-8 continuation bytes are passed.
size_t NextCharacter(std::string_view text, size_t at) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        ++at;
    return at;
}

// Appends `word`, broken into lines no wider than `maxWidth`.
void AppendBroken(std::string& out, std::string_view word, int maxWidth, const TextWidth& width) {
    while (width(word) > maxWidth) {
        // The longest start of the word that fits, whole characters only, one at least.
        size_t fits = NextCharacter(word, 0);
        while (fits < word.size()) {
            const size_t next = NextCharacter(word, fits);
            if (width(word.substr(0, next)) > maxWidth) break;
            fits = next;
        }
        size_t cut = fits;
        const size_t separator = word.substr(0, fits).find_last_of("\\/");
        if (separator != std::string_view::npos) cut = separator + 1;
        if (cut >= word.size()) break;
        out.append(word.substr(0, cut));
        out += '\n';
        word.remove_prefix(cut);
    }
    out.append(word);
}

} // namespace

std::string BreakLongWords(std::string_view text, int maxWidth, const TextWidth& width) {
    std::string out;
    out.reserve(text.size() + 16);
    size_t at = 0;
    while (at < text.size()) {
        if (IsBlank(text[at])) {
            out += text[at++];
            continue;
        }
        size_t end = at;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        AppendBroken(out, text.substr(at, end - at), maxWidth, width);
        at = end;
    }
    return out;
}

} // namespace dialogs
