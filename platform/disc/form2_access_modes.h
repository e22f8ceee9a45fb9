#pragma once
// How Form 2 sectors are read from an optical drive. Drives differ in which
// of libcdio's access modes reads them, so the modes are tried in turn; the
// first that works is kept for the reads after it.
#include <functional>
#include <string>
#include <vector>

namespace platform {

// libcdio's access modes for a drive, in the order they are tried: MMC READ
// CD, which nearly every drive answers; the kernel's own ioctl, for drives
// that refuse commands sent through it; READ(10) with the block size set to
// a Mode 2 sector, for old drives without READ CD.
std::vector<std::string> Form2AccessModes();

class AccessModeFallback {
public:
    // `modes` holds one mode at least.
    explicit AccessModeFallback(std::vector<std::string> modes);

    // The mode reads start in.
    const std::string& Current() const { return modes_[current_]; }

    // Calls `read` in the current mode, then in each other mode in turn, until
    // one succeeds; that one is kept. When none does, the sector is damaged
    // rather than the way of reading it, and the mode stays as it was.
    bool Read(const std::function<bool(const std::string& mode)>& read);

private:
    const std::vector<std::string> modes_;
    std::size_t current_ = 0;
};

} // namespace platform
