// A fresh simulated machine with a manual clock for every test, and the
// checks that nothing DirectSound, COM or a lock was left behind.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/direct_sound_audio_device.h"
#include "platform/simulator/control.h"

// EXPECT_TRUE(FailedWith(record, text, code)): failed with exactly these.
inline ::testing::AssertionResult FailedWith(const StatusRecord& record, const char* text, int64_t code) {
    if (record.failed && std::string(record.message) == text && record.code == static_cast<int32_t>(code)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got " << (record.failed ? "failure \"" : "success \"") << record.message
                                         << "\" (" << record.code << "), wanted failure \"" << text << "\" ("
                                         << static_cast<int32_t>(code) << ")";
}

// EXPECT_TRUE(Succeeded(record)): "Ok" and not failed.
inline ::testing::AssertionResult Succeeded(const StatusRecord& record) {
    if (!record.failed && std::string(record.message) == "Ok") {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got \"" << record.message << "\" (" << record.code << ")";
}

class AudioDeviceTest : public ::testing::Test {
protected:
    static HWND TestWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x5150)); }

    void SetUp() override {
        marlowsim::ResetMachine();
        marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
        device = std::make_unique<DirectSoundAudioDevice>(TestWindow());
    }

    void TearDown() override {
        device.reset();
        EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
        EXPECT_EQ(marlowsim::OutstandingLocks(), 0);
        EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
        EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);
    }

    void OpenDefault() {
        ASSERT_TRUE(Succeeded(device->Open("")));
    }

    // A recording of maxMs left to fill its buffer, noticed by IsCapturing.
    void RecordFullTake(int32_t maxMs) {
        ASSERT_TRUE(Succeeded(device->StartCapture(maxMs, false)));
        marlowsim::AdvanceClock(static_cast<uint32_t>(maxMs) + 100);
        ASSERT_FALSE(device->IsCapturing());
    }

    // A full take whose copy could not be made, so that it stays in its
    // capture buffer: the buffer could not be read as the take ended.
    void RecordFullTakeLeftInItsBuffer(int32_t maxMs) {
        ASSERT_TRUE(Succeeded(device->StartCapture(maxMs, false)));
        marlowsim::AdvanceClock(static_cast<uint32_t>(maxMs) + 100);
        marlowsim::InjectFault(marlowsim::Call::CaptureLock, DSERR_INVALIDCALL, true);
        ASSERT_FALSE(device->IsCapturing());
        marlowsim::ClearFaults();
        ASSERT_NE(device->captureBuffer, nullptr);
    }

    // The take's bytes wherever the device holds them: in its copy once it
    // has ended, else in its capture buffer.
    std::vector<uint8_t> HeldTake() {
        if (device->captureBuffer == nullptr) {
            const uint8_t* bytes = device->takeCopy.Bytes();
            return bytes == nullptr ? std::vector<uint8_t>() : std::vector<uint8_t>(bytes, bytes + device->takeBytes);
        }
        void* first = nullptr;
        DWORD firstBytes = 0;
        void* second = nullptr;
        DWORD secondBytes = 0;
        EXPECT_TRUE(SUCCEEDED(
            device->captureBuffer->Lock(0, device->takeBytes, &first, &firstBytes, &second, &secondBytes, 0)));
        const auto* bytes = static_cast<const uint8_t*>(first);
        std::vector<uint8_t> copy(bytes, bytes + device->takeBytes);
        device->captureBuffer->Unlock(first, firstBytes, second, secondBytes);
        return copy;
    }

    // Remembers every failure the device's status reports, in order.
    void WatchFailures() { device->SetStatusCallback(&failures, &RecordFailure); }

    static void RecordFailure(void* userData, const char* message, int32_t /*code*/) {
        static_cast<std::vector<std::string>*>(userData)->push_back(message);
    }

    std::unique_ptr<DirectSoundAudioDevice> device;
    std::vector<std::string> failures;
};
