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
    *channels = format.channels;
    *bitsPerSample = format.bitsPerSample;
    *sampleRateKHz = static_cast<float>(format.samplesPerSecond) * 0.001f;
    return status;
}

StatusRecord DirectSoundAudioDevice::SetFormat(int32_t channels, float sampleRateKHz, int32_t bitsPerSample,
                                               const char* /*compression*/) {
    status.Reset();
    // Kept as given, for the next recording: whether a device can take it
    // is judged when a recording or metering starts.
    format.channels = channels;
    format.samplesPerSecond = SamplesPerSecondFromKiloHertz(sampleRateKHz);
    format.bitsPerSample = bitsPerSample;
    return status;
}
