#include "whole_file.h"

#include "file_access.h"
#include "file_calls.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>
#include <new>

namespace storage {
namespace {

// The last error, or `fallback` where a failed call left none.
DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error ? error : fallback;
}

// The most one ReadFile is asked for: a DWORD counts it, and a single read of hundreds of
// megabytes gains nothing over reads of this size.
constexpr std::uint64_t kLargestRead = 64u * 1024 * 1024;

} // namespace

DWORD WriteWhole(HANDLE file, std::string_view bytes) {
    const FileCalls& calls = CurrentFileCalls();
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return LastErrorOr(ERROR_WRITE_FAULT);
    // A full disk can take part of a write and report success: the rest is written again, and
    // that write says why it fails (or takes nothing, which only a full disk does).
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!calls.writeFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                             nullptr))
            return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0) return ERROR_DISK_FULL;
        bytes.remove_prefix(std::min<size_t>(written, bytes.size()));
    }
    if (!calls.setEndOfFile(file) || !calls.flushFileBuffers(file))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return ERROR_SUCCESS;
}

DWORD ReadExactly(HANDLE file, std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const auto want = static_cast<DWORD>(std::min<std::uint64_t>(bytes.size() - done, kLargestRead));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, want, &read, nullptr)) return GetLastError();
        if (read == 0) return ERROR_HANDLE_EOF;
        done += read;
    }
    return ERROR_SUCCESS;
}

DWORD ReadWholeFile(HANDLE file, std::uint64_t limit, std::string& bytes, std::uint64_t& size) {
    LARGE_INTEGER start{}, length{};
    if (!GetFileSizeEx(file, &length) || !SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return GetLastError();
    size = static_cast<std::uint64_t>(length.QuadPart);
    // The limit is also what a size_t can count: in 32 bits, a file of 4 GiB or more would
    // otherwise be read as its size modulo 2^32 and taken for whole.
    if (size > limit || size > bytes.max_size()) return ERROR_FILE_TOO_LARGE;
    try {
        bytes.assign(static_cast<size_t>(size), '\0');
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    return ReadExactly(file, bytes);
}

DWORD ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes,
                    std::uint64_t& size) {
    tk::KernelHandle file(CreateFileW(tk::Wide(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return GetLastError();
    return ReadWholeFile(file.Get(), limit, bytes, size);
}

} // namespace storage
