#pragma once
// The exception classes of the component layer: every error is an exception with a message text.
#include <stdexcept>
#include <string>

namespace tk {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Silent abort: the default exception display shows nothing for it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
};
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFileStreamError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};
class EFOpenError : public EFileStreamError {
public:
    using EFileStreamError::EFileStreamError;
};
class EFilerError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

} // namespace tk
