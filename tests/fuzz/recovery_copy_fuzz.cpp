// Fuzz target: reading a recovery copy, whose bytes come from a file anyone may have damaged.
// On every input: no crash and nothing read outside the bytes; a copy that is read back encodes
// to bytes that read back to the same copy.
#include "recovery/recovery_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    recovery::RecoveryCopy copy;
    if (recovery::DecodeRecoveryCopy(bytes, copy) != recovery::DecodeFailure::None) return 0;
    recovery::RecoveryCopy again;
    if (recovery::DecodeRecoveryCopy(recovery::EncodeRecoveryCopy(copy), again) !=
            recovery::DecodeFailure::None ||
        !(again == copy))
        std::abort();
    return 0;
}
