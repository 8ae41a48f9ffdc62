#include "audio/wave_image_parser.h"

#include <cstring>

namespace {

constexpr uint32_t kFormatChunkLeast = 14;

uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

bool HasTag(const uint8_t* bytes, const char* tag) {
    return std::memcmp(bytes, tag, 4) == 0;
}

}  // namespace

const char* ParseWaveImage(const uint8_t* image, std::size_t imageBytes, const WaveImageChunks& wanted) {
    if (wanted.format != nullptr) {
        *wanted.format = nullptr;
    }
    if (wanted.data != nullptr) {
        *wanted.data = nullptr;
    }
    if (wanted.dataLength != nullptr) {
        *wanted.dataLength = 0;
    }
    if (imageBytes < 4 || !HasTag(image, "RIFF")) {
        return "Parsing sound error - not a RIFF";
    }
    if (imageBytes < 12 || !HasTag(image + 8, "WAVE")) {
        return "Parsing sound error - not a WAV";
    }
    const uint64_t riffEnd = 8 + static_cast<uint64_t>(ReadLittleEndian32(image + 4));
    uint64_t chunk = 12;
    // A chunk whose header or body would run past the image ends the walk.
    while (chunk < riffEnd && chunk + 8 <= imageBytes) {
        const uint8_t* header = image + chunk;
        const uint32_t size = ReadLittleEndian32(header + 4);
        const uint64_t body = chunk + 8;
        if (body + size > imageBytes) {
            break;
        }
        if (HasTag(header, "fmt ") && wanted.format != nullptr && *wanted.format == nullptr) {
            if (size < kFormatChunkLeast) {
                return "Parsing sound error - not a WAV, header length wrong";
            }
            *wanted.format = image + body;
            const bool dataDone = wanted.data == nullptr || *wanted.data != nullptr;
            const bool lengthDone = wanted.dataLength == nullptr || *wanted.dataLength != 0;
            if (dataDone && lengthDone) {
                return nullptr;
            }
        } else if (HasTag(header, "data") && ((wanted.data != nullptr && *wanted.data == nullptr) ||
                                              (wanted.dataLength != nullptr && *wanted.dataLength == 0))) {
            if (wanted.data != nullptr) {
                *wanted.data = image + body;
            }
            if (wanted.dataLength != nullptr) {
                *wanted.dataLength = size;
            }
            if (wanted.format == nullptr || *wanted.format != nullptr) {
                return nullptr;
            }
        }
        chunk = body + size + (size & 1u);
    }
    return "Could not parse sound";
}
