#include "platform/simulator/device_link.h"

#include <algorithm>

namespace marlowsim {
namespace detail {

DeviceLink::DeviceLink(bool capture, int index)
    : capture_(capture), index_(index), lossesWhenMade_(History().losses.size()), madeAtMs_(ClockNow()) {}

DeviceLink DeviceLink::Capture(int index) {
    DeviceLink link(true, index);
    int& silent = TheMachine().capturesThatNeverDeliver;
    if (silent > 0) {
        --silent;
        link.neverDelivers_ = true;
    }
    return link;
}

DeviceLink DeviceLink::Playback() { return DeviceLink(false, 0); }

const DeviceHistory& DeviceLink::History() const {
    Machine& machine = TheMachine();
    return capture_ ? machine.captureDeviceHistory[index_] : machine.playbackDeviceHistory;
}

const DeviceLoss* DeviceLink::LossSinceMade() const {
    const DeviceHistory& history = History();
    return history.losses.size() > lossesWhenMade_ ? &history.losses[lossesWhenMade_] : nullptr;
}

bool DeviceLink::CanMakeBuffers() const {
    const DeviceHistory& history = History();
    const bool comingBack = capture_ && !history.losses.empty() &&
                            ClockNow() < history.returnedAtMs + TheMachine().captureBuffersRefusedAfterReturnMs;
    return history.state == DeviceState::Present && LossSinceMade() == nullptr && !comingBack;
}

HRESULT DeviceLink::CallResult() const {
    const DeviceLoss* loss = LossSinceMade();
    return loss != nullptr && loss->how == DeviceState::Removed ? DSERR_NODRIVER : S_OK;
}

uint64_t DeviceLink::Now() const {
    if (neverDelivers_) return madeAtMs_;
    const DeviceLoss* loss = LossSinceMade();
    return loss != nullptr ? std::min(ClockNow(), loss->atMs) : ClockNow();
}

namespace {

void ChangeState(DeviceHistory& history, DeviceState state) {
    if (state != DeviceState::Present && history.state == DeviceState::Present)
        history.losses.push_back({state, ClockNow()});
    if (state == DeviceState::Present && history.state != DeviceState::Present) history.returnedAtMs = ClockNow();
    history.state = state;
}

}  // namespace
}  // namespace detail

void SetCaptureDeviceState(int index, DeviceState state) {
    detail::ChangeState(detail::TheMachine().captureDeviceHistory[index], state);
}

void SetPlaybackDeviceState(DeviceState state) {
    detail::ChangeState(detail::TheMachine().playbackDeviceHistory, state);
}

void SetCaptureObjectsThatNeverDeliver(int count) { detail::TheMachine().capturesThatNeverDeliver = count; }

void SetCaptureBuffersRefusedAfterReturn(uint32_t milliseconds) {
    detail::TheMachine().captureBuffersRefusedAfterReturnMs = milliseconds;
}

}  // namespace marlowsim
