// The memory a recovery copy of a large note takes while it is written: the peak commit of this
// process beyond the note's text itself, for a copy written as a stream (as the note writes it)
// or whole (the text converted to UTF-8, copied into the copy's fields and encoded into one
// buffer before the write, as copies were written before). Each way in a process of its own, so
// that its peak is its own.
// Usage: copy_memory_bench stream|whole <megabytes> <folder>
// Prints "<text MB> <peak commit beyond the text, MB> <ms>".
#include "recovery/recovery_format.h"
#include "recovery/recovery_store.h"
#include "toolkit/text/unicode_text.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

double CommitMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PagefileUsage) / (1 << 20);
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: copy_memory_bench stream|whole megabytes folder\n");
        return 2;
    }
    const bool stream = std::strcmp(argv[1], "stream") == 0;
    const size_t units = static_cast<size_t>(std::atoi(argv[2])) << 20; // one byte each in UTF-8
    // The text as the memo gives it: lines of a note, in UTF-16.
    const std::wstring line = L"lines of a large note, each short enough to fit\r\n";
    std::wstring text;
    text.reserve(units);
    while (text.size() + line.size() <= units) text += line;
    text.resize(units, L'x');
    const double before = CommitMb();
    // The commit sampled every millisecond meanwhile: the system's own peak is not kept under
    // every system this runs on.
    std::atomic<bool> writing{true};
    double peak = before;
    std::thread sampler([&] {
        while (writing) {
            peak = std::max(peak, CommitMb());
            Sleep(1);
        }
    });
    const DWORD started = GetTickCount();
    recovery::RecoveryCopy fields;
    fields.FileName = "C:\\jegyzet.txt";
    if (stream) {
        recovery::RecoveryName name = recovery::RecoveryName::Fresh(argv[3]);
        if (!name.Valid()) return 1;
        auto writer = recovery::WriterFor(std::move(name));
        writer->Write(fields, std::move(text));
        writer->Flush();
        if (writer->Result().Outcome != recovery::CopyResult::Written) return 1;
    } else {
        const std::string utf8 = tk::Utf8FromUtf16<wchar_t>(text);
        fields.Text = utf8;
        WriteWhole(std::string(argv[3]) + "\\whole.copy", recovery::EncodeRecoveryCopy(fields));
    }
    const DWORD took = GetTickCount() - started;
    writing = false;
    sampler.join();
    std::printf("%zu %.0f %lu\n", units >> 20, peak - before, took);
    return 0;
}
