#pragma once
#include <stdexcept>
#include <string>

// The program's own error: it carries nothing but its message.
class EError : public std::runtime_error {
public:
    explicit EError(const std::string& message) : std::runtime_error(message) {}
};
