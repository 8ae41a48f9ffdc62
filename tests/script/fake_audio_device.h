// An AudioDevice that records what it is passed and answers canned
// outcomes. Failures go through its status, so a routed callback sees them.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "audio/audio_device.h"

class FakeAudioDevice : public AudioDevice {
public:
    // The named operation ("Close", "GetLevel", ...) fails from now on.
    void Fail(const std::string& operation, const std::string& message, int32_t code = -1) {
        failures_[operation] = {message, code};
    }
    bool Called(const std::string& operation) const {
        for (const std::string& call : calls) {
            if (call.rfind(operation, 0) == 0) {
                return true;
            }
        }
        return false;
    }

    StatusRecord Open(const char* deviceName) override { return Answer("Open(" + std::string(deviceName) + ")"); }
    bool IsOpen() override {
        calls.push_back("IsOpen");
        return open;
    }
    StatusRecord Close() override { return Answer("Close"); }
    StatusRecord StartCapture(int32_t maxMs, bool looping) override {
        return Answer("StartCapture(" + std::to_string(maxMs) + "," + (looping ? "looping" : "once") + ")");
    }
    bool IsCapturing() override {
        calls.push_back("IsCapturing");
        return capturing;
    }
    StatusRecord StopCapture() override {
        capturing = false;
        return Answer("StopCapture");
    }
    StatusRecord SaveAsFile(const char* path) override { return Answer("SaveAsFile(" + std::string(path) + ")"); }
    StatusRecord PlayStart() override { return Answer("PlayStart"); }
    StatusRecord PlayStop() override { return Answer("PlayStop"); }
    bool IsPlaying() override {
        calls.push_back("IsPlaying");
        return playing;
    }
    HGLOBAL SoundImage() override {
        calls.push_back("SoundImage");
        return std::exchange(image, nullptr);
    }
    StatusRecord ResetStatus() override { return Answer("ResetStatus"); }
    StatusRecord PollState() override { return Answer("PollState"); }
    StatusRecord GetLevel(int32_t* left, int32_t* right) override {
        *left = levelLeft;
        *right = levelRight;
        return Answer("GetLevel");
    }
    StatusRecord SetLevelMeteringDuration(int32_t durationMs) override {
        return Answer("SetLevelMeteringDuration(" + std::to_string(durationMs) + ")");
    }
    StatusRecord SetLevelMetering(bool enable, int32_t durationMs) override {
        return Answer("SetLevelMetering(" + std::string(enable ? "on" : "off") + "," + std::to_string(durationMs) +
                      ")");
    }
    bool IsLevelMeteringActive() override {
        calls.push_back("IsLevelMeteringActive");
        return meteringActive;
    }
    StatusRecord GetFormat(int32_t* channelsOut, float* rateOut, int32_t* bitsOut, char* compression) override {
        *channelsOut = channels;
        *rateOut = rateKHz;
        *bitsOut = bits;
        compressionSeenEmpty = compression[0] == '\0';
        return Answer("GetFormat");
    }
    StatusRecord SetFormat(int32_t channelsIn, float rateIn, int32_t bitsIn, const char* compression) override {
        setChannels = channelsIn;
        setRateKHz = rateIn;
        setBits = bitsIn;
        setCompression = compression;
        return Answer("SetFormat");
    }
    StatusRecord EnumerateDevices(CaptureDeviceList* list) override {
        *list = devices;
        return Answer("EnumerateDevices");
    }

    std::vector<std::string> calls;
    bool open = false;
    int32_t levelLeft = 0;
    int32_t levelRight = 0;
    HGLOBAL image = nullptr;  // handed out once by SoundImage
    int32_t channels = 1;
    float rateKHz = 11.025f;
    int32_t bits = 16;
    bool compressionSeenEmpty = false;
    int32_t setChannels = -100;
    float setRateKHz = -100.0f;
    int32_t setBits = -100;
    std::string setCompression;
    CaptureDeviceList devices;

private:
    StatusRecord Answer(const std::string& call) {
        calls.push_back(call);
        status.Reset();
        const std::string operation = call.substr(0, call.find('('));
        const auto failure = failures_.find(operation);
        if (failure != failures_.end()) {
            status.SetFailure(failure->second.first.c_str(), failure->second.second);
        }
        return status;
    }

    std::map<std::string, std::pair<std::string, int32_t>> failures_;
};
