#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/simulator/machine.h"

namespace marlowsim {
namespace {

uint32_t ReadLittle32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint16_t ReadLittle16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool HasId(const std::vector<uint8_t>& bytes, size_t at, const char* id) {
    return std::memcmp(bytes.data() + at, id, 4) == 0;
}

}  // namespace

bool SetInputFromWavFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || !HasId(bytes, 0, "RIFF") || !HasId(bytes, 8, "WAVE")) return false;

    uint16_t channels = 0;
    uint16_t bits = 0;
    uint32_t rate = 0;
    size_t dataAt = 0;
    size_t dataBytes = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const size_t size = ReadLittle32(bytes, at + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) return false;
        if (HasId(bytes, at, "fmt ") && size >= 16) {
            if (ReadLittle16(bytes, body) != WAVE_FORMAT_PCM) return false;
            channels = ReadLittle16(bytes, body + 2);
            rate = ReadLittle32(bytes, body + 4);
            bits = ReadLittle16(bytes, body + 14);
        } else if (HasId(bytes, at, "data")) {
            dataAt = body;
            dataBytes = size;
        }
        at = body + size + (size & 1);
    }
    if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate == 0 || dataAt == 0)
        return false;

    const size_t bytesPerSample = bits / 8;
    const size_t frames = dataBytes / (bytesPerSample * channels);
    Signal perChannel[2];
    for (int channel = 0; channel < 2; ++channel) {
        perChannel[channel].waveform = Waveform::Samples;
        perChannel[channel].sampleRate = rate;
        perChannel[channel].samples.reserve(frames);
    }
    for (size_t frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < 2; ++channel) {
            const size_t source = std::min<size_t>(channel, channels - 1);
            const size_t at = dataAt + (frame * channels + source) * bytesPerSample;
            const int16_t sample = bits == 16 ? static_cast<int16_t>(ReadLittle16(bytes, at))
                                              : static_cast<int16_t>((bytes[at] - 128) * 256);
            perChannel[channel].samples.push_back(sample);
        }
    }
    SetChannelInput(0, perChannel[0]);
    SetChannelInput(1, perChannel[1]);
    return true;
}

}  // namespace marlowsim
