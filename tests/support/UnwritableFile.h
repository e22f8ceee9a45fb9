#pragma once
// A file nobody may write while the guard lives, root included: read-only
// permissions stop a user, and the immutable attribute stops root, who
// writes read-only files at will (and CI runs as root).
#include <string>

class UnwritableFile {
public:
    explicit UnwritableFile(std::string path);
    ~UnwritableFile(); // writable again, so that the test's folder can go
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;

    // False, with the reason, when this file system or user cannot make it so.
    bool IsUnwritable() const { return problem_.empty(); }
    const std::string& Problem() const { return problem_; }

private:
    std::string path_;
    std::string problem_;
    bool immutable_ = false;
};
