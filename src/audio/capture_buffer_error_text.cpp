#include "audio/capture_buffer_error_text.h"

#include <cstdint>
#include <cstdio>

namespace {

struct ResultText {
    uint32_t code;
    const char* text;
};

constexpr ResultText kResultTexts[] = {
    {0x8007000Eu, "Out of memory"},
    {0x80004005u, "Gerneric error"},
    {0x80070057u, "Invalid param"},
    {0x8878000Au, "Resource already allocated"},
    {0x88780032u, "Invalid call (DSERR_INVALIDCALL)"},
    {0x88780064u, "Bad format"},
    {0x88780078u, "No driver"},
    {0x887800AAu, "Uninitialized"},
    {0x88890004u, "Device lost"},
    {0x8889000Fu, "Device not available"},
};

}  // namespace

void FormatCaptureBufferError(HRESULT result, char* out, std::size_t capacity) {
    const uint32_t code = static_cast<uint32_t>(result);
    for (const ResultText& known : kResultTexts) {
        if (known.code == code) {
            std::snprintf(out, capacity, "Could not create capture buffer:%s", known.text);
            return;
        }
    }
    const int32_t signedCode = static_cast<int32_t>(code);
    // Arithmetic shifts of a negative value, spelled out: the sign word and
    // the facility as the message shows them.
    const uint32_t severity = signedCode < 0 ? 0xFFFFFFFFu : 0u;
    const uint32_t facility = (code >> 16) & 0xFFFFu;
    std::snprintf(out, capacity, "Some other (%lx s:%lx f:%lx c:%u) ", static_cast<unsigned long>(code),
                  static_cast<unsigned long>(severity), static_cast<unsigned long>(facility), code & 0xFFu);
}
