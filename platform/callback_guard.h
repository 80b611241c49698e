// The boundary of every function the platform calls back (the event function,
// the timer, the menu and rotation choices): no exception may leave one, as it
// would unwind through the platform's library, which may have no unwind tables
// (the program would abort, status 134, instead of ending as designed).
#pragma once

#include <exception>

namespace callback_guard {

// Writes the failure's message and a newline to standard error and asks the
// platform to close: the program ends as after any close, with status 0.
void report(std::exception_ptr const& failure) noexcept;

// body's result; after a failure, which is reported, neutral.
template <typename Body, typename Result>
Result run(Body&& body, Result neutral) noexcept
{
    try {
        return body();
    } catch (...) {
        report(std::current_exception());
        return neutral;
    }
}

template <typename Body>
void run(Body&& body) noexcept
{
    try {
        body();
    } catch (...) {
        report(std::current_exception());
    }
}

}
