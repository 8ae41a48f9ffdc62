// Copies into fixed-size text fields, always terminated, never past the end.
#pragma once

#include <cstddef>
#include <cstring>

inline void CopyBounded(char* destination, std::size_t capacity, const char* source) {
    if (capacity == 0) {
        return;
    }
    std::size_t length = 0;
    if (source != nullptr) {
        while (length + 1 < capacity && source[length] != '\0') {
            ++length;
        }
        std::memcpy(destination, source, length);
    }
    destination[length] = '\0';
}

template <std::size_t Capacity>
void CopyBounded(char (&destination)[Capacity], const char* source) {
    CopyBounded(destination, Capacity, source);
}

// Appends at most what fits, keeping the terminator.
inline void AppendBounded(char* destination, std::size_t capacity, const char* source) {
    std::size_t used = std::strlen(destination);
    if (used < capacity) {
        CopyBounded(destination + used, capacity - used, source);
    }
}
