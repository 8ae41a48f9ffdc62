#include <cmath>
#include <cstdint>

#include "audio/direct_sound_audio_device.h"

namespace {

// Samples per second from kilohertz, kept inside the field's range so that
// no out-of-range float-to-integer conversion can happen.
DWORD SamplesPerSecondFromKiloHertz(float sampleRateKHz) {
    const double samples = std::round(static_cast<double>(sampleRateKHz) * 1000.0);
    if (std::isnan(samples) || samples <= 0.0) {
        return 0;
    }
    if (samples >= 4294967295.0) {
        return 0xFFFFFFFFu;
    }
    return static_cast<DWORD>(samples);
}

}  // namespace

StatusRecord DirectSoundAudioDevice::GetFormat(int32_t* channels, float* sampleRateKHz, int32_t* bitsPerSample,
                                               char* /*compression*/) {
    status.Reset();
    *channels = format.nChannels;
    *bitsPerSample = format.wBitsPerSample;
    *sampleRateKHz = static_cast<float>(format.nSamplesPerSec) * 0.001f;
    return status;
}

StatusRecord DirectSoundAudioDevice::SetFormat(int32_t channels, float sampleRateKHz, int32_t bitsPerSample,
                                               const char* /*compression*/) {
    status.Reset();
    // Stored as the record's 16-bit fields take them; nothing is checked here,
    // DirectSound judges the format when a buffer is made.
    format.wBitsPerSample = static_cast<WORD>(bitsPerSample);
    const int64_t blockAlign = static_cast<int64_t>(bitsPerSample / 8) * channels;
    format.nBlockAlign = static_cast<WORD>(static_cast<uint64_t>(blockAlign));
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = SamplesPerSecondFromKiloHertz(sampleRateKHz);
    format.nAvgBytesPerSec = static_cast<DWORD>(static_cast<uint32_t>(format.nBlockAlign) *
                                                static_cast<uint32_t>(format.nSamplesPerSec));
    return status;
}
