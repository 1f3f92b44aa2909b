// Benchmark: where a save of a large note goes. For each size, a note's text (short lines) is
// saved over an existing file of that size in the folder given, as the note saves (the old bytes
// kept first, see notefiles/note_save.cpp), beside what the save is made of: reading the old
// bytes, hashing the new ones for the kept copy's record, writing a file of that size with and
// without flushing it, and the plainest save there is (the file made anew and written, unflushed).
// Prints one line per size: "save <MB> <ms> read-old <ms> hash <ms> write <ms> flush <ms>
// plain <ms>", each the fastest of three runs.
#include "bench_files.h"
#include "notefiles/note_files.h"
#include "storage/byte_hash.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using bench::Now;

double Fastest(const std::function<void()>& step) {
    double best = 1e12;
    for (int run = 0; run < 3; ++run) {
        const double start = Now();
        step();
        best = std::min(best, Now() - start);
    }
    return best;
}

tk::KernelHandle Open(const std::string& path, DWORD disposition) {
    return tk::KernelHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: save_bench folder megabytes...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const size_t size = static_cast<size_t>(std::atoi(argv[i])) << 20;
        std::string text;
        while (text.size() < size)
            text += "lines of a large note, each short enough to fit\r\n";
        text.resize(size);
        const std::string path = std::string(argv[1]) + "\\save-bench.txt";
        notefiles::WriteNoteFile(path, text);
        const double save = Fastest([&] { notefiles::WriteNoteFile(path, text); });
        const double readOld = Fastest([&] {
            std::string old;
            std::uint64_t length = 0;
            storage::ReadWholeFile(Open(path, OPEN_EXISTING).Get(), ~std::uint64_t{0}, old, length);
        });
        volatile std::uint64_t hash = 0;
        const double hashing = Fastest([&] { hash = storage::WordHashOfBytes(text); });
        auto write = [&](bool flush) {
            tk::KernelHandle file = Open(path, OPEN_EXISTING);
            DWORD written = 0;
            WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            if (flush) FlushFileBuffers(file.Get());
        };
        const double unflushed = Fastest([&] { write(false); });
        const double flushed = Fastest([&] { write(true); });
        const double plain = Fastest([&] {
            tk::KernelHandle file = Open(path, CREATE_ALWAYS);
            DWORD written = 0;
            WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        });
        DeleteFileA(path.c_str());
        std::printf("save %s %.1f read-old %.1f hash %.1f write %.1f flush %.1f plain %.1f\n",
                    argv[i], save, readOld, hashing, unflushed, flushed - unflushed, plain);
        std::fflush(stdout);
    }
    return 0;
}
