// Reporting a failure caught at the platform's boundary: a Tarn_Exception's
// message is complete; anything else is named as unexpected.
#include "platform/callback_guard.h"

#include <cstdio>

#include "app/tarn_exception.h"
#include "platform/inkview.h"

namespace callback_guard {

namespace {

void write_line(char const* prefix, char const* message)
{
    std::fputs(prefix, stderr);
    std::fputs(message, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

}

void report(std::exception_ptr const& failure) noexcept
{
    try {
        std::rethrow_exception(failure);
    } catch (Tarn_Exception const& e) {
        write_line("", e.what());
    } catch (std::exception const& e) {
        write_line("Unexpected error: ", e.what());
    } catch (...) {
        write_line("Unexpected error of an unknown kind", "");
    }
    CloseApp();
}

}
