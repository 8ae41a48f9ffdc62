#pragma once

#include <cstdint>

// One capture device as DirectSound describes it.
struct CaptureDeviceEntry {
    char description[255];  // at most 254 characters; the name for Open
    uint8_t guid[16];       // all zero when DirectSound gives none
    char module[256];       // at most 255 characters
};

// Filled by EnumerateDevices; lives for one operation only.
struct CaptureDeviceList {
    static constexpr int kCapacity = 30;
    // DirectSound's further devices are neither listed nor opened by name.
    static constexpr int kMostListed = 11;

    int32_t count = 0;
    CaptureDeviceEntry entries[kCapacity] = {};
};
