#include <cstdint>
#include <cstring>

#include "audio/direct_sound_audio_device.h"
#include "audio/wave_image_parser.h"

namespace {

constexpr uint32_t kImageHeaderBytes = 48;

void PutLittleEndian32(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
    at[2] = static_cast<uint8_t>(value >> 16);
    at[3] = static_cast<uint8_t>(value >> 24);
}

// RIFF, a 20-byte "fmt " chunk holding the whole format record, and the
// "data" chunk header.
void WriteImageHeader(uint8_t* image, const WAVEFORMATEX& format, uint32_t dataBytes) {
    static_assert(sizeof(WAVEFORMATEX) == 18, "the format record fills the image's format chunk");
    std::memcpy(image, "RIFF", 4);
    PutLittleEndian32(image + 4, dataBytes + kImageHeaderBytes - 8);
    std::memcpy(image + 8, "WAVE", 4);
    std::memcpy(image + 12, "fmt ", 4);
    PutLittleEndian32(image + 16, 20);
    std::memcpy(image + 20, &format, sizeof format);
    image[38] = 0;
    image[39] = 0;
    std::memcpy(image + 40, "data", 4);
    PutLittleEndian32(image + 44, dataBytes);
}

}  // namespace

HGLOBAL DirectSoundAudioDevice::SoundImage() {
    HGLOBAL image = nullptr;
    MakeSoundImage(0, 0, &image);
    return image;
}

StatusRecord DirectSoundAudioDevice::MakeSoundImage(uint32_t frontBytes, uint32_t backBytes, HGLOBAL* handle) {
    *handle = nullptr;
    status.Reset();
    if (capturing) {
        status.SetFailure(kStillCapturingText, -1);
        return status;
    }
    if (!HasTake()) {
        status.SetFailure(kNoTakeText, -1);
        return status;
    }
    if (static_cast<uint64_t>(frontBytes) + backBytes > takeBytes) {
        status.SetFailure("Cannot trim more than the whole sound", -1);
        return status;
    }
    const uint32_t dataBytes = takeBytes - frontBytes - backBytes;
    if (dataBytes > 0xFFFFFFFFu - kImageHeaderBytes) {
        status.SetFailure("Could not allocate enough memory for new timmed sound", -1);
        return status;
    }
    const uint32_t blockBytes = dataBytes + kImageHeaderBytes;
    *handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockBytes);
    uint8_t* image = *handle != nullptr ? static_cast<uint8_t*>(GlobalLock(*handle)) : nullptr;
    if (image == nullptr) {
        if (*handle != nullptr) {
            GlobalFree(*handle);
            *handle = nullptr;
        }
        status.SetFailure("Could not allocate enough memory for new timmed sound", -1);
        return status;
    }
    WriteImageHeader(image, takeFormat, dataBytes);

    const HRESULT read =
        ReadTake([&](const uint8_t* take) { std::memcpy(image + kImageHeaderBytes, take + frontBytes, dataBytes); });
    if (read != S_OK) {
        GlobalUnlock(*handle);
        GlobalFree(*handle);
        *handle = nullptr;
        return status;
    }

    const uint8_t* formatChunk = nullptr;
    const uint8_t* samples = nullptr;
    uint32_t sampleBytes = 0;
    const WaveImageChunks wanted{&formatChunk, &samples, &sampleBytes};
    if (const char* failure = ParseWaveImage(image, blockBytes, wanted)) {
        status.SetFailure(failure, -1);
    }
    GlobalUnlock(*handle);
    return status;
}
