#pragma once
// A profile file as the program's framework offers it: read a value with a
// default, write a value or raise. Built on the profile-string calls.
#include <stdexcept>
#include <string>

namespace platform {

// The profile layer's error: it carries nothing but its message.
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::string& message) : std::runtime_error(message) {}
};

class TIniFile {
public:
    // `fileName` as the profile-string calls take it ("win.ini").
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return FFileName; }

    // The whole value, however long; `defaultValue` when it is missing.
    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& defaultValue) const;
    // Raises "Unable to write to <file name>" when the value cannot be written.
    void WriteString(const std::string& section, const std::string& ident,
                     const std::string& value);

private:
    std::string FFileName;
};

} // namespace platform
