#pragma once
// The program's failures. Everything that reaches the user does so as one of
// these, through the application's error box; the names follow the component
// library the design is written in (EInvalidOperation, EFOpenError, ...).
// Portable: no Windows headers here.

#include <stdexcept>
#include <string>

namespace pastimo {

struct Exception : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that could not be opened for reading: "Cannot open file %s".
struct EFOpenError : Exception {
    explicit EFOpenError(const std::string& path) : Exception("Cannot open file " + path) {}
};

// A file that could not be created or written: "Cannot create file %s".
struct EFCreateError : Exception {
    explicit EFCreateError(const std::string& path) : Exception("Cannot create file " + path) {}
};

// Misuse of a component, with a fixed message.
struct EInvalidOperation : Exception {
    using Exception::Exception;
};

// The platform refused a resource (a timer, a window).
struct EOutOfResources : Exception {
    using Exception::Exception;
};

// The text shown in the error box: the message, with a full stop added when its
// last character sorts after "." (so "...dat" and "...?" get one, "Done." and
// "...!" do not).
inline std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

}  // namespace pastimo
