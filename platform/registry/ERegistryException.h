#pragma once
#include <stdexcept>
#include <string>

namespace platform {

// The registry class's error: it carries nothing but its message.
class ERegistryException : public std::runtime_error {
public:
    explicit ERegistryException(const std::string& message) : std::runtime_error(message) {}
};

} // namespace platform
