// Tarn_Exception: the one exception type; its message is complete and is what
// is printed before the program ends.
#pragma once

#include <cerrno>
#include <cstring>
#include <exception>
#include <string>

class Tarn_Exception : public std::exception {
public:
    explicit Tarn_Exception(std::string const& message) : message_(message) {}
    ~Tarn_Exception() override = default;
    char const* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// The prefix followed by the system's text for the current errno.
inline Tarn_Exception errno_exception(std::string const& prefix)
{
    return Tarn_Exception(prefix + std::strerror(errno));
}
