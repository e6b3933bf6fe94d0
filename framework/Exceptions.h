#pragma once

#include "framework/AnsiString.h"

#include <exception>

// The framework's exception family. Message is what the message loop shows.
class Exception : public std::exception {
public:
    explicit Exception(AnsiString message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    AnsiString Message;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A list index out of range.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened for reading, or created for writing.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// A file that was opened but could not be read or written to the end; the message gives the
// system's reason and the file's name.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// A stream that gives fewer bytes than asked, or takes fewer than given.
class EReadError : public Exception {
public:
    EReadError() : Exception("Stream read error") {}
};

class EWriteError : public Exception {
public:
    EWriteError() : Exception("Stream write error") {}
};

// An image that cannot be read or written.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// Floating-point faults. This platform gives inf or NaN where the original raised these,
// so code that relies on the fault checks explicitly and throws.
class EMathError : public Exception {
public:
    using Exception::Exception;
};

class EZeroDivide : public EMathError {
public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EInvalidOp : public EMathError {
public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EOverflow : public EMathError {
public:
    EOverflow() : EMathError("Floating point overflow") {}
};
