// The run-time's handler for an exception that nothing caught prints the exception's type, made
// readable by a 46 KB name demangler. The program catches every exception itself (the window
// procedure and start-up both do), so the name is left as it is and the demangler stays out.
#include <cstddef>

extern "C" char* __cxa_demangle(const char*, char*, std::size_t*, int* status) {
    if (status) *status = -2; // "not a valid name": the caller prints it unchanged
    return nullptr;
}
