// Benchmark: line-break normalisation in bytes per second, against memcpy of the same bytes, for
// text with LF breaks, with CR LF breaks and without breaks.
#include "notetext/line_breaks.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

constexpr size_t kSize = 8 << 20;

// Lines of 40 to 79 letters, each ended by `lineBreak` (none: one long line).
std::string Text(const std::string& lineBreak) {
    std::string text;
    text.reserve(kSize + 100);
    unsigned state = 12345;
    while (text.size() < kSize) {
        state = state * 1103515245u + 12345u;
        const size_t length = 40 + (state >> 16) % 40;
        for (size_t i = 0; i < length; ++i)
            text += static_cast<char>('a' + (state >> (i % 16)) % 26);
        text += lineBreak.empty() ? " " : lineBreak;
    }
    return text;
}

void Normalise(benchmark::State& state, const std::string& lineBreak) {
    const std::string text = Text(lineBreak);
    for (auto _ : state)
        benchmark::DoNotOptimize(notetext::NormalizeLineBreaks(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

// The physical limit: copying the same bytes into a new string.
void Copy(benchmark::State& state) {
    const std::string text = Text("\n");
    for (auto _ : state) {
        std::string copy(text.size(), '\0');
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::DoNotOptimize(copy);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

} // namespace

BENCHMARK_CAPTURE(Normalise, LF, std::string("\n"));
BENCHMARK_CAPTURE(Normalise, CRLF, std::string("\r\n"));
BENCHMARK_CAPTURE(Normalise, NoBreaks, std::string());
BENCHMARK(Copy);
BENCHMARK_MAIN();
