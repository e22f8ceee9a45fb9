#pragma once
// Short forms of the media commands the tests send, failing the test on any
// error they do not expect.
#include "platform/mci/mci.h"

#include <string>

namespace MciCommands {

struct Opened {
    platform::MCIERROR error;
    platform::MCIDEVICEID device;
};

Opened Open(const std::string& element, platform::DWORD flags = platform::MCI_WAIT,
            platform::DWORD_PTR callback = 0);
// A command with just a generic record (and so a callback).
platform::MCIERROR Send(platform::MCIDEVICEID device, platform::UINT message,
                        platform::DWORD flags = platform::MCI_WAIT,
                        platform::DWORD_PTR callback = 0);
platform::DWORD_PTR Status(platform::MCIDEVICEID device, platform::DWORD item);
platform::MCIERROR SetTimeFormat(platform::MCIDEVICEID device, platform::DWORD format);
platform::MCIERROR PlayFrom(platform::MCIDEVICEID device, platform::DWORD from,
                            platform::DWORD_PTR callback = 0);
platform::MCIERROR SeekTo(platform::MCIDEVICEID device, platform::DWORD to);
platform::MCIERROR Step(platform::MCIDEVICEID device, platform::DWORD frames, bool reverse);
platform::RECT Where(platform::MCIDEVICEID device,
                     platform::DWORD which = platform::MCI_ANIM_WHERE_DESTINATION);
// The text mciGetErrorStringA gives for `error`.
std::string ErrorText(platform::MCIERROR error);

} // namespace MciCommands
