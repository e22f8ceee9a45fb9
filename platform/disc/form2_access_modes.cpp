#include "platform/disc/form2_access_modes.h"

namespace platform {

std::vector<std::string> Form2AccessModes() {
    return {"READ_CD", "IOCTL", "READ_10"};
}

AccessModeFallback::AccessModeFallback(std::vector<std::string> modes) : modes_(std::move(modes)) {
}

bool AccessModeFallback::Read(const std::function<bool(const std::string& mode)>& read) {
    for (std::size_t step = 0; step < modes_.size(); ++step) {
        const std::size_t mode = (current_ + step) % modes_.size();
        if (read(modes_[mode])) {
            current_ = mode;
            return true;
        }
    }
    return false;
}

} // namespace platform
