#include "wav_summary.h"

#include <cstring>

namespace marlowhost {

namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool IsTag(const std::vector<uint8_t>& bytes, size_t at, const char* tag) {
    return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

}  // namespace

uint32_t WavSummary::DurationMilliseconds() const {
    if (bytesPerSecond == 0) return 0;
    return static_cast<uint32_t>(static_cast<uint64_t>(dataBytes) * 1000 / bytesPerSecond);
}

bool ReadWavSummary(const std::vector<uint8_t>& image, WavSummary* summary) {
    if (image.size() < 12 || !IsTag(image, 0, "RIFF") || !IsTag(image, 8, "WAVE")) return false;
    bool haveFormat = false;
    size_t at = 12;
    // Every chunk header and body is checked against the image's end: the
    // sizes inside are not trusted.
    while (at + 8 <= image.size()) {
        uint32_t size = Read32(image, at + 4);
        size_t body = at + 8;
        if (IsTag(image, at, "fmt ")) {
            if (size < 16 || body + 16 > image.size()) return false;
            summary->formatTag = Read16(image, body);
            summary->channels = Read16(image, body + 2);
            summary->sampleRate = Read32(image, body + 4);
            summary->bytesPerSecond = Read32(image, body + 8);
            summary->bitsPerSample = Read16(image, body + 14);
            haveFormat = true;
        } else if (IsTag(image, at, "data")) {
            if (!haveFormat) return false;
            size_t available = image.size() - body;
            summary->dataBytes = size < available ? size : static_cast<uint32_t>(available);
            summary->dataOffset = static_cast<uint32_t>(body);
            return true;
        }
        size_t next = body + size + (size & 1);
        if (next <= at || next > image.size()) return false;
        at = next;
    }
    return false;
}

}  // namespace marlowhost
