#ifndef DK_PLUGIN_DKEXCEPTION_H
#define DK_PLUGIN_DKEXCEPTION_H

#include <maya/MStatus.h>

#include <exception>
#include <string>

// The only way failures travel below the host's entry points. The message is
// kept apart from what(): the error frame reads message(), and what() keeps the
// standard base's text so that nothing mistakes the two.
class DKexception : public std::exception {
public:
    DKexception() = default;
    explicit DKexception(const std::string& message) : message_(message) {}
    ~DKexception() override = default;

    const std::string& message() const { return message_; }

private:
    std::string message_;
};

// A host call returned an error status.
class DKmayaException : public DKexception {
public:
    explicit DKmayaException(const MStatus& status);
    explicit DKmayaException(const std::string& message) : DKexception(message) {}
};

// Abort without a message: the host has already told the user.
class DKsilentException : public DKexception {
public:
    DKsilentException() = default;
};

// The user's input is wrong (flags, names, keys, targets).
class DKbadArgumentException : public DKexception {
public:
    explicit DKbadArgumentException(const std::string& message) : DKexception(message) {}
};

// The input is valid but of a kind the system does not handle.
class DKunsupportedException : public DKexception {
public:
    explicit DKunsupportedException(const std::string& message) : DKexception(message) {}
};

// Throws a DKmayaException reading context, ": " and the status as the host
// streams it, when the status is an error.
void checkStatus(const MStatus& status, const std::string& context);

// Throws a DKmayaException carrying the status's own error string, when the
// status is an error.
void checkStatus(const MStatus& status);

#endif
