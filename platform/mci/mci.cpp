#include "platform/mci/mci.h"

#include "platform/mci/device.h"
#include "platform/mci/device_selection.h"
#include "platform/mci/driver.h"

#include <map>
#include <memory>

namespace platform {
namespace {

using mci::Device;

struct DeviceTable {
    std::map<MCIDEVICEID, std::unique_ptr<Device>> devices;
    MCIDEVICEID lastId = 0;
};

DeviceTable& deviceTable() {
    static DeviceTable table;
    return table;
}

MCIERROR openDevice(DWORD flags, MCI_OPEN_PARMSA* params) {
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & (MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT_ID))
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (!(flags & MCI_OPEN_ELEMENT) || !params->lpstrElementName || !*params->lpstrElementName)
        return MCIERR_FILENAME_REQUIRED;
    const std::string element = params->lpstrElementName;
    std::string driverName;
    if (const MCIERROR error = mci::SelectDriverName(element, driverName))
        return error;
    const mci::DriverFactory factory = mci::FindDriver(driverName);
    if (!factory)
        return MCIERR_CANNOT_LOAD_DRIVER;

    DeviceTable& table = deviceTable();
    const MCIDEVICEID id = table.lastId + 1;
    auto device = std::make_unique<Device>(id, factory);
    if (const MCIERROR error = device->Open(element))
        return error;
    table.lastId = id;
    params->wDeviceID = id;
    Device& opened = *device;
    table.devices.emplace(id, std::move(device));
    opened.Completed(flags, params->dwCallback, Device::Effect::none);
    return 0;
}

MCIERROR closeDevice(MCIDEVICEID id, DWORD flags, MCI_GENERIC_PARMS* params) {
    DeviceTable& table = deviceTable();
    const auto found = table.devices.find(id);
    // Taken out of the table first, so that nothing reaches it while the
    // driver shuts down.
    std::unique_ptr<Device> device = std::move(found->second);
    table.devices.erase(found);
    device->Completed(flags, params ? params->dwCallback : 0, Device::Effect::endsPlay);
    return 0;
}

} // namespace

MCIERROR mciSendCommandA(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) {
    const auto commandFlags = static_cast<DWORD>(flags);
    if (message == MCI_OPEN)
        return openDevice(commandFlags, reinterpret_cast<MCI_OPEN_PARMSA*>(params));
    const auto found = deviceTable().devices.find(id);
    if (found == deviceTable().devices.end())
        return MCIERR_INVALID_DEVICE_ID;
    if (message == MCI_CLOSE)
        return closeDevice(id, commandFlags, reinterpret_cast<MCI_GENERIC_PARMS*>(params));
    return found->second->Command(message, commandFlags, params);
}

} // namespace platform
