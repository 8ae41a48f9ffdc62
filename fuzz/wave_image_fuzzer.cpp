// The WAV image parser over any bytes: it must answer, never read outside
// the image, and point only inside it when it succeeds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/wave_image_parser.h"

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "wave image fuzzer: %s\n", what);
        std::abort();
    }
}

bool Inside(const uint8_t* pointer, const uint8_t* image, size_t size) {
    return pointer >= image && pointer <= image + size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte says which outputs are wanted; the rest is the image,
    // copied so that the sanitizer sees its exact end.
    const uint8_t wantedBits = data[0];
    std::vector<uint8_t> image(data + 1, data + size);
    const uint8_t* format = reinterpret_cast<const uint8_t*>(&image);
    const uint8_t* samples = reinterpret_cast<const uint8_t*>(&image);
    uint32_t sampleBytes = 0xFFFFFFFFu;
    WaveImageChunks wanted;
    wanted.format = (wantedBits & 1) != 0 ? &format : nullptr;
    wanted.data = (wantedBits & 2) != 0 ? &samples : nullptr;
    wanted.dataLength = (wantedBits & 4) != 0 ? &sampleBytes : nullptr;

    const char* failure = ParseWaveImage(image.data(), image.size(), wanted);
    if (failure != nullptr) {
        Require(std::strlen(failure) > 0, "an empty failure message");
        return 0;
    }
    const uint8_t* begin = image.data();
    if (wanted.format != nullptr) {
        Require(format != nullptr && Inside(format, begin, image.size()), "format chunk outside the image");
        Require(format + 14 <= begin + image.size(), "format chunk shorter than the image holds");
    }
    if (wanted.data != nullptr) {
        Require(samples != nullptr && Inside(samples, begin, image.size()), "data chunk outside the image");
        if (wanted.dataLength != nullptr) {
            Require(samples + sampleBytes <= begin + image.size(), "data chunk runs past the image");
            // Read every sample byte so that the sanitizer checks the range.
            volatile uint8_t sum = 0;
            for (uint32_t i = 0; i < sampleBytes; ++i) {
                sum = static_cast<uint8_t>(sum + samples[i]);
            }
        }
    }
    return 0;
}
