#include "audio/recording_format.h"

namespace {

constexpr uint64_t kLargestWord = 0xFFFFu;
constexpr uint64_t kLargestDword = 0xFFFFFFFFu;

// DirectSound's range of buffer rates (DSBFREQUENCY_MIN and _MAX). Wine's
// driver divided by zero at 1 Hz and its sound server aborted at 1 MHz;
// no device records outside it.
constexpr uint32_t kLowestRate = 100;
constexpr uint32_t kHighestRate = 200000;
// The widest PCM sample a driver takes; Wine's mixer jumped to nowhere
// when it played 48- and 64-bit samples.
constexpr int32_t kWidestSampleBits = 32;

}  // namespace

bool RecordableWaveFormat(const RecordingFormat& wanted, WAVEFORMATEX* record) {
    if (wanted.channels <= 0 || wanted.bitsPerSample <= 0 || wanted.bitsPerSample > kWidestSampleBits ||
        wanted.bitsPerSample % 8 != 0 || wanted.samplesPerSecond < kLowestRate ||
        wanted.samplesPerSecond > kHighestRate) {
        return false;
    }
    const uint64_t channels = static_cast<uint64_t>(wanted.channels);
    const uint64_t bits = static_cast<uint64_t>(wanted.bitsPerSample);
    const uint64_t blockAlign = bits / 8 * channels;
    const uint64_t bytesPerSecond = blockAlign * wanted.samplesPerSecond;
    if (channels > kLargestWord || bits > kLargestWord || blockAlign > kLargestWord ||
        bytesPerSecond > kLargestDword) {
        return false;
    }
    *record = WAVEFORMATEX{};
    record->wFormatTag = WAVE_FORMAT_PCM;
    record->nChannels = static_cast<WORD>(channels);
    record->nSamplesPerSec = wanted.samplesPerSecond;
    record->nAvgBytesPerSec = static_cast<DWORD>(bytesPerSecond);
    record->nBlockAlign = static_cast<WORD>(blockAlign);
    record->wBitsPerSample = static_cast<WORD>(bits);
    record->cbSize = 0;
    return true;
}
