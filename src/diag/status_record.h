// The fixed-size outcome of every engine, host-bridge and trace-log
// operation, copied whole by value.
#pragma once

#include <cstdint>

using StatusCallback = void (*)(void* userData, const char* message, int32_t code);

struct StatusRecord {
    static constexpr int kTextBytes = 1024;

    char message[kTextBytes];
    char formattedText[kTextBytes];
    int32_t code = -1;
    bool failed = false;
    StatusCallback callback = nullptr;
    void* userData = nullptr;

    // Empty texts. Only the terminators are written: records are made on
    // every call, and nothing reads a text past its terminator.
    StatusRecord() {
        message[0] = '\0';
        formattedText[0] = '\0';
    }

    // "Ok", -1, not failed; the callback stays attached.
    void Reset();
    // Records the failure (text cut to fit), then tells the callback.
    void SetFailure(const char* text, int32_t failureCode);
    // "Error :%s (%d)" after a failure, else the message unchanged.
    const char* FormatText();
    void SetCallback(void* data, StatusCallback function);
};
static_assert(sizeof(bool) == 1, "the failed flag is one byte");
