// Our numbers and sizes in the host's widths and back, without undefined
// conversions on movie input.
#pragma once

#include <cstddef>
#include <limits>

#include "moa/moa_types.h"

// A movie's float may lie outside float's range, where a plain conversion is
// undefined: such values become infinities of their sign. NaN stays NaN.
inline float NarrowToFloat(MoaDouble number) {
    constexpr double kLargest = static_cast<double>(std::numeric_limits<float>::max());
    if (number > kLargest) {
        return std::numeric_limits<float>::infinity();
    }
    if (number < -kLargest) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(number);
}

// A buffer capacity as the host's 32-bit length.
inline MoaLong HostCapacity(std::size_t capacity) {
    constexpr auto kLargest = static_cast<std::size_t>(std::numeric_limits<MoaLong>::max());
    return static_cast<MoaLong>(capacity < kLargest ? capacity : kLargest);
}
