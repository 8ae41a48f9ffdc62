#pragma once

#include <cstddef>
#include <cstdint>

// Where a RIFF/WAVE image keeps its format and its samples. A null pointer
// passed for a member's address means that member is not wanted.
struct WaveImageChunks {
    const uint8_t** format = nullptr;
    const uint8_t** data = nullptr;
    uint32_t* dataLength = nullptr;
};

// Walks the chunks of imageBytes bytes of image and fills the wanted
// outputs. Answers null on success, else the failure's message. Nothing is
// read outside the image.
const char* ParseWaveImage(const uint8_t* image, std::size_t imageBytes, const WaveImageChunks& wanted);
