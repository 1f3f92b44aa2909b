#include "toolkit/text/text_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace {

// ASCII letters fold to lower case; letters and digits make words.
const tk::SearchAlphabet& AsciiAlphabet() {
    static const auto alphabet = [] {
        auto a = std::make_unique<tk::SearchAlphabet>();
        for (unsigned c = 0; c < 65536; ++c) {
            a->folded[c] = static_cast<wchar_t>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            a->wordChar[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9');
        }
        return a;
    }();
    return *alphabet;
}

// The plain reference: every place tried in order, compared character by character.
std::optional<size_t> Reference(const std::wstring& text, const std::wstring& what, size_t from,
                                const tk::SearchOptions& o) {
    const auto& a = AsciiAlphabet();
    auto same = [&](wchar_t x, wchar_t y) {
        return o.matchCase ? x == y : a.folded[x] == a.folded[y];
    };
    auto at = [&](size_t i) {
        if (i + what.size() > text.size()) return false;
        for (size_t k = 0; k < what.size(); ++k)
            if (!same(text[i + k], what[k])) return false;
        if (!o.wholeWord) return true;
        bool before = i > 0 && a.wordChar[text[i - 1]];
        bool after = i + what.size() < text.size() && a.wordChar[text[i + what.size()]];
        return !before && !after;
    };
    if (what.empty()) return std::nullopt;
    std::optional<size_t> found;
    for (size_t i = 0; i + what.size() <= text.size(); ++i) {
        if (!at(i)) continue;
        if (o.down && i >= from) return i;
        if (!o.down && i + what.size() <= from) found = i;
    }
    return o.down ? std::nullopt : found;
}

TEST(TextSearch, AgreesWithAPlainSearchEverywhereEveryWay) {
    std::mt19937 random(7);
    const std::wstring letters = L"aAb b_";
    auto make = [&](size_t length) {
        std::wstring s;
        for (size_t i = 0; i < length; ++i) s += letters[random() % letters.size()];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::wstring text = make(random() % 24);
        const std::wstring what = make(random() % 4);
        const size_t from = random() % (text.size() + 2);
        const tk::SearchOptions o{(round & 1) != 0, (round & 2) != 0, (round & 4) != 0};
        EXPECT_EQ(tk::SearchText(text, what, from, o, AsciiAlphabet()), Reference(text, what, from, o))
            << "text '" << std::string(text.begin(), text.end()) << "' what '"
            << std::string(what.begin(), what.end()) << "' from " << from << " down " << o.down
            << " case " << o.matchCase << " word " << o.wholeWord;
    }
}

} // namespace
