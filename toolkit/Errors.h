#pragma once
// How the program fails. Three rules:
// - A failure that escapes an event handler ends that handler at the failing
//   step and shows the error box (HandleException: the application's, or of
//   the seam in front of it); the program then goes on with the next message.
// - A failure the program tolerates (a start-up step, an unreadable library or
//   options file, a deferred tray call, ...) is caught where it happens and
//   ignored on purpose: the catch block calls IgnoreFailure with one line
//   saying why, which goes to the debugger output and nowhere else.
// - No exception crosses a window procedure: every window's dispatch catches
//   what its handlers let through and hands it to HandleException.
// The failures themselves are the classes below, named after the component
// library the design is written in (EInvalidOperation, EFOpenError, ...).
// Portable: no Windows headers here.

#include <exception>
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

// Says that the failure being handled is ignored, and `why` (one line): call
// it inside the catch block that ignores it. Written to the debugger output
// (OutputDebugStringW on Windows: DebugView, or WINEDEBUG=+debugstr under
// Wine), never shown to the user.
void IgnoreFailure(const char* why) noexcept;

// The line IgnoreFailure writes for `failure` (may be null).
std::string IgnoredFailureLine(const char* why, const std::exception_ptr& failure);

// Where IgnoreFailure's lines go: the platform's debugger output, unless a
// test puts a sink of its own in between (nullptr puts the platform's back).
// Returns the sink it replaces.
using IgnoredFailureSink = void (*)(const std::string& line);
IgnoredFailureSink SetIgnoredFailureSink(IgnoredFailureSink sink) noexcept;

// The platform's debugger output (toolkit/win32/Errors.cpp, toolkit/posix/Errors.cpp).
void WriteDebuggerLine(const std::string& line);

}  // namespace pastimo
