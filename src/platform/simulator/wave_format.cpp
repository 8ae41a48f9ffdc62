#include "platform/simulator/wave_format.h"

#include "platform/simulator/machine.h"

namespace marlowsim::detail {

namespace {

bool SampleSizeTaken(WORD bits) {
    return bits == 8 || bits == 16 || (TheMachine().wideSamplesAccepted && (bits == 24 || bits == 32));
}

}  // namespace

HRESULT CheckPcmFormat(const WAVEFORMATEX* format) {
    if (!format) return DSERR_INVALIDPARAM;
    if (format->wFormatTag != WAVE_FORMAT_PCM || format->nChannels == 0 ||
        format->nSamplesPerSec == 0 || !SampleSizeTaken(format->wBitsPerSample))
        return DSERR_BADFORMAT;
    const uint32_t blockAlign = format->nChannels * (format->wBitsPerSample / 8u);
    if (format->nBlockAlign != blockAlign ||
        format->nAvgBytesPerSec != static_cast<uint64_t>(format->nSamplesPerSec) * blockAlign)
        return DSERR_BADFORMAT;
    return DS_OK;
}

HRESULT CheckBufferBytes(DWORD bytes, DWORD smallest) {
    return bytes < smallest || bytes > DSBSIZE_MAX ? DSERR_INVALIDPARAM : DS_OK;
}

uint64_t BytesInSpan(uint64_t milliseconds, const WAVEFORMATEX& format) {
    const uint64_t bytes = milliseconds * format.nAvgBytesPerSec / 1000;
    return bytes - bytes % format.nBlockAlign;
}

uint8_t InputByte(const WAVEFORMATEX& format, uint64_t byteIndex) {
    const uint32_t bytesPerSample = format.wBitsPerSample / 8u;
    const uint64_t sampleIndex = byteIndex / format.nBlockAlign;
    const uint32_t inBlock = static_cast<uint32_t>(byteIndex % format.nBlockAlign);
    const int channel = static_cast<int>(inBlock / bytesPerSample);
    const int16_t sample = InputSample(channel, sampleIndex, format.nSamplesPerSec);
    if (bytesPerSample == 1) return static_cast<uint8_t>(128 + (sample >> 8));
    // Little-endian, the 16 bits at the top of a wider sample.
    const uint32_t fromTop = bytesPerSample - 1 - inBlock % bytesPerSample;
    const uint16_t bits = static_cast<uint16_t>(sample);
    return fromTop > 1 ? 0 : static_cast<uint8_t>(fromTop == 1 ? bits & 0xFF : bits >> 8);
}

uint8_t SilenceByte(const WAVEFORMATEX& format) { return format.wBitsPerSample == 8 ? 128 : 0; }

}  // namespace marlowsim::detail

