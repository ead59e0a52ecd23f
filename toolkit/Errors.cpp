#include "toolkit/Errors.h"

namespace pastimo {
namespace {

IgnoredFailureSink sink = nullptr;

}  // namespace

std::string IgnoredFailureLine(const char* why, const std::exception_ptr& failure) {
    std::string what = "a failure of no known kind";
    try {
        if (failure) std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    return "Pastimo: ignored failure \"" + what + "\": " + why + "\n";
}

IgnoredFailureSink SetIgnoredFailureSink(IgnoredFailureSink replacement) noexcept {
    const IgnoredFailureSink previous = sink;
    sink = replacement;
    return previous;
}

void IgnoreFailure(const char* why) noexcept {
    try {
        const std::string line = IgnoredFailureLine(why, std::current_exception());
        if (sink)
            sink(line);
        else
            WriteDebuggerLine(line);
    } catch (...) {
        // Out of memory for the line itself: nothing more can be said.
    }
}

}  // namespace pastimo
