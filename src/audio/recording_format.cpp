#include "audio/recording_format.h"

namespace {

constexpr uint64_t kLargestWord = 0xFFFFu;
constexpr uint64_t kLargestDword = 0xFFFFFFFFu;

}  // namespace

bool RecordableWaveFormat(const RecordingFormat& wanted, WAVEFORMATEX* record) {
    if (wanted.channels <= 0 || wanted.bitsPerSample <= 0 || wanted.samplesPerSecond == 0 ||
        wanted.bitsPerSample % 8 != 0) {
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
