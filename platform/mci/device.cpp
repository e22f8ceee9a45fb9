#include "platform/mci/device.h"

#include "platform/mci/command_records.h"
#include "platform/ui/Messages.h"

namespace platform::mci {
namespace {

Device::Effect effectOf(UINT message) {
    switch (message) {
    case MCI_STOP:
    case MCI_SEEK:
    case MCI_STEP:
        return Device::Effect::endsPlay;
    case MCI_PLAY:
    case MCI_RESUME:
        return Device::Effect::playsOn;
    default:
        return Device::Effect::none;
    }
}

} // namespace

Device::Device(MCIDEVICEID id, const DriverFactory& factory) : id_(id), driver_(factory(*this)) {
}

MCIERROR Device::Open(const std::string& element) {
    if (!driver_)
        return MCIERR_CANNOT_LOAD_DRIVER;
    return driver_->Open(element);
}

MCIERROR Device::Command(UINT message, DWORD flags, DWORD_PTR params) {
    const Effect effect = effectOf(message);
    if (effect == Effect::playsOn && (flags & MCI_WAIT))
        return MCIERR_UNSUPPORTED_FUNCTION;
    inCommand_ = true;
    const MCIERROR error = RunCommand(*driver_, message, flags, params);
    inCommand_ = false;
    if (!error)
        Completed(flags, params ? reinterpret_cast<MCI_GENERIC_PARMS*>(params)->dwCallback : 0,
                  effect);
    if (const std::optional<PlaybackEnd> ended = std::exchange(endedInCommand_, std::nullopt))
        PlaybackEnded(*ended);
    return error;
}

void Device::Completed(DWORD flags, DWORD_PTR callback, Effect effect) {
    QObject* window = (flags & MCI_NOTIFY) ? reinterpret_cast<QObject*>(callback) : nullptr;
    if (effect == Effect::endsPlay)
        finishPending(MCI_NOTIFY_ABORTED);
    else if (window)
        finishPending(MCI_NOTIFY_SUPERSEDED);
    if (!window)
        return;
    if (effect == Effect::playsOn)
        pending_ = window;
    else
        post(window, MCI_NOTIFY_SUCCESSFUL);
}

void Device::PlaybackEnded(PlaybackEnd how) {
    if (inCommand_)
        endedInCommand_ = how;
    else
        finishPending(how == PlaybackEnd::failed ? MCI_NOTIFY_FAILURE : MCI_NOTIFY_SUCCESSFUL);
}

void Device::finishPending(DWORD result) {
    if (QObject* window = pending_.data())
        post(window, result);
    pending_.clear();
}

void Device::post(QObject* window, DWORD result) const {
    PostMessageA(window, MM_MCINOTIFY, result, static_cast<LPARAM>(id_));
}

} // namespace platform::mci
