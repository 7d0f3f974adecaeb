#pragma once
// The silent abort: an event handler that has told the user what is wrong stops with it. The guard
// around event handlers swallows it; it never reaches the exception handler.

#include <exception>

namespace gdvorn {

class EAbort : public std::exception {
public:
    const char *what() const noexcept override { return "Operation aborted"; }
};

[[noreturn]] inline void Abort() { throw EAbort(); }

} // namespace gdvorn
