// What the simulator tests share: a fresh machine on the manual clock, PCM
// formats, and buffers made the way the Xtra makes them.
#pragma once

#include <gtest/gtest.h>

#include "platform/simulator/control.h"
#include "platform/windows_api.h"

inline WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits) {
    const WORD block = static_cast<WORD>(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * block, block, bits, 0};
}

class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        marlowsim::ResetMachine();
        marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
        ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &capture, nullptr), DS_OK);
    }
    void TearDown() override {
        if (captureBuffer) captureBuffer->Release();
        if (capture) capture->Release();
        marlowsim::ResetMachine();
    }

    HRESULT MakeCaptureBuffer(WAVEFORMATEX format, DWORD bytes) {
        captureFormat = format;
        DSCBUFFERDESC description{sizeof(DSCBUFFERDESC), 0, bytes, 0, &captureFormat, 0, nullptr};
        return capture->CreateCaptureBuffer(&description, &captureBuffer, nullptr);
    }

    DWORD ReadPosition() {
        DWORD position = 0xFFFFFFFF;
        EXPECT_EQ(captureBuffer->GetCurrentPosition(nullptr, &position), DS_OK);
        return position;
    }

    DWORD CaptureStatus() {
        DWORD status = 0xFFFFFFFF;
        EXPECT_EQ(captureBuffer->GetStatus(&status), DS_OK);
        return status;
    }

    // Copies the whole buffer out through a lock.
    std::vector<uint8_t> CapturedBytes(DWORD bytes) {
        LPVOID first = nullptr;
        LPVOID second = nullptr;
        DWORD firstBytes = 0;
        DWORD secondBytes = 0;
        EXPECT_EQ(captureBuffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
        const auto* data = static_cast<const uint8_t*>(first);
        std::vector<uint8_t> copy(data, data + firstBytes);
        EXPECT_EQ(captureBuffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);
        return copy;
    }

    WAVEFORMATEX captureFormat{};
    LPDIRECTSOUNDCAPTURE capture = nullptr;
    LPDIRECTSOUNDCAPTUREBUFFER captureBuffer = nullptr;
};
